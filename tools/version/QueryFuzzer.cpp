// Feeds arbitrary bytes to the block parser and to the query as a block, the
// way VerQueryValueA may be handed a buffer it did not make.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/version/VersionBlock.h"
#include "platform/version/VersionQuery.h"
#include "tools/FuzzerHelp.h"

namespace {

constexpr const char* kPaths[] = {
    "\\StringFileInfo\\040904E4\\FileVersion",
    "",
    "\\\\VarFileInfo\\\\Translation\\",
    "StringFileInfo\\040904E4",
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    keldwick::fuzzing::answerHelp(*argc, *argv,
                                  "Feeds arbitrary bytes to the version query as a bare version block.");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto block = std::as_bytes(std::span(data, size));
    for (const char* path : kPaths) {
        const auto answer = rt::version::queryAnsiBlock(block, path);
        if (answer && (answer->offset >= block.size() || answer->length > block.size() - answer->offset)) {
            __builtin_trap();
        }
    }
    const auto tree = rt::version::parseVersionBlock(block);
    if (tree) {
        (void)rt::version::encodeAnsiBlock(tree->root);
    }
    return 0;
}
