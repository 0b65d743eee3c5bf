#include "ShownText.h"

#include <cstdint>

namespace keldwick {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

// The length of the well-formed UTF-8 character that starts `bytes`, with the
// character itself; a length of 0 where none starts there (stray continuation
// bytes, overlong forms, surrogates, values past U+10FFFF, a cut sequence).
struct Utf8Character {
    std::size_t length = 0;
    std::uint32_t value = 0;
};

Utf8Character utf8At(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    std::size_t length = 0;
    std::uint32_t value = 0;
    std::uint32_t smallest = 0;
    if (lead < 0x80) {
        return {1, lead};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() < length) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0u) != 0x80u) {
            return {};
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {};
    }
    return {length, value};
}

bool isControl(std::uint32_t character) {
    return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

void appendHexByte(std::string& out, std::string_view prefix, unsigned char byte) {
    out += prefix;
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0Fu];
}

}  // namespace

std::string shownText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto character = utf8At(bytes);
        if (character.length == 0 || isControl(character.value)) {
            appendHexByte(out, "\\x", static_cast<unsigned char>(bytes.front()));
            bytes.remove_prefix(1);
            continue;
        }
        out += bytes.substr(0, character.length);
        bytes.remove_prefix(character.length);
    }
    return out;
}

std::size_t shownWidth(std::string_view shown) {
    std::size_t width = 0;
    for (const char c : shown) {
        // Continuation bytes belong to the character before them.
        width += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1 : 0;
    }
    return width;
}

std::string jsonString(std::string_view bytes) {
    std::string out = "\"";
    while (!bytes.empty()) {
        const auto character = utf8At(bytes);
        const auto byte = static_cast<unsigned char>(bytes.front());
        if (character.length == 0 || isControl(character.value)) {
            // Not UTF-8, or a control character: the byte's number, as a character.
            const auto number = character.length <= 1 ? byte : static_cast<unsigned char>(character.value);
            switch (number) {
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                default:
                    appendHexByte(out, "\\u00", number);
            }
            bytes.remove_prefix(character.length == 0 ? 1 : character.length);
            continue;
        }
        if (byte == '"' || byte == '\\') {
            out += '\\';
        }
        out += bytes.substr(0, character.length);
        bytes.remove_prefix(character.length);
    }
    out += '"';
    return out;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

}  // namespace keldwick
