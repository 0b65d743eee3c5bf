#pragma once

#include <windows.h>

#include "MenuCommands.h"

namespace rt::win32 {

// The standard actions the frame's menu entries ask for and the presenter
// carries out itself: arranging the MDI children, printer set-up, help and the
// clipboard. Runs on the GUI thread, which owns every window involved.
class StandardActions {
  public:
    StandardActions() = default;
    ~StandardActions();
    StandardActions(const StandardActions&) = delete;
    StandardActions& operator=(const StandardActions&) = delete;

    void attach(HWND frame, HWND client);
    // False for actions that are not carried out here (exit, window menu, none).
    bool carryOut(StandardAction action);

  private:
    void printerSetup();
    void openHelp(StandardAction action);
    void clipboard(StandardAction action);

    HWND m_frame = nullptr;
    HWND m_client = nullptr;
    // The chosen printer and its settings, kept from one set-up to the next.
    HGLOBAL m_devMode = nullptr;
    HGLOBAL m_devNames = nullptr;
};

}  // namespace rt::win32
