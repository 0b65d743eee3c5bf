#include "WindowMenu.h"

#include <QMdiSubWindow>

#include "SelectWindowDialog.h"

namespace rt::qt {

namespace {

QString entryText(int number, QString title) {
    title.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(title);
}

void activate(QMdiArea& area, QMdiSubWindow* window) {
    if (window == nullptr) {
        return;
    }
    if (window->isMinimized()) {
        window->showNormal();
    }
    area.setActiveSubWindow(window);
}

}  // namespace

WindowMenu::WindowMenu(QMenu& menu, QMdiArea& area) : m_menu(menu), m_area(area) {
    QObject::connect(&m_menu, &QMenu::aboutToShow, &m_menu, [this] { rebuild(); });
}

WindowMenu::~WindowMenu() = default;

std::vector<int> WindowMenu::listed(int count, int active) {
    std::vector<int> places;
    for (int place = 0; place < count && place < kListed; ++place) {
        places.push_back(place);
    }
    if (active >= kListed && active < count) {
        places.back() = active;
    }
    return places;
}

// Checked entries without a group: a check mark, as an MDI frame shows it,
// where an exclusive group would draw a radio dot.
void WindowMenu::rebuild() {
    m_entries.clear();
    const auto windows = m_area.subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) {
        return;
    }
    auto& separator = m_entries.emplace_back(std::make_unique<QAction>());
    separator->setSeparator(true);
    m_menu.addAction(separator.get());
    const int active = static_cast<int>(windows.indexOf(m_area.activeSubWindow()));
    int number = 0;
    for (const int place : listed(static_cast<int>(windows.size()), active)) {
        QMdiSubWindow* window = windows[place];
        auto& entry =
            m_entries.emplace_back(std::make_unique<QAction>(entryText(++number, window->windowTitle())));
        entry->setCheckable(true);
        entry->setChecked(place == active);
        QObject::connect(
            entry.get(), &QAction::triggered, &m_menu,
            [area = &m_area, chosen = QPointer<QMdiSubWindow>(window)] { activate(*area, chosen); });
        m_menu.addAction(entry.get());
    }
    if (windows.size() > kListed) {
        auto& more = m_entries.emplace_back(std::make_unique<QAction>(QStringLiteral("&More Windows...")));
        more->setStatusTip(QStringLiteral("Choose one of all the open windows"));
        QObject::connect(more.get(), &QAction::triggered, &m_menu, [this] { chooseFromAll(); });
        m_menu.addAction(more.get());
    }
}

void WindowMenu::chooseFromAll() {
    if (!m_select) {
        m_select = new SelectWindowDialog(*m_menu.window(),
                                          [this](QMdiSubWindow* chosen) { activate(m_area, chosen); });
    }
    m_select->offer(m_area.subWindowList(QMdiArea::CreationOrder), m_area.activeSubWindow());
}

}  // namespace rt::qt
