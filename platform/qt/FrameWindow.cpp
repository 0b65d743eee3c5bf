#include "FrameWindow.h"

#include <QCloseEvent>
#include <QStatusBar>

#include "Appearance.h"
#include "ChildWindowKeys.h"
#include "Latin1Text.h"
#include "StatusZones.h"
#include "platform/window/LayoutUnits.h"

namespace rt::qt {

FrameWindow::FrameWindow(const WindowView& view, Callbacks callbacks, const std::function<void()>& awaitFonts)
    : m_id(view.id), m_callbacks(std::move(callbacks)) {
    const auto& description = *view.description;
    setObjectName(QStringLiteral("frame"));
    setWindowTitle(latin1Text(description.title));
    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("windowArea"));
    // Windows that do not fit are scrolled to. Without scroll bars, tiling
    // makes the whole frame larger until the windows fit at their smallest.
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    // The menus come before any text is measured: making the menu bar asks
    // the desktop whether it shows menus of its own, a wait on the session
    // bus, while fonts may still be loading on another thread.
    auto menus = FrameMenus::build(*this, description.menus, m_callbacks.chosen);
    if (menus.windowMenu != nullptr) {
        m_windowMenu = std::make_unique<WindowMenu>(*menus.windowMenu, *m_area);
    }
    m_standardItems = std::move(menus.standardItems);
    // The program's menus have no About entry; the window layer adds its own
    // to the end of the help menu, so the stored menus stay as they are.
    if (menus.helpMenu != nullptr) {
        menus.helpMenu->addSeparator();
        QString title = windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        m_aboutEntry = menus.helpMenu->addAction(QStringLiteral("&About %1...").arg(title));
        m_aboutEntry->setObjectName(QStringLiteral("about"));
        m_aboutEntry->setStatusTip(QStringLiteral("Show the program's version and where its report goes"));
    }
    ChildWindowKeys::install(*this, *m_area);
    if (awaitFonts) {
        awaitFonts();
    }
    buildStatusBar(description);
    if (description.width != definition::kNotGiven && description.height != definition::kNotGiven) {
        const BaseUnits base = Appearance::baseUnitsOf(Appearance::windowFont(description));
        resize(horizontalPixels(description.width, base), verticalPixels(description.height, base));
    }
}

// The first zone is a normal status-bar widget, so a menu entry's message
// takes its place while the entry is highlighted; the zones to its right are
// permanent widgets and stay in view.
void FrameWindow::buildStatusBar(const definition::WindowDescription& description) {
    const StatusZones zones(description.zoneWidths);
    for (const auto& zone : zones.zones()) {
        auto* label = new QLabel(statusBar());
        label->setObjectName(QStringLiteral("zone%1").arg(m_zones.size() + 1));
        if (!zone.stretches) {
            label->setFixedWidth(zone.width);
        }
        const int stretch = zone.stretches ? 1 : 0;
        if (m_zones.empty()) {
            statusBar()->addWidget(label, stretch);
        } else {
            statusBar()->addPermanentWidget(label, stretch);
        }
        m_zones.push_back(label);
    }
}

void FrameWindow::setZone(int zone, const QString& text, const QString& tip) {
    if (zone < 1 || static_cast<std::size_t>(zone) > m_zones.size()) {
        return;
    }
    QLabel* label = m_zones[static_cast<std::size_t>(zone) - 1];
    label->setText(text);
    label->setToolTip(tip);
}

void FrameWindow::closeByProcedure() {
    m_closingForGood = true;
    close();
}

bool FrameWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        m_callbacks.activated();
    }
    return QMainWindow::event(event);
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (m_closingForGood) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    m_callbacks.closeRequested();
}

}  // namespace rt::qt
