#include "WindowTiler.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace rt::desktop {

std::vector<QRect> WindowTiler::cells(std::size_t count, QSize area, QSize smallest) {
    std::vector<QRect> out;
    if (count == 0) {
        return out;
    }
    const auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(count))));
    const std::size_t rows = (count + columns - 1) / columns;
    const int width = std::max({area.width() / static_cast<int>(columns), smallest.width(), 1});
    const int height = std::max({area.height() / static_cast<int>(rows), smallest.height(), 1});
    for (std::size_t i = 0; i < count; ++i) {
        out.emplace_back(static_cast<int>(i % columns) * width, static_cast<int>(i / columns) * height, width,
                         height);
    }
    return out;
}

void WindowTiler::tile(QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    QSize smallest;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden() || window->isMinimized()) {
            continue;
        }
        if (window->isMaximized()) {
            window->showNormal();
        }
        windows.append(window);
        // A fixed window's smallest size is its size; the others may shrink to their minimum.
        const bool fixed = window->minimumSize() == window->maximumSize() ||
                           window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
        smallest = smallest.expandedTo(fixed ? window->size() : window->minimumSizeHint());
    }
    const QRect viewport = area.viewport()->rect();
    const auto placed = cells(static_cast<std::size_t>(windows.size()), viewport.size(), smallest);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        QMdiSubWindow* window = windows[static_cast<qsizetype>(i)];
        const QRect cell = QStyle::visualRect(area.layoutDirection(), viewport, placed[i]);
        if (window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint)) {
            window->move(cell.topLeft());
        } else {
            window->setGeometry(cell);
        }
    }
}

}  // namespace rt::desktop
