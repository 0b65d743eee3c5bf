#include "FlatWindowView.h"

#include "platform/window/ViewFields.h"

namespace rt {

namespace {

using namespace definition;

// The program's values as the plain structs carry them: texts point into the
// view, which outlives the module's call.
struct Flatten {
    void operator()(const std::string& from, KwText& to) const { to = plainText(from); }
    void operator()(const std::int32_t& from, std::int32_t& to) const { to = from; }
    void operator()(const std::uint8_t& from, std::int32_t& to) const { to = from; }
    void operator()(const bool& from, std::int32_t& to) const { to = from ? 1 : 0; }
    void operator()(const ControlKind& from, std::int32_t& to) const { to = static_cast<std::int32_t>(from); }
    void operator()(const Colour& from, std::int32_t& to) const { to = from.raw; }
    void operator()(const Font& from, KwFont& to) const { pairFontFields(from, to, *this); }
};

}  // namespace

FlatWindowView::FlatWindowView(const WindowView& view) {
    m_view.id = view.id;
    m_view.isFrame = view.isFrame ? 1 : 0;
    m_view.focus = view.focus;
    if (view.description) {
        flattenDescription(*view.description);
        m_view.description = &m_description;
    }
    m_texts.reserve(view.texts.size());
    for (const auto& [control, text] : view.texts) {
        m_texts.push_back(KwControlText{control, plainText(text)});
    }
    m_view.texts = m_texts.data();
    m_view.textCount = m_texts.size();
}

void FlatWindowView::flattenDescription(const WindowDescription& description) {
    pairDescriptionFields(description, m_description, Flatten{});
    m_description.zoneWidths = description.zoneWidths.data();
    m_description.zoneCount = description.zoneWidths.size();
    m_controls.reserve(description.controls.size());
    for (const auto& control : description.controls) {
        pairControlFields(control, m_controls.emplace_back(), Flatten{});
    }
    m_description.controls = m_controls.data();
    m_description.controlCount = m_controls.size();
    m_description.menus = flattenMenus(description.menus);
    m_description.menuCount = description.menus.size();
}

const KwMenuEntry* FlatWindowView::flattenMenus(const std::vector<MenuEntry>& entries) {
    if (entries.empty()) {
        return nullptr;
    }
    auto& list = m_menuLists.emplace_back();
    list.reserve(entries.size());
    for (const auto& entry : entries) {
        auto& plain = list.emplace_back();
        pairMenuEntryFields(entry, plain, Flatten{});
        plain.items = flattenMenus(entry.items);
        plain.itemCount = entry.items.size();
    }
    return list.data();
}

}  // namespace rt
