#pragma once

#include <deque>
#include <string_view>
#include <vector>

#include "platform/window/Presenter.h"
#include "platform/window/PresenterModule.h"

namespace rt {

inline KwText plainText(std::string_view text) {
    return KwText{text.data(), text.size()};
}

// A window view as the module's C interface carries it. The plain structs
// point into `view` and into this object, so both must outlive every use of
// plain(); the module copies what it keeps before its call returns.
class FlatWindowView {
  public:
    explicit FlatWindowView(const WindowView& view);
    FlatWindowView(const FlatWindowView&) = delete;
    FlatWindowView& operator=(const FlatWindowView&) = delete;

    const KwWindowView& plain() const { return m_view; }

  private:
    void flattenDescription(const definition::WindowDescription& description);
    const KwMenuEntry* flattenMenus(const std::vector<definition::MenuEntry>& entries);

    KwWindowDescription m_description{};
    std::vector<KwControl> m_controls;
    // One list per menu level; a deque never moves what it holds, so the
    // entries above keep pointing at their items.
    std::deque<std::vector<KwMenuEntry>> m_menuLists;
    std::vector<KwControlText> m_texts;
    KwWindowView m_view{};
};

}  // namespace rt
