#include "tools/definition/DescriptionParser.h"

#include <optional>
#include <string>
#include <vector>

#include "tools/definition/DescriptionLexer.h"

namespace keldwick::defc {

namespace {

using rt::definition::Control;
using rt::definition::ControlKind;
using rt::definition::Font;
using rt::definition::MenuEntry;
using rt::definition::WindowDescription;

// The tokens of one line, taken from the front.
class LineCursor {
  public:
    explicit LineCursor(const std::vector<Token>& tokens) : m_tokens(tokens) {}

    bool atEnd() const { return m_next == m_tokens.size(); }
    const Token* peek() const { return atEnd() ? nullptr : &m_tokens[m_next]; }
    bool takeWord(std::string_view word) {
        const bool found = peek() != nullptr && peek()->isWord(word);
        m_next += found ? 1u : 0u;
        return found;
    }
    std::optional<std::string> word() { return take(Token::Type::Word); }
    std::optional<std::string> string() { return take(Token::Type::String); }
    std::optional<std::int32_t> integer() {
        const auto text =
            peek() != nullptr && peek()->type == Token::Type::Word ? parseInt32(peek()->text) : std::nullopt;
        m_next += text ? 1u : 0u;
        return text;
    }

  private:
    std::optional<std::string> take(Token::Type type) {
        if (peek() == nullptr || peek()->type != type) {
            return std::nullopt;
        }
        return m_tokens[m_next++].text;
    }

    const std::vector<Token>& m_tokens;
    std::size_t m_next = 0;
};

std::optional<std::int32_t> colour(LineCursor& line) {
    if (line.takeWord("system")) {
        const auto index = line.integer();
        return index && *index >= 0 ? std::optional(static_cast<std::int32_t>(
                                          0x80000000u | static_cast<std::uint32_t>(*index)))
                                    : std::nullopt;
    }
    if (line.takeWord("rgb")) {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const auto part = line.integer();
            if (!part || *part < 0 || *part > 255) {
                return std::nullopt;
            }
            value |= static_cast<std::uint32_t>(*part) << shift;
        }
        return static_cast<std::int32_t>(value);
    }
    return line.integer();
}

class Parser {
  public:
    Result<WindowDescription, ToolMessage> run(std::string_view text);

  private:
    using Understood = Result<void, ToolMessage>;

    Understood tokenLine(const std::vector<Token>& tokens);
    Understood windowLine(const std::string& keyword, LineCursor& line);
    Understood menuLine(const std::string& keyword, LineCursor& line);
    Understood controlLine(const std::string& keyword, LineCursor& line);
    static Understood entryAttributes(LineCursor& line, MenuEntry& entry);
    static Understood controlAttribute(LineCursor& line, Control& control);
    static Understood fontAttributes(LineCursor& line, Font& font);
    void resolveFonts();

    WindowDescription m_window;
};

Result<WindowDescription, ToolMessage> Parser::run(std::string_view text) {
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        const auto raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const auto tokens = splitLine(raw);
        const auto understood = tokens ? tokenLine(tokens.value()) : Understood(tokens.error());
        if (!understood) {
            return ToolMessage{"line " + std::to_string(number) + ": " + understood.error().text};
        }
    }
    if (m_window.moduleKey.empty() || m_window.windowKey.empty()) {
        return ToolMessage{"a description needs its module and window lines"};
    }
    resolveFonts();
    return m_window;
}

Parser::Understood Parser::tokenLine(const std::vector<Token>& tokens) {
    if (tokens.empty()) {
        return {};
    }
    LineCursor line(tokens);
    const auto keyword = line.word().value_or("");
    if (auto understood = windowLine(keyword, line); !understood) {
        return understood;
    }
    if (!line.atEnd()) {
        return ToolMessage{"unexpected \"" + line.peek()->text + "\""};
    }
    return {};
}

Parser::Understood Parser::windowLine(const std::string& keyword, LineCursor& line) {
    auto& w = m_window;
    std::optional<std::string> text;
    std::optional<std::int32_t> a;
    std::optional<std::int32_t> b;
    if (keyword == "module" && (text = line.word())) {
        w.moduleKey = *text;
    } else if (keyword == "window" && (text = line.word())) {
        w.windowKey = *text;
    } else if (keyword == "title" && (text = line.string())) {
        w.title = *text;
    } else if (keyword == "flags" && (a = line.integer())) {
        w.flags = *a;
    } else if (keyword == "windowflags" && (a = line.integer())) {
        w.windowFlags = *a;
    } else if (keyword == "position" && (a = line.integer()) && (b = line.integer())) {
        w.x = *a;
        w.y = *b;
    } else if (keyword == "size" && (a = line.integer()) && (b = line.integer())) {
        w.width = *a;
        w.height = *b;
    } else if (keyword == "font") {
        w.hasFont = true;
        return fontAttributes(line, w.font);
    } else if (keyword == "zones" && !line.atEnd()) {
        while ((a = line.integer())) {
            w.zoneWidths.push_back(*a);
        }
    } else if (keyword == "menu" || keyword == "item" || keyword == "separator") {
        return menuLine(keyword, line);
    } else if (keyword == "text" || keyword == "display" || keyword == "button") {
        return controlLine(keyword, line);
    } else {
        return ToolMessage{"\"" + keyword + "\" is not understood here, or its values are missing"};
    }
    return {};
}

Parser::Understood Parser::menuLine(const std::string& keyword, LineCursor& line) {
    if (keyword != "menu" && m_window.menus.empty()) {
        return ToolMessage{"an item needs a menu above it"};
    }
    MenuEntry entry;
    if (keyword == "separator") {
        entry.flags = MenuEntry::kSeparatorFlag;
    } else {
        const auto id = line.integer();
        auto text = line.string();
        if (!id || !text) {
            return ToolMessage{keyword + " needs an id and a text"};
        }
        entry.id = *id;
        entry.text = std::move(*text);
        if (auto understood = entryAttributes(line, entry); !understood) {
            return understood;
        }
    }
    m_window.hasMenuBar = true;
    auto& list = keyword == "menu" ? m_window.menus : m_window.menus.back().items;
    list.push_back(std::move(entry));
    return {};
}

Parser::Understood Parser::entryAttributes(LineCursor& line, MenuEntry& entry) {
    while (!line.atEnd()) {
        const auto name = line.word().value_or("");
        std::optional<std::string> text;
        std::optional<std::int32_t> value;
        if (name == "message" && (text = line.string())) {
            entry.message = *text;
        } else if (name == "action" && (value = line.integer())) {
            entry.actionCode = *value;
        } else if (name == "flags" && (value = line.integer())) {
            entry.flags = *value;
        } else {
            return ToolMessage{"a menu entry takes message \"...\", action N or flags N"};
        }
    }
    return {};
}

Parser::Understood Parser::controlLine(const std::string& keyword, LineCursor& line) {
    Control control;
    control.kind = keyword == "text"      ? ControlKind::StaticText
                   : keyword == "display" ? ControlKind::ValueDisplay
                                          : ControlKind::PushButton;
    const auto id = line.integer();
    if (!id) {
        return ToolMessage{keyword + " needs an id"};
    }
    control.id = *id;
    while (!line.atEnd()) {
        if (auto text = line.string(); text && control.kind != ControlKind::ValueDisplay) {
            control.text = std::move(*text);
        } else if (auto understood = text ? Understood(ToolMessage{"a value display shows no text"})
                                          : controlAttribute(line, control);
                   !understood) {
            return understood;
        }
    }
    m_window.controls.push_back(std::move(control));
    return {};
}

Parser::Understood Parser::controlAttribute(LineCursor& line, Control& control) {
    const auto name = line.word().value_or("");
    const bool display = control.kind == ControlKind::ValueDisplay;
    std::optional<std::int32_t> a;
    std::optional<std::int32_t> b;
    std::optional<std::string> text;
    if (name == "at" && (a = line.integer()) && (b = line.integer())) {
        control.x = *a;
        control.y = *b;
    } else if (name == "size" && (a = line.integer()) && (b = line.integer())) {
        control.width = *a;
        control.height = *b;
    } else if (name == "flags" && (a = line.integer())) {
        control.flags = *a;
    } else if (name == "font" && control.kind == ControlKind::StaticText) {
        control.hasOwnFont = true;
        return fontAttributes(line, control.ownFont);
    } else if (name == "picture" && display && (text = line.string())) {
        control.picture = *text;
    } else if (name == "background" && display && (a = colour(line))) {
        control.background.raw = *a;
    } else if (name == "bind" && display &&
               (a = line.takeWord("text") ? rt::definition::kFixedTextType : line.integer()) &&
               (b = line.integer())) {
        control.variable.typeCode = static_cast<std::uint8_t>(*a);
        control.variable.length = *b;
    } else {
        return ToolMessage{"\"" + name + "\" is no attribute of this control, or its values are missing"};
    }
    return {};
}

// Takes face "...", points N and colour C until a word that is none of them.
Parser::Understood Parser::fontAttributes(LineCursor& line, Font& font) {
    for (const Token* next = line.peek(); next != nullptr; next = line.peek()) {
        std::optional<std::string> face;
        std::optional<std::int32_t> value;
        if (line.takeWord("face")) {
            face = line.string();
            font.face = face.value_or("");
        } else if (line.takeWord("points")) {
            value = line.integer();
            font.size = value.value_or(0);
        } else if (line.takeWord("colour")) {
            value = colour(line);
            font.textColour.raw = value.value_or(-1);
        } else {
            return {};
        }
        if (!face && !value) {
            return ToolMessage{"font " + next->text + " needs its value"};
        }
    }
    return {};
}

void Parser::resolveFonts() {
    for (auto& control : m_window.controls) {
        control.font =
            control.hasOwnFont ? rt::definition::resolveFont(control.ownFont, m_window.font) : m_window.font;
    }
}

}  // namespace

Result<WindowDescription, ToolMessage> parseDescription(std::string_view text) {
    return Parser().run(text);
}

}  // namespace keldwick::defc
