#include "VersionServices.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "VersionFile.h"
#include "VersionQuery.h"

namespace rt::version {

namespace {

// The smallest block that still says its own length and value length.
constexpr std::size_t kMinimalBlock = 4;

thread_local std::error_code t_lastReadFailure;

// Loads the file's version information, and keeps why its file could not be read.
Result<VersionInfo, Error> load(const char* fileName) {
    auto info = loadVersionInfo(fileName);
    t_lastReadFailure = info ? std::error_code{} : info.error().cause;
    return info;
}

std::optional<std::vector<std::byte>> readBlock(const char* fileName) {
    auto info = load(fileName);
    if (!info) {
        return std::nullopt;
    }
    return std::move(info->block);
}

}  // namespace

std::uint32_t fileVersionInfoSize(const char* fileName, std::uint32_t* handle) {
    if (handle != nullptr) {
        *handle = 0;
    }
    t_lastReadFailure.clear();
    if (fileName == nullptr) {
        return 0;
    }
    auto info = load(fileName);
    if (!info) {
        return 0;
    }
    std::uint32_t given = 0;
    if (info->located.location.offset <= std::numeric_limits<std::uint32_t>::max()) {
        given = static_cast<std::uint32_t>(info->located.location.offset);
    }
    if (handle != nullptr) {
        *handle = given;
    }
    return static_cast<std::uint32_t>(info->block.size());
}

int fileVersionInfo(const char* fileName, std::uint32_t /*handle*/, std::uint32_t length, void* data) {
    t_lastReadFailure.clear();
    if (fileName == nullptr || data == nullptr || length < kMinimalBlock) {
        return 0;
    }
    const auto block = readBlock(fileName);
    if (!block) {
        return 0;
    }
    const auto copied = std::min<std::size_t>(length, block->size());
    auto* out = static_cast<unsigned char*>(data);
    std::memcpy(out, block->data(), copied);
    // A cut block must not claim the bytes it lost.
    if (copied < block->size()) {
        out[0] = static_cast<unsigned char>(copied & 0xFF);
        out[1] = static_cast<unsigned char>(copied >> 8);
    }
    return 1;
}

int queryVersionValue(const void* block, const char* subBlock, void** buffer, unsigned int* length) {
    if (length != nullptr) {
        *length = 0;
    }
    if (block == nullptr || buffer == nullptr || length == nullptr) {
        return 0;
    }
    // The block says how long it is; the caller gave a buffer at least that long.
    const auto* bytes = static_cast<const std::byte*>(block);
    const auto rootLength =
        std::to_integer<std::size_t>(bytes[0]) | (std::to_integer<std::size_t>(bytes[1]) << 8);
    if (rootLength < kMinimalBlock) {
        return 0;
    }
    const auto answer = queryAnsiBlock(std::span(bytes, rootLength), subBlock == nullptr ? "" : subBlock);
    if (!answer) {
        return 0;
    }
    *buffer = const_cast<std::byte*>(bytes + answer->offset);
    *length = static_cast<unsigned int>(answer->length);
    return 1;
}

std::error_code lastReadFailure() {
    return t_lastReadFailure;
}

}  // namespace rt::version
