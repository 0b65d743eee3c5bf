#include "CopiedView.h"

#include <memory>
#include <vector>

#include "platform/window/ViewFields.h"

namespace rt::qt {

namespace {

using namespace definition;

// Stored menus are two levels deep: menus and their items. A deeper tree
// handed over can only be a damaged one, and is cut here rather than
// followed without end.
constexpr int kMenuDepthLimit = 8;

// The plain structs' values in the module's own types.
struct Copy {
    void operator()(std::string& to, const KwText& from) const { to = copiedText(from); }
    void operator()(std::int32_t& to, const std::int32_t& from) const { to = from; }
    void operator()(std::uint8_t& to, const std::int32_t& from) const {
        to = static_cast<std::uint8_t>(from);
    }
    void operator()(bool& to, const std::int32_t& from) const { to = from != 0; }
    void operator()(ControlKind& to, const std::int32_t& from) const { to = static_cast<ControlKind>(from); }
    void operator()(Colour& to, const std::int32_t& from) const { to = Colour{from}; }
    void operator()(Font& to, const KwFont& from) const { pairFontFields(to, from, *this); }
};

std::vector<MenuEntry> copiedMenus(const KwMenuEntry* entries, std::size_t count, int depth) {
    std::vector<MenuEntry> menus;
    if (entries == nullptr || depth > kMenuDepthLimit) {
        return menus;
    }
    menus.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const KwMenuEntry& plain = entries[i];
        auto& entry = menus.emplace_back();
        pairMenuEntryFields(entry, plain, Copy{});
        entry.items = copiedMenus(plain.items, plain.itemCount, depth + 1);
    }
    return menus;
}

WindowDescription copiedDescription(const KwWindowDescription& plain) {
    WindowDescription description;
    pairDescriptionFields(description, plain, Copy{});
    if (plain.zoneWidths != nullptr) {
        description.zoneWidths.assign(plain.zoneWidths, plain.zoneWidths + plain.zoneCount);
    }
    if (plain.controls != nullptr) {
        description.controls.reserve(plain.controlCount);
        for (std::size_t i = 0; i < plain.controlCount; ++i) {
            pairControlFields(description.controls.emplace_back(), plain.controls[i], Copy{});
        }
    }
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
