#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "FixtureBuilder.h"
#include "platform/version/VersionLocator.h"
#include "platform/version/VersionQuery.h"

// Shortcuts for the version suites: run the pure reader over built bytes and
// ask what the services would answer.
namespace rt::version::test {

namespace fixtures = keldwick::fixtures;
using fixtures::Bytes;

inline constexpr std::string_view kProductQuery = "\\StringFileInfo\\040904E4\\FileVersion";

inline Result<VersionInfo, Error> readBytes(const Bytes& bytes) {
    MemorySource source(bytes);
    return readVersionInfo(source);
}

// The product's query on the block the services would hand out; nothing when
// the file is rejected or the query fails.
inline std::optional<std::string> queryFile(const Bytes& bytes, std::string_view path = kProductQuery) {
    const auto info = readBytes(bytes);
    if (!info) {
        return std::nullopt;
    }
    const auto answer = queryAnsiBlock(info->block, path);
    if (!answer) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(info->block.data() + answer->offset));
}

// The failure the reader reports; a test that expects one fails when the file is read.
inline Error rejection(const Bytes& bytes) {
    const auto info = readBytes(bytes);
    if (info) {
        ADD_FAILURE() << "the file was read, but a rejection was expected";
        return fail(Failure::Malformed, "(read)");
    }
    return info.error();
}

inline Bytes ansiDriverBlock(const std::string& fileVersion, const std::string& table = "040904E4") {
    return fixtures::encodeAnsi(fixtures::versionTree(fixtures::driverContents(fileVersion, table)));
}

inline Bytes unicodeDriverBlock(const std::string& fileVersion, const std::string& table = "040904E4") {
    return fixtures::encodeUnicode(fixtures::versionTree(fixtures::driverContents(fileVersion, table)));
}

inline std::string toString(Failure failure) {
    switch (failure) {
        case Failure::OpenFailed:
            return "OpenFailed";
        case Failure::ReadFailed:
            return "ReadFailed";
        case Failure::NotExecutable:
            return "NotExecutable";
        case Failure::Unsupported:
            return "Unsupported";
        case Failure::Truncated:
            return "Truncated";
        case Failure::Malformed:
            return "Malformed";
        case Failure::NoVersionResource:
            return "NoVersionResource";
    }
    return "?";
}

}  // namespace rt::version::test

namespace rt::version {
// Lets gtest print failure kinds by name.
inline void PrintTo(Failure failure, std::ostream* out) {
    *out << test::toString(failure);
}
}  // namespace rt::version

namespace std {
// Named fixtures print as their names, not as hundreds of bytes.
inline void PrintTo(const pair<string, keldwick::fixtures::Bytes>& fixture, ostream* out) {
    *out << fixture.first;
}
}  // namespace std
