#include "IconArranger.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

namespace rt::qt {

std::vector<QPoint> IconArranger::positions(std::size_t count, QSize cell, QSize area) {
    std::vector<QPoint> corners;
    if (cell.width() <= 0 || cell.height() <= 0) {
        return corners;
    }
    const int columns = std::max(area.width() / cell.width(), 1);
    for (std::size_t i = 0; i < count; ++i) {
        const int column = static_cast<int>(i % static_cast<std::size_t>(columns));
        const int row = static_cast<int>(i / static_cast<std::size_t>(columns));
        corners.emplace_back(column * cell.width(), area.height() - (row + 1) * cell.height());
    }
    return corners;
}

void IconArranger::arrange(QMdiArea& area) {
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isMinimized()) {
            icons.append(window);
        }
    }
    if (icons.isEmpty()) {
        return;
    }
    const QRect viewport = area.viewport()->rect();
    const QSize cell = icons.front()->size();
    const auto corners = positions(static_cast<std::size_t>(icons.size()), cell, viewport.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        // Right-to-left desktops line them up from the right-hand corner.
        const QRect placed = QStyle::visualRect(area.layoutDirection(), viewport, QRect(corners[i], cell));
        icons[static_cast<qsizetype>(i)]->move(placed.topLeft());
    }
}

}  // namespace rt::qt
