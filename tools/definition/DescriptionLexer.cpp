#include "tools/definition/DescriptionLexer.h"

#include <charconv>

namespace keldwick::defc {

namespace {

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

// Reads a quoted string starting at line[at] == '"'; leaves `at` after the closing quote.
Result<std::string, ToolMessage> readString(std::string_view line, std::size_t& at) {
    std::string out;
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            ++at;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (at + 1 < line.size() && (line[at + 1] == '"' || line[at + 1] == '\\')) {
            out += line[++at];
            continue;
        }
        const auto high = at + 3 < line.size() && line[at + 1] == 'x' ? hexDigit(line[at + 2]) : std::nullopt;
        const auto low = high ? hexDigit(line[at + 3]) : std::nullopt;
        if (!low) {
            return ToolMessage{"unknown escape in a string"};
        }
        out += static_cast<char>(*high * 16 + *low);
        at += 3;
    }
    return ToolMessage{"string without its closing quote"};
}

}  // namespace

Result<std::vector<Token>, ToolMessage> splitLine(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (c == '#') {
            break;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
            continue;
        }
        if (c == '"') {
            auto text = readString(line, at);
            if (!text) {
                return ToolMessage{text.error().text};
            }
            tokens.push_back({Token::Type::String, std::move(text).value()});
            continue;
        }
        const auto end = line.find_first_of(" \t\r\"#", at);
        const auto word = line.substr(at, end == std::string_view::npos ? line.size() - at : end - at);
        tokens.push_back({Token::Type::Word, std::string(word)});
        at += word.size();
    }
    return tokens;
}

std::optional<std::int32_t> parseInt32(std::string_view word) {
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        std::uint32_t bits = 0;
        const auto [end, error] = std::from_chars(word.data() + 2, word.data() + word.size(), bits, 16);
        if (error != std::errc{} || end != word.data() + word.size()) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(bits);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 10);
    if (error != std::errc{} || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace keldwick::defc
