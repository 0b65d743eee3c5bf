#include "FlatWindowView.h"

namespace rt {

namespace {

KwFont plainFont(const definition::Font& font) {
    return KwFont{plainText(font.face), font.size, font.textColour.raw};
}

KwControl plainControl(const definition::Control& control) {
    KwControl plain{};
    plain.kind = static_cast<std::int32_t>(control.kind);
    plain.id = control.id;
    plain.flags = control.flags;
    plain.x = control.x;
    plain.y = control.y;
    plain.width = control.width;
    plain.height = control.height;
    plain.text = plainText(control.text);
    plain.hasOwnFont = control.hasOwnFont ? 1 : 0;
    plain.ownFont = plainFont(control.ownFont);
    plain.font = plainFont(control.font);
    plain.picture = plainText(control.picture);
    plain.background = control.background.raw;
    plain.variableType = control.variable.typeCode;
    plain.variableLength = control.variable.length;
    return plain;
}

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

void FlatWindowView::flattenDescription(const definition::WindowDescription& description) {
    m_description.moduleKey = plainText(description.moduleKey);
    m_description.windowKey = plainText(description.windowKey);
    m_description.title = plainText(description.title);
    m_description.flags = description.flags;
    m_description.windowFlags = description.windowFlags;
    m_description.x = description.x;
    m_description.y = description.y;
    m_description.width = description.width;
    m_description.height = description.height;
    m_description.hasFont = description.hasFont ? 1 : 0;
    m_description.font = plainFont(description.font);
    m_description.zoneWidths = description.zoneWidths.data();
    m_description.zoneCount = description.zoneWidths.size();
    m_controls.reserve(description.controls.size());
    for (const auto& control : description.controls) {
        m_controls.push_back(plainControl(control));
    }
    m_description.controls = m_controls.data();
    m_description.controlCount = m_controls.size();
    m_description.hasMenuBar = description.hasMenuBar ? 1 : 0;
    m_description.menus = flattenMenus(description.menus);
    m_description.menuCount = description.menus.size();
}

const KwMenuEntry* FlatWindowView::flattenMenus(const std::vector<definition::MenuEntry>& entries) {
    if (entries.empty()) {
        return nullptr;
    }
    auto& list = m_menuLists.emplace_back();
    list.reserve(entries.size());
    for (const auto& entry : entries) {
        list.push_back(KwMenuEntry{entry.id, entry.flags, plainText(entry.text), plainText(entry.message),
                                   entry.actionCode, flattenMenus(entry.items), entry.items.size()});
    }
    return list.data();
}

}  // namespace rt
