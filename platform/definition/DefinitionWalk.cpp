#include "platform/definition/DefinitionWalk.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/definition/ControlChain.h"
#include "platform/definition/RecordLayout.h"
#include "platform/definition/StoredDefinitionView.h"

namespace rt::definition {

namespace {

using rt::ByteReader;
namespace L = layout;

static_assert(L::window::kFirstZone + 4 <= L::window::kSize);
static_assert(L::menu::kActionCode + 4 <= L::menu::kItemSize);
static_assert(L::menu::kFirstItem + 4 <= L::menu::kSize);

std::int32_t fieldAt(const ByteReader& record, std::size_t at) {
    return StoredDefinitionView::field(record, at);
}

struct ExpectedKeys {
    std::string_view moduleKey;
    std::string_view windowKey;
};

class Walker {
  public:
    Walker(std::span<const std::byte> stored, std::optional<ExpectedKeys> expected, WalkTrace* trace)
        : m_view(stored, trace), m_expected(expected) {
        if (m_expected) {
            m_view.nameDefinition(m_expected->moduleKey, m_expected->windowKey);
        }
    }

    Result<WindowDescription, DefinitionError> run();

  private:
    Result<std::int32_t, DefinitionError> readHeader(std::string& moduleKey);
    Result<void, DefinitionError> readWindow(const ByteReader& record, WindowDescription& window);
    Result<std::vector<std::int32_t>, DefinitionError> readZones(std::int32_t offset);
    Result<std::vector<MenuEntry>, DefinitionError> readMenuBar(std::int32_t offset);
    Result<MenuEntry, DefinitionError> readMenuEntry(const ByteReader& record);

    StoredDefinitionView m_view;
    std::optional<ExpectedKeys> m_expected;
};

Result<WindowDescription, DefinitionError> Walker::run() {
    WindowDescription window;
    auto windowOffset = readHeader(window.moduleKey);
    if (!windowOffset) {
        return windowOffset.error();
    }
    auto record = m_view.record(windowOffset.value(), PieceKind::Window);
    if (!record) {
        return record.error();
    }
    if (auto read = readWindow(record.value(), window); !read) {
        return read.error();
    }
    auto zones = readZones(fieldAt(record.value(), L::window::kFirstZone));
    if (!zones) {
        return zones.error();
    }
    window.zoneWidths = std::move(zones).value();
    auto controls = ControlChain(m_view, window.font).read(fieldAt(record.value(), L::window::kFirstControl));
    if (!controls) {
        return controls.error();
    }
    window.controls = std::move(controls).value();
    const auto menuBar = fieldAt(record.value(), L::window::kMenuBar);
    if (menuBar != 0) {
        auto menus = readMenuBar(menuBar);
        if (!menus) {
            return menus.error();
        }
        window.hasMenuBar = true;
        window.menus = std::move(menus).value();
    }
    return window;
}

Result<std::int32_t, DefinitionError> Walker::readHeader(std::string& moduleKey) {
    const auto& whole = m_view.whole();
    constexpr auto kKeyAt = -static_cast<std::int64_t>(L::kOrigin);
    if (whole.size() < L::kHeaderSize) {
        return m_view.failure(DefinitionFault::TruncatedHeader,
                              static_cast<std::int64_t>(whole.size()) + kKeyAt,
                              std::to_string(whole.size()) + " bytes in all");
    }
    const auto key = whole.cStringAt(0, L::kModuleKeyField);
    if (!key) {
        return m_view.failure(DefinitionFault::UnterminatedText, kKeyAt, "module key");
    }
    if (m_expected && *key != m_expected->moduleKey) {
        return m_view.failure(DefinitionFault::ModuleKeyMismatch, kKeyAt,
                              "stored " + StoredDefinitionView::quoted(*key));
    }
    if (!m_expected) {
        m_view.nameDefinition(*key, {});
    }
    moduleKey = *key;
    const auto windowOffset = whole.i32At(L::kWindowOffsetField).value_or(0);
    if (windowOffset == 0) {
        return m_view.failure(DefinitionFault::OffsetOutOfBounds,
                              static_cast<std::int64_t>(L::kWindowOffsetField) + kKeyAt, "no window record");
    }
    return windowOffset;
}

Result<void, DefinitionError> Walker::readWindow(const ByteReader& record, WindowDescription& window) {
    const auto keyOffset = fieldAt(record, L::window::kWindowKey);
    auto key = m_view.text(keyOffset);
    if (!key) {
        return key.error();
    }
    if (m_expected && key.value() != m_expected->windowKey) {
        return m_view.failure(DefinitionFault::WindowKeyMismatch, keyOffset,
                              "stored " + StoredDefinitionView::quoted(key.value()));
    }
    if (!m_expected) {
        m_view.nameDefinition(window.moduleKey, key.value());
    }
    window.windowKey = std::move(key).value();
    auto title = m_view.text(fieldAt(record, L::window::kTitle));
    if (!title) {
        return title.error();
    }
    window.title = std::move(title).value();
    window.flags = fieldAt(record, L::kFlags);
    window.windowFlags = fieldAt(record, L::window::kWindowFlags);
    window.x = fieldAt(record, L::window::kX);
    window.y = fieldAt(record, L::window::kY);
    window.width = fieldAt(record, L::window::kWidth);
    window.height = fieldAt(record, L::window::kHeight);
    const auto fontOffset = fieldAt(record, L::window::kFont);
    if (fontOffset != 0) {
        auto font = m_view.font(fontOffset);
        if (!font) {
            return font.error();
        }
        window.hasFont = true;
        window.font = std::move(font).value();
    }
    return {};
}

Result<std::vector<std::int32_t>, DefinitionError> Walker::readZones(std::int32_t offset) {
    std::vector<std::int32_t> widths;
    while (offset != 0) {
        auto zone = m_view.subRecord(offset, PieceKind::Zone);
        if (!zone) {
            return zone.error();
        }
        widths.push_back(fieldAt(zone.value(), L::zone::kWidth));
        offset = fieldAt(zone.value(), L::zone::kNext);
    }
    return widths;
}

Result<std::vector<MenuEntry>, DefinitionError> Walker::readMenuBar(std::int32_t offset) {
    auto bar = m_view.record(offset, PieceKind::MenuBar);
    if (!bar) {
        return bar.error();
    }
    std::vector<MenuEntry> menus;
    for (auto menuOffset = fieldAt(bar.value(), L::menubar::kFirstMenu); menuOffset != 0;) {
        auto record = m_view.record(menuOffset, PieceKind::Menu);
        if (!record) {
            return record.error();
        }
        auto menu = readMenuEntry(record.value());
        if (!menu) {
            return menu.error();
        }
        for (auto itemOffset = fieldAt(record.value(), L::menu::kFirstItem); itemOffset != 0;) {
            auto itemRecord = m_view.record(itemOffset, PieceKind::MenuItem);
            if (!itemRecord) {
                return itemRecord.error();
            }
            auto item = readMenuEntry(itemRecord.value());
            if (!item) {
                return item.error();
            }
            menu.value().items.push_back(std::move(item).value());
            itemOffset = fieldAt(itemRecord.value(), L::kNext);
        }
        menus.push_back(std::move(menu).value());
        menuOffset = fieldAt(record.value(), L::kNext);
    }
    return menus;
}

Result<MenuEntry, DefinitionError> Walker::readMenuEntry(const ByteReader& record) {
    MenuEntry entry;
    entry.id = fieldAt(record, L::menu::kId);
    entry.flags = fieldAt(record, L::kFlags);
    entry.actionCode = fieldAt(record, L::menu::kActionCode);
    auto text = m_view.text(fieldAt(record, L::menu::kText));
    if (!text) {
        return text.error();
    }
    entry.text = std::move(text).value();
    auto message = m_view.text(fieldAt(record, L::menu::kMessage));
    if (!message) {
        return message.error();
    }
    entry.message = std::move(message).value();
    return entry;
}

}  // namespace

Result<WindowDescription, DefinitionError> walkDefinition(std::span<const std::byte> stored,
                                                          std::string_view moduleKey,
                                                          std::string_view windowKey) {
    return Walker(stored, ExpectedKeys{moduleKey, windowKey}, nullptr).run();
}

Result<WindowDescription, DefinitionError> inspectDefinition(std::span<const std::byte> stored,
                                                             WalkTrace& trace) {
    return Walker(stored, std::nullopt, &trace).run();
}

}  // namespace rt::definition
