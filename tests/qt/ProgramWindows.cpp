#include "ProgramWindows.h"

#include <memory>
#include <string>

#include "platform/window/WindowLayer.h"
#include "ui/ModuleKeys.h"

namespace keldwick::testing {

namespace {

using definition::Control;
using definition::ControlKind;
using definition::MenuEntry;

MenuEntry entry(int id, const std::string& text, const std::string& message, int code,
                std::vector<MenuEntry> items = {}) {
    return {id, 0, text, message, code, std::move(items)};
}

MenuEntry separator() {
    return {0, MenuEntry::kSeparatorFlag, "", "", 0, {}};
}

Control text(int id, int x, int y, const std::string& value) {
    Control c;
    c.kind = ControlKind::StaticText;
    c.id = id;
    c.x = x;
    c.y = y;
    c.text = value;
    c.font = {"Arial", 8, {}};
    return c;
}

Control display(int id, int x, int y) {
    Control c;
    c.kind = ControlKind::ValueDisplay;
    c.id = id;
    c.flags = 0x20;
    c.x = x;
    c.y = y;
    c.picture = "s40";
    c.background = {static_cast<std::int32_t>(0x8000000F)};
    c.variable = {0x12, 40};
    c.font = {"Arial", 8, {}};
    return c;
}

Control button(int id, int x, int y, const std::string& value) {
    Control c = text(id, x, y, value);
    c.kind = ControlKind::PushButton;
    return c;
}

}  // namespace

definition::WindowDescription frameWindow() {
    definition::WindowDescription d;
    d.moduleKey = std::string(kFrameModuleKey);
    d.windowKey = std::string(kFrameWindowKey);
    d.title = "Redirector Status";
    d.flags = 0x800;
    d.windowFlags = 0x1820;
    d.width = 310;
    d.height = 190;
    d.zoneWidths = {-1, 80, 120, 45};
    d.hasMenuBar = true;
    d.menus = {
        entry(-1, "&File", "", 0,
              {entry(-2, "P&rint Setup...", "Setup Printer", 16), separator(),
               entry(-3, "E&xit", "Exit this application", 15)}),
        entry(-4, "&Edit", "", 0,
              {entry(-5, "Cu&t", "Remove item to Windows Clipboard", 10),
               entry(-6, "&Copy", "Copy item to Windows Clipboard", 11),
               entry(-7, "&Paste", "Paste contents of Windows Clipboard", 12)}),
        entry(-8, "&Test", "", 0, {entry(-9, "GetVersion", "", 0)}),
        entry(0, "&Window", "Create and Arrange windows", 1,
              {entry(-10, "T&ile", "Make all open windows visible", 2),
               entry(-11, "&Cascade", "Stack all open windows", 3),
               entry(-12, "&Arrange Icons", "Align all window icons", 4)}),
        entry(0, "&Help", "Windows Help", 0,
              {entry(-13, "&Contents", "View the contents of the help file", 5),
               entry(-14, "&Search for Help On...", "Search for help on a subject", 7),
               entry(-15, "&How to Use Help", "How to use Windows Help", 6)}),
    };
    return d;
}

definition::WindowDescription statusWindow() {
    definition::WindowDescription d;
    d.moduleKey = std::string(kStatusModuleKey);
    d.windowKey = std::string(kStatusWindowKey);
    d.title = "Vredir.VXD Status";
    d.windowFlags = 0x3044;
    d.width = 236;
    d.height = 102;
    d.hasFont = true;
    d.font = {"Arial", 8, {}};
    Control note = text(7, 66, 54, "Results only meaningfull if Server is NT.");
    note.hasOwnFont = true;
    note.font.textColour = {0x00FF0000};
    d.controls = {text(1, 28, 3, "Is Win95? "),
                  display(2, 67, 3),
                  text(3, 10, 21, "VRedir Version:"),
                  display(4, 67, 20),
                  text(5, 20, 37, "Recommend:"),
                  display(6, 67, 36),
                  note,
                  text(8, 40, 63, "Based entirely on MS Knowledge Base Article: Q174371"),
                  text(9, 35, 72, "Search your OS vendor's support site often for updates."),
                  button(10, 103, 82, "Close")};
    return d;
}

void installProgramWindows() {
    rt::WindowLayer::instance().setDefinitionLoader([](std::string_view module, std::string_view window) {
        rt::LoadedDefinition loaded;
        if (module == kFrameModuleKey && window == kFrameWindowKey) {
            loaded.description = std::make_shared<definition::WindowDescription>(frameWindow());
        } else if (module == kStatusModuleKey && window == kStatusWindowKey) {
            loaded.description = std::make_shared<definition::WindowDescription>(statusWindow());
        } else {
            loaded.error = "no window " + std::string(window) + " in " + std::string(module);
        }
        return loaded;
    });
}

}  // namespace keldwick::testing
