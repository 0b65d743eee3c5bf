#include "WindowMenu.h"

#include <QMdiSubWindow>
#include <QPointer>

namespace rt::qt {

namespace {

// Entries 1 to 9 get their digit as access key, like the fixed entries above them.
constexpr int kNumberedEntries = 9;

QString entryText(int number, QString title) {
    title.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return number <= kNumberedEntries ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                      : QStringLiteral("%1 %2").arg(number).arg(title);
}

}  // namespace

WindowMenu::WindowMenu(QMenu& menu, QMdiArea& area) : m_menu(menu), m_area(area) {
    QObject::connect(&m_menu, &QMenu::aboutToShow, &m_menu, [this] { rebuild(); });
}

void WindowMenu::rebuild() {
    m_entries.clear();
    m_group.reset();
    const auto windows = m_area.subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) {
        return;
    }
    m_group = std::make_unique<QActionGroup>(nullptr);
    auto& separator = m_entries.emplace_back(std::make_unique<QAction>());
    separator->setSeparator(true);
    m_menu.addAction(separator.get());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        auto& entry =
            m_entries.emplace_back(std::make_unique<QAction>(entryText(++number, window->windowTitle())));
        entry->setCheckable(true);
        entry->setChecked(window == m_area.activeSubWindow());
        entry->setActionGroup(m_group.get());
        QObject::connect(entry.get(), &QAction::triggered, &m_menu,
                         [area = &m_area, chosen = QPointer<QMdiSubWindow>(window)] {
                             if (chosen.isNull()) {
                                 return;
                             }
                             if (chosen->isMinimized()) {
                                 chosen->showNormal();
                             }
                             area->setActiveSubWindow(chosen);
                         });
        m_menu.addAction(entry.get());
    }
}

}  // namespace rt::qt
