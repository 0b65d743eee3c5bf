#include "tools/definition/DefinitionCompiler.h"

#include <limits>
#include <string>
#include <string_view>

#include "platform/definition/RecordLayout.h"
#include "tools/definition/DefinitionWriter.h"

namespace keldwick::defc {

namespace {

using rt::definition::Control;
using rt::definition::ControlKind;
using rt::definition::Font;
using rt::definition::MenuEntry;
using rt::definition::WindowDescription;
namespace L = rt::definition::layout;

constexpr std::int32_t kOpenColour = -1;

void setKind(DefinitionWriter& out, std::int32_t record, L::Kind kind) {
    out.setU8(record, L::kKind, static_cast<std::uint8_t>(kind));
}

// Links a chain as it is written: the first record goes into the field that
// starts the chain, each later one into its predecessor's next.
class ChainLink {
  public:
    ChainLink(DefinitionWriter& out, std::int32_t owner, std::size_t firstField)
        : m_out(out), m_owner(owner), m_field(firstField) {}

    void append(std::int32_t record) {
        m_out.setI32(m_owner, m_field, record);
        m_owner = record;
        m_field = L::kNext;
    }

  private:
    DefinitionWriter& m_out;
    std::int32_t m_owner;
    std::size_t m_field;
};

std::int32_t writeFont(DefinitionWriter& out, const Font& font) {
    const auto record = out.block(L::font::kSize);
    out.setI32(record, L::font::kName, out.text(font.face));
    out.setI32(record, L::font::kPointSize, font.size);
    out.setI32(record, L::font::kTextColour, font.textColour.raw);
    out.setI32(record, L::font::kFourth, kOpenColour);
    return record;
}

std::int32_t writeZones(DefinitionWriter& out, const std::vector<std::int32_t>& widths) {
    std::int32_t toTheRight = 0;
    for (auto width = widths.rbegin(); width != widths.rend(); ++width) {
        const auto entry = out.block(L::zone::kSize);
        out.setI32(entry, L::zone::kWidth, *width);
        out.setI32(entry, L::zone::kNext, toTheRight);
        toTheRight = entry;
    }
    return toTheRight;
}

std::int32_t writeMenuEntry(DefinitionWriter& out, const MenuEntry& entry, L::Kind kind) {
    const auto text = out.text(entry.text);
    const auto message = out.text(entry.message);
    const auto record = out.block(kind == L::Kind::Menu ? L::menu::kSize : L::menu::kItemSize);
    setKind(out, record, kind);
    out.setI32(record, L::kFlags, entry.flags);
    out.setI32(record, L::menu::kId, entry.id);
    out.setI32(record, L::menu::kText, text);
    out.setI32(record, L::menu::kMessage, message);
    out.setI32(record, L::menu::kActionCode, entry.actionCode);
    return record;
}

void writeMenuBar(DefinitionWriter& out, std::int32_t window, const std::vector<MenuEntry>& menus) {
    const auto bar = out.block(L::menubar::kSize);
    setKind(out, bar, L::Kind::MenuBar);
    out.setI32(window, L::window::kMenuBar, bar);
    ChainLink menuChain(out, bar, L::menubar::kFirstMenu);
    for (const auto& menu : menus) {
        const auto record = writeMenuEntry(out, menu, L::Kind::Menu);
        menuChain.append(record);
        ChainLink itemChain(out, record, L::menu::kFirstItem);
        for (const auto& item : menu.items) {
            itemChain.append(writeMenuEntry(out, item, L::Kind::MenuItem));
        }
    }
}

void setPlacement(DefinitionWriter& out, std::int32_t record, std::size_t xField, const Control& control) {
    out.setI32(record, xField, control.x);
    out.setI32(record, xField + 4, control.y);
    out.setI32(record, xField + 8, control.width);
    out.setI32(record, xField + 12, control.height);
}

std::int32_t writeStaticText(DefinitionWriter& out, const Control& control) {
    namespace S = L::statictext;
    const auto text = out.text(control.text);
    const auto font = control.hasOwnFont ? writeFont(out, control.ownFont) : 0;
    const auto record = out.block(S::kSize);
    setKind(out, record, L::Kind::StaticText);
    out.setI32(record, S::kId, control.id);
    setPlacement(out, record, S::kX, control);
    out.setI32(record, S::kText, text);
    out.setI32(record, S::kFont, font);
    return record;
}

std::int32_t writeValueDisplay(DefinitionWriter& out, const Control& control) {
    namespace V = L::valuedisplay;
    const auto picture = out.text(control.picture);
    std::int32_t colours = 0;
    if (control.background.isGiven()) {
        colours = out.block(L::colours::kSize);
        out.setI32(colours, L::colours::kBackground, control.background.raw);
        out.setI32(colours, L::colours::kBackground + 4, kOpenColour);
        out.setI32(colours, L::colours::kBackground + 8, kOpenColour);
    }
    std::int32_t variable = 0;
    if (control.variable != rt::definition::VariableDescriptor{}) {
        variable = out.block(L::variable::kSize);
        out.setU8(variable, L::variable::kTypeCode, control.variable.typeCode);
        out.setI32(variable, L::variable::kLength, control.variable.length);
    }
    const auto record = out.block(V::kSize);
    setKind(out, record, L::Kind::ValueDisplay);
    out.setI32(record, V::kId, control.id);
    out.setI32(record, V::kVariable, variable);
    setPlacement(out, record, V::kX, control);
    out.setI32(record, V::kColours, colours);
    out.setI32(record, V::kPicture, picture);
    out.setU8(record, V::kTrailer + 4, V::kTrailerLastByte);
    return record;
}

std::int32_t writePushButton(DefinitionWriter& out, const Control& control) {
    namespace P = L::pushbutton;
    const auto text = out.text(control.text);
    const auto record = out.block(P::kSize);
    setKind(out, record, L::Kind::PushButton);
    out.setI32(record, P::kId, control.id);
    setPlacement(out, record, P::kX, control);
    out.setI32(record, P::kText, text);
    return record;
}

std::int32_t writeControl(DefinitionWriter& out, const Control& control) {
    std::int32_t record = 0;
    switch (control.kind) {
        case ControlKind::StaticText:
            record = writeStaticText(out, control);
            break;
        case ControlKind::ValueDisplay:
            record = writeValueDisplay(out, control);
            break;
        case ControlKind::PushButton:
            record = writePushButton(out, control);
            break;
    }
    out.setI32(record, L::kFlags, control.flags);
    return record;
}

std::int32_t writeWindow(DefinitionWriter& out, const WindowDescription& window) {
    namespace W = L::window;
    const auto title = out.text(window.title);
    const auto key = out.text(window.windowKey);
    const auto font = window.hasFont ? writeFont(out, window.font) : 0;
    const auto zones = writeZones(out, window.zoneWidths);
    const auto record = out.block(W::kSize);
    setKind(out, record, L::Kind::Window);
    out.setI32(record, L::kFlags, window.flags);
    out.setI32(record, W::kX, window.x);
    out.setI32(record, W::kY, window.y);
    out.setI32(record, W::kWidth, window.width);
    out.setI32(record, W::kHeight, window.height);
    out.setI32(record, W::kWindowKey, key);
    out.setI32(record, W::kFont, font);
    out.setI32(record, W::kTitle, title);
    out.setI32(record, W::kWindowFlags, window.windowFlags);
    out.setI32(record, W::kFirstZone, zones);
    return record;
}

// Every text the description stores; a NUL inside one would cut it short.
std::vector<std::string_view> texts(const WindowDescription& window) {
    std::vector<std::string_view> out{window.title, window.windowKey, window.font.face};
    for (const auto& menu : window.menus) {
        out.insert(out.end(), {menu.text, menu.message});
        for (const auto& item : menu.items) {
            out.insert(out.end(), {item.text, item.message});
        }
    }
    for (const auto& control : window.controls) {
        out.insert(out.end(), {control.text, control.picture, control.ownFont.face});
    }
    return out;
}

Result<void, ToolMessage> checkDescribable(const WindowDescription& window) {
    if (window.moduleKey.size() != L::kModuleKeyLength) {
        return ToolMessage{"module key \"" + window.moduleKey + "\" must have " +
                           std::to_string(L::kModuleKeyLength) + " characters"};
    }
    if (!window.menus.empty() && !window.hasMenuBar) {
        return ToolMessage{"menus without a menu bar"};
    }
    for (const auto text : texts(window)) {
        if (text.find('\0') != std::string_view::npos) {
            return ToolMessage{"a text holds a NUL: \"" + std::string(text.substr(0, text.find('\0'))) +
                               "...\""};
        }
    }
    for (const auto& control : window.controls) {
        if (control.hasOwnFont && control.kind != ControlKind::StaticText) {
            return ToolMessage{"control " + std::to_string(control.id) +
                               ": only a static text has a font of its own"};
        }
    }
    return {};
}

}  // namespace

Result<std::vector<std::byte>, ToolMessage> compileDefinition(const WindowDescription& window) {
    if (auto describable = checkDescribable(window); !describable) {
        return describable.error();
    }
    DefinitionWriter out(window.moduleKey);
    const auto record = writeWindow(out, window);
    out.setWindowOffset(record);
    if (window.hasMenuBar) {
        writeMenuBar(out, record, window.menus);
    }
    ChainLink controls(out, record, L::window::kFirstControl);
    for (const auto& control : window.controls) {
        controls.append(writeControl(out, control));
    }
    auto bytes = std::move(out).take();
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return ToolMessage{"definition too large for its offsets"};
    }
    return bytes;
}

}  // namespace keldwick::defc
