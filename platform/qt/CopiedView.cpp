#include "CopiedView.h"

#include <memory>
#include <vector>

namespace rt::qt {

namespace {

using namespace definition;

// Stored menus are two levels deep: menus and their items. A deeper tree
// handed over can only be a damaged one, and is cut here rather than
// followed without end.
constexpr int kMenuDepthLimit = 8;

Font copiedFont(const KwFont& font) {
    return Font{copiedText(font.face), font.size, Colour{font.textColour}};
}

Control copiedControl(const KwControl& plain) {
    Control control;
    control.kind = static_cast<ControlKind>(plain.kind);
    control.id = plain.id;
    control.flags = plain.flags;
    control.x = plain.x;
    control.y = plain.y;
    control.width = plain.width;
    control.height = plain.height;
    control.text = copiedText(plain.text);
    control.hasOwnFont = plain.hasOwnFont != 0;
    control.ownFont = copiedFont(plain.ownFont);
    control.font = copiedFont(plain.font);
    control.picture = copiedText(plain.picture);
    control.background = Colour{plain.background};
    control.variable =
        VariableDescriptor{static_cast<std::uint8_t>(plain.variableType), plain.variableLength};
    return control;
}

std::vector<MenuEntry> copiedMenus(const KwMenuEntry* entries, std::size_t count, int depth) {
    std::vector<MenuEntry> menus;
    if (entries == nullptr || depth > kMenuDepthLimit) {
        return menus;
    }
    menus.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const KwMenuEntry& plain = entries[i];
        menus.push_back(MenuEntry{plain.id, plain.flags, copiedText(plain.text), copiedText(plain.message),
                                  plain.actionCode, copiedMenus(plain.items, plain.itemCount, depth + 1)});
    }
    return menus;
}

WindowDescription copiedDescription(const KwWindowDescription& plain) {
    WindowDescription description;
    description.moduleKey = copiedText(plain.moduleKey);
    description.windowKey = copiedText(plain.windowKey);
    description.title = copiedText(plain.title);
    description.flags = plain.flags;
    description.windowFlags = plain.windowFlags;
    description.x = plain.x;
    description.y = plain.y;
    description.width = plain.width;
    description.height = plain.height;
    description.hasFont = plain.hasFont != 0;
    description.font = copiedFont(plain.font);
    if (plain.zoneWidths != nullptr) {
        description.zoneWidths.assign(plain.zoneWidths, plain.zoneWidths + plain.zoneCount);
    }
    if (plain.controls != nullptr) {
        description.controls.reserve(plain.controlCount);
        for (std::size_t i = 0; i < plain.controlCount; ++i) {
            description.controls.push_back(copiedControl(plain.controls[i]));
        }
    }
    description.hasMenuBar = plain.hasMenuBar != 0;
    description.menus = copiedMenus(plain.menus, plain.menuCount, 1);
    return description;
}

}  // namespace

std::string copiedText(KwText text) {
    return text.data != nullptr ? std::string(text.data, text.length) : std::string();
}

WindowView copiedView(const KwWindowView& plain) {
    WindowView view;
    view.id = plain.id;
    view.isFrame = plain.isFrame != 0;
    view.description = std::make_shared<const WindowDescription>(
        plain.description != nullptr ? copiedDescription(*plain.description) : WindowDescription{});
    if (plain.texts != nullptr) {
        for (std::size_t i = 0; i < plain.textCount; ++i) {
            view.texts.insert_or_assign(plain.texts[i].control, copiedText(plain.texts[i].text));
        }
    }
    view.focus = plain.focus;
    return view;
}

}  // namespace rt::qt
