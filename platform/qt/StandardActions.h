#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QWindow>
#include <functional>

#include "PrinterSetup.h"
#include "platform/window/StandardAction.h"

namespace rt::qt {

class HelpWindow;

// Carries the standard actions out for the frame, on the GUI thread. Exit is
// the one that involves the program: the frame's procedure is asked to close.
class StandardActions {
  public:
    StandardActions(QMainWindow& frame, QMdiArea& area, std::function<void()> exitRequested);
    ~StandardActions();
    StandardActions(const StandardActions&) = delete;
    StandardActions& operator=(const StandardActions&) = delete;

    // False for a code this layer does not know; such entries do nothing.
    bool carryOut(int code);

    // F1: the help page of the active child window, the contents where none
    // is active or it has no page of its own.
    void helpForActiveWindow();
    // The About box, with what the program says about itself.
    void setAboutText(const QString& text) { m_aboutText = text; }
    void showAbout();

    HelpWindow* helpWindow() const;
    const PrinterSetup& printerSetup() const { return m_printer; }

  private:
    HelpWindow& help();
    // Fixed windows keep their size, in a grid above the icons (WindowArrangement.h).
    void tile();
    // Once a window of the frame's that had the keyboard closes, the frame
    // takes it back: with no window manager nobody else would give it.
    void returnFocusToFrame();
    void keepKeyboardInShownWindows(QWindow* window);

    QMainWindow& m_frame;
    QMdiArea& m_area;
    std::function<void()> m_exitRequested;
    PrinterSetup m_printer;
    QPointer<HelpWindow> m_help;  // a window of the frame's, which owns it
    QPointer<QWindow> m_lastFocus;
    QString m_aboutText;
};

}  // namespace rt::qt
