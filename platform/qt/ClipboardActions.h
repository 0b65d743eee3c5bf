#pragma once

#include <QWidget>

namespace rt::desktop {

// Cut, copy and paste on the control that has the focus, through the
// desktop's clipboard. A read-only control keeps its text: cut only copies
// and paste does nothing. Qt's own cut() and paste() slots ignore read-only,
// so the check is made here. Copy from a read-only value display with
// nothing selected takes the whole value, which is what the person is after.
class ClipboardActions {
  public:
    static void cut(QWidget* focused);
    static void copy(QWidget* focused);
    static void paste(QWidget* focused);
};

}  // namespace rt::desktop
