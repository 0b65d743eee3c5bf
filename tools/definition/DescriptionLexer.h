#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/definition/ToolMessage.h"

namespace keldwick::defc {

struct Token {
    enum class Type { Word, String };
    Type type = Type::Word;
    std::string text;

    bool isWord(std::string_view word) const { return type == Type::Word && text == word; }
};

// Splits one line of a window description into words and quoted strings.
// "#" outside a string starts a comment. Strings keep every character as
// written, trailing blanks included; \" \\ and \xNN are the only escapes.
[[nodiscard]] Result<std::vector<Token>, ToolMessage> splitLine(std::string_view line);

// Decimal (with a sign) or 0x-prefixed hex up to 32 bits; hex values above
// 0x7FFFFFFF stand for the int32 with the same bits, as in 0x80000000.
std::optional<std::int32_t> parseInt32(std::string_view word);

}  // namespace keldwick::defc
