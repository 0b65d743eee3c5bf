// Feeds mutated stored definitions to the walk. Beyond "no crash, no
// over-read, no hang" it checks two properties of every definition the walk
// accepts: the checked walk agrees with the inspecting one, and compiling the
// description back and walking that gives the same description again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/definition/DefinitionWalk.h"
#include "tools/FuzzerHelp.h"
#include "tools/definition/DefinitionCompiler.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    keldwick::fuzzing::answerHelp(*argc, *argv,
                                  "Feeds mutated stored window definitions to the definition walk.");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stored = std::as_bytes(std::span(data, size));
    rt::definition::WalkTrace trace;
    const auto inspected = rt::definition::inspectDefinition(stored, trace);
    if (!inspected) {
        (void)inspected.error().message();
        return 0;
    }
    const auto& window = inspected.value();
    const auto walked = rt::definition::walkDefinition(stored, window.moduleKey, window.windowKey);
    if (!walked || !(walked.value() == window)) {
        std::abort();
    }
    // Keys of another length have no header layout, so they cannot be compiled.
    const auto compiled = keldwick::defc::compileDefinition(window);
    if (!compiled) {
        return 0;
    }
    const auto again = rt::definition::walkDefinition(compiled.value(), window.moduleKey, window.windowKey);
    if (!again || !(again.value() == window)) {
        std::abort();
    }
    return 0;
}
