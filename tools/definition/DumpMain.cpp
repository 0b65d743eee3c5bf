// keldwick_defdump: prints a stored definition as the walk sees it.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/definition/StoredDefinitions.h"
#include "tools/definition/DefinitionDump.h"
#include "tools/definition/ToolFiles.h"

namespace {

constexpr const char* kUsage =
    "usage: keldwick_defdump <stored-definition.bin>\n"
    "       keldwick_defdump --embedded <module key>\n";

int dump(std::span<const std::byte> stored) {
    const auto out = keldwick::defc::dumpDefinition(stored);
    std::fputs(out.text.c_str(), stdout);
    return out.walked ? 0 : 1;
}

int run(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--embedded") {
        const auto stored = rt::definition::findStoredDefinition(argv[2]);
        if (!stored) {
            std::fprintf(stderr, "keldwick_defdump: no stored definition %s\n",
                         rt::definition::resourceNameFor(argv[2]).c_str());
            return 1;
        }
        return dump(*stored);
    }
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const auto bytes = keldwick::defc::readWholeFile(argv[1]);
    if (!bytes) {
        std::fprintf(stderr, "keldwick_defdump: %s\n", bytes.error().text.c_str());
        return 1;
    }
    return dump(std::as_bytes(std::span(bytes.value())));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "keldwick_defdump: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "keldwick_defdump: unexpected failure\n");
    }
    return 1;
}
