#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Handles.h"
#include "MenuCommands.h"
#include "platform/window/WindowArrangement.h"

namespace rt::win32 {

// What the focused control is, as the clipboard actions see it: only edit
// controls hold text for them.
FocusedText classifyFocus(HWND focused);
// Whether part of an edit control's text is selected.
bool hasSelection(HWND edit);

// The standard actions the frame's menu entries ask for and the presenter
// carries out itself: arranging the MDI children, printer set-up, help and the
// clipboard. Runs on the GUI thread, which owns every window involved.
class StandardActions {
  public:
    // The active window's values as text, empty when it has none or there is
    // no active window.
    using ActiveValues = std::function<std::string()>;
    // The child windows in the order they were opened.
    using OpenedWindows = std::function<std::vector<HWND>()>;

    StandardActions() = default;
    StandardActions(const StandardActions&) = delete;
    StandardActions& operator=(const StandardActions&) = delete;

    void attach(HWND frame, HWND client, ActiveValues activeValues, OpenedWindows opened);
    // False for actions that are not carried out here (exit, window menu, none).
    bool carryOut(StandardAction action);
    // The help page about the window of `windowKey`, the contents where no
    // page names that window.
    void openHelpFor(const std::string& windowKey);

  private:
    void tile();
    void showNeededScrollBars(PixelSize visible);
    void printerSetup();
    void openHelp(const char* page);
    void clipboard(StandardAction action);
    bool putOnClipboard(const std::string& text);

    HWND m_frame = nullptr;
    HWND m_client = nullptr;
    ActiveValues m_activeValues;
    OpenedWindows m_openedWindows;
    // The chosen printer and its settings, kept from one set-up to the next.
    GlobalMemory m_devMode;
    GlobalMemory m_devNames;
};

}  // namespace rt::win32
