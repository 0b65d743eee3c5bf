#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/definition/StoredDefinitions.h"

// The program's two definitions and small helpers to read and corrupt them
// by origin offset, the way offsets inside a definition count.
namespace rt::definition::test {

inline constexpr std::string_view kFrameModule = "KELDWICK$PROGRAMFRAME";
inline constexpr std::string_view kFrameWindow = "MAIN$APPFRAME";
inline constexpr std::string_view kStatusModule = "KELDWICK$STATUSWINDOW";
inline constexpr std::string_view kStatusWindow = "GETREDIRINFO$WINDOW";
inline constexpr std::size_t kOrigin = 20;

inline std::vector<std::byte> storedCopy(std::string_view moduleKey) {
    const auto stored = rt::definition::findStoredDefinition(moduleKey);
    EXPECT_TRUE(stored) << moduleKey;
    return stored ? std::vector<std::byte>(stored->begin(), stored->end()) : std::vector<std::byte>{};
}

inline std::uint8_t u8(const std::vector<std::byte>& bytes, std::int32_t offset) {
    return std::to_integer<std::uint8_t>(bytes.at(kOrigin + static_cast<std::size_t>(offset)));
}

inline std::int32_t i32(const std::vector<std::byte>& bytes, std::int32_t offset) {
    std::uint32_t value = 0;
    for (std::int32_t i = 3; i >= 0; --i) {
        value = (value << 8) | u8(bytes, offset + i);
    }
    return static_cast<std::int32_t>(value);
}

inline void setU8(std::vector<std::byte>& bytes, std::int32_t offset, std::uint8_t value) {
    bytes.at(kOrigin + static_cast<std::size_t>(offset)) = static_cast<std::byte>(value);
}

inline void setI32(std::vector<std::byte>& bytes, std::int32_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::int32_t i = 0; i < 4; ++i) {
        setU8(bytes, offset + i, static_cast<std::uint8_t>(bits >> (8 * i)));
    }
}

// Follows a chain by hand: the offset of each record, through next at +1.
inline std::vector<std::int32_t> chainFrom(const std::vector<std::byte>& bytes, std::int32_t first) {
    std::vector<std::int32_t> chain;
    for (auto at = first; at != 0 && chain.size() < 100; at = i32(bytes, at + 1)) {
        chain.push_back(at);
    }
    return chain;
}

inline std::int32_t endOffset(const std::vector<std::byte>& bytes) {
    return static_cast<std::int32_t>(bytes.size() - kOrigin);
}

inline std::string descriptionText(std::string_view file) {
    std::ifstream in(std::string(KELDWICK_DESCRIPTIONS_DIR) + "/" + std::string(file), std::ios::binary);
    EXPECT_TRUE(in.is_open()) << file;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace rt::definition::test
