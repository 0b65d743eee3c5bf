// Feeds arbitrary bytes to the whole reader as a file, then queries the block
// the services would hand out and checks the promises made about it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/version/VersionLocator.h"
#include "platform/version/VersionQuery.h"
#include "tools/FuzzerHelp.h"

namespace {

struct Query {
    const char* path;
    bool isString;
};

constexpr Query kQueries[] = {
    {"\\StringFileInfo\\040904E4\\FileVersion", true},
    {"\\", false},
    {"\\VarFileInfo\\Translation", false},
    {"\\StringFileInfo\\040904b0\\fileversion", true},
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzing::answerHelp(*argc, *argv, "Feeds arbitrary bytes to the version reader as a whole file.");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = std::as_bytes(std::span(data, size));
    version::MemorySource source(bytes);
    const auto info = version::readVersionInfo(source);
    if (!info) {
        return 0;
    }
    const auto& block = info->block;
    if (block.size() > 0xFFFF || block.size() < 4 ||
        std::to_integer<std::size_t>(block[0]) + (std::to_integer<std::size_t>(block[1]) << 8) !=
            block.size()) {
        __builtin_trap();
    }
    for (const auto& query : kQueries) {
        const auto answer = version::queryAnsiBlock(block, query.path);
        if (!answer) {
            continue;
        }
        if (answer->offset >= block.size() || answer->length > block.size() - answer->offset) {
            __builtin_trap();
        }
        // Every string the services hand out ends with a NUL inside the block.
        const auto rest = std::span(block).subspan(answer->offset);
        if (query.isString && std::find(rest.begin(), rest.end(), std::byte{0}) == rest.end()) {
            __builtin_trap();
        }
    }
    return 0;
}
