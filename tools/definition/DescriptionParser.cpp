#include "tools/definition/DescriptionParser.h"

#include <optional>
#include <string>
#include <vector>

#include "tools/definition/DescriptionLexer.h"

namespace defc {

namespace {

using definition::Control;
using definition::ControlKind;
using definition::Font;
using definition::MenuEntry;
using definition::WindowDescription;

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
    ToolResult<WindowDescription> run(std::string_view text);

  private:
    // Each returns an error message, empty when the line was understood.
    std::string windowLine(const std::string& keyword, LineCursor& line);
    std::string menuLine(const std::string& keyword, LineCursor& line);
    std::string controlLine(const std::string& keyword, LineCursor& line);
    std::string entryAttributes(LineCursor& line, MenuEntry& entry);
    std::string controlAttribute(LineCursor& line, Control& control);
    static std::string fontAttributes(LineCursor& line, Font& font);
    void resolveFonts();

    WindowDescription m_window;
};

ToolResult<WindowDescription> Parser::run(std::string_view text) {
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        const auto raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        auto tokens = splitLine(raw);
        std::string problem = tokens ? std::string{} : tokens.message();
        if (tokens && !tokens.value().empty()) {
            LineCursor line(tokens.value());
            const auto keyword = line.word().value_or("");
            problem = windowLine(keyword, line);
            if (problem.empty() && !line.atEnd()) {
                problem = "unexpected \"" + line.peek()->text + "\"";
            }
        }
        if (!problem.empty()) {
            return ToolResult<WindowDescription>::failure("line " + std::to_string(number) + ": " + problem);
        }
    }
    if (m_window.moduleKey.empty() || m_window.windowKey.empty()) {
        return ToolResult<WindowDescription>::failure("a description needs its module and window lines");
    }
    resolveFonts();
    return m_window;
}

std::string Parser::windowLine(const std::string& keyword, LineCursor& line) {
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
        return "\"" + keyword + "\" is not understood here, or its values are missing";
    }
    return {};
}

std::string Parser::menuLine(const std::string& keyword, LineCursor& line) {
    if (keyword != "menu" && m_window.menus.empty()) {
        return "an item needs a menu above it";
    }
    MenuEntry entry;
    if (keyword == "separator") {
        entry.flags = MenuEntry::kSeparatorFlag;
    } else {
        const auto id = line.integer();
        auto text = line.string();
        if (!id || !text) {
            return keyword + " needs an id and a text";
        }
        entry.id = *id;
        entry.text = std::move(*text);
        if (auto problem = entryAttributes(line, entry); !problem.empty()) {
            return problem;
        }
    }
    m_window.hasMenuBar = true;
    auto& list = keyword == "menu" ? m_window.menus : m_window.menus.back().items;
    list.push_back(std::move(entry));
    return {};
}

std::string Parser::entryAttributes(LineCursor& line, MenuEntry& entry) {
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
            return "a menu entry takes message \"...\", action N or flags N";
        }
    }
    return {};
}

std::string Parser::controlLine(const std::string& keyword, LineCursor& line) {
    Control control;
    control.kind = keyword == "text"      ? ControlKind::StaticText
                   : keyword == "display" ? ControlKind::ValueDisplay
                                          : ControlKind::PushButton;
    const auto id = line.integer();
    if (!id) {
        return keyword + " needs an id";
    }
    control.id = *id;
    while (!line.atEnd()) {
        if (auto text = line.string(); text && control.kind != ControlKind::ValueDisplay) {
            control.text = std::move(*text);
        } else if (auto problem = text ? "a value display shows no text" : controlAttribute(line, control);
                   !problem.empty()) {
            return problem;
        }
    }
    m_window.controls.push_back(std::move(control));
    return {};
}

std::string Parser::controlAttribute(LineCursor& line, Control& control) {
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
               (a = line.takeWord("text") ? definition::kFixedTextType : line.integer()) &&
               (b = line.integer())) {
        control.variable.typeCode = static_cast<std::uint8_t>(*a);
        control.variable.length = *b;
    } else {
        return "\"" + name + "\" is no attribute of this control, or its values are missing";
    }
    return {};
}

// Takes face "...", points N and colour C until a word that is none of them.
std::string Parser::fontAttributes(LineCursor& line, Font& font) {
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
            return "font " + next->text + " needs its value";
        }
    }
    return {};
}

void Parser::resolveFonts() {
    for (auto& control : m_window.controls) {
        control.font =
            control.hasOwnFont ? definition::resolveFont(control.ownFont, m_window.font) : m_window.font;
    }
}

}  // namespace

ToolResult<WindowDescription> parseDescription(std::string_view text) {
    return Parser().run(text);
}

}  // namespace defc
