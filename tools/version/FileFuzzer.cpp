// Feeds arbitrary bytes to the whole reader as a file, then queries the block
// the services would hand out and checks the promises made about it, and
// cuts the file inside its block to see that no cut block is handed out.
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

constexpr std::uint64_t kCutsPerBlock = 8;

constexpr Query kQueries[] = {
    {"\\StringFileInfo\\040904E4\\FileVersion", true},
    {"\\", false},
    {"\\VarFileInfo\\Translation", false},
    {"\\StringFileInfo\\040904b0\\fileversion", true},
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    keldwick::fuzzing::answerHelp(*argc, *argv,
                                  "Feeds arbitrary bytes to the version reader as a whole file.");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = std::as_bytes(std::span(data, size));
    rt::version::MemorySource source(bytes);
    const auto info = rt::version::readVersionInfo(source);
    if (!info) {
        return 0;
    }
    const auto& block = info->block;
    // The file cut anywhere inside its version block gives that same block or
    // none, never the text up to the cut.
    const auto blockStart = info->located.location.offset;
    const std::uint64_t length = info->tree.declaredLength;
    for (std::uint64_t i = 0; i <= kCutsPerBlock; ++i) {
        // Spread over the block; the last cut is one byte short of its end.
        const auto cut = blockStart + (i == kCutsPerBlock ? length - 1 : length * i / kCutsPerBlock);
        if (cut >= size) {
            __builtin_trap();  // the block was handed out, so the file holds it whole
        }
        rt::version::MemorySource prefix(bytes.first(static_cast<std::size_t>(cut)));
        const auto shorter = rt::version::readVersionInfo(prefix);
        if (shorter && shorter->block != block) {
            __builtin_trap();
        }
    }
    if (block.size() > 0xFFFF || block.size() < 4 ||
        std::to_integer<std::size_t>(block[0]) + (std::to_integer<std::size_t>(block[1]) << 8) !=
            block.size()) {
        __builtin_trap();
    }
    for (const auto& query : kQueries) {
        const auto answer = rt::version::queryAnsiBlock(block, query.path);
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
