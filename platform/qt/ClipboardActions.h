#pragma once

#include <QWidget>

#include "platform/window/ActionAvailability.h"

namespace rt::qt {

class StatusChild;

// Cut, copy and paste on the control that has the focus, through the
// desktop's clipboard. A read-only control keeps its text: cut and paste do
// nothing there (their entries are greyed out). Qt's own cut() and paste()
// slots ignore read-only, so the check is made here. Copy from a read-only value display with
// nothing selected takes the whole value, which is what the person is after;
// with no text control focused it takes every result of the active window.
class ClipboardActions {
  public:
    static void cut(QWidget* focused);
    static void copy(QWidget* focused, const StatusChild* active);
    static void paste(QWidget* focused);

    // What kind of text, if any, the focused widget holds, and whether part of it is selected.
    static FocusedText textOf(const QWidget* focused);
    static bool hasSelection(const QWidget* focused);
};

}  // namespace rt::qt
