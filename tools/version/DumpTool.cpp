// Prints what the version reader sees in a file; see VersionDump.h.
// Usage: keldwick-version-dump <file> [query]
// Exit status: 0 when the file's version information was read, 1 when it was
// rejected (the reason is printed), 2 on bad usage.
#include <cstdio>
#include <exception>
#include <string_view>

#include "VersionDump.h"
#include "platform/version/VersionFile.h"

int main(int argc, char** argv) {
    try {
        constexpr const char* kUsage =
            "usage: keldwick-version-dump <file> [query]\n"
            "Shows what the version reader sees in <file>, and the text that [query] finds\n"
            "(default: \\StringFileInfo\\040904E4\\FileVersion).\n";
        if (argc == 2 && std::string_view(argv[1]) == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argc < 2 || argc > 3) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        std::printf("file: %s\n", argv[1]);
        auto file = rt::version::VersionFile::open(argv[1]);
        if (!file) {
            std::printf("rejected: %s\n", file.error().reason.c_str());
            return 1;
        }
        const auto dump = keldwick::dump::dumpVersionInfo(
            *file, argc == 3 ? std::string_view(argv[2]) : keldwick::dump::kProductQuery);
        std::fputs(dump.text.c_str(), stdout);
        return dump.ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "keldwick-version-dump: %s\n", error.what());
        return 2;
    }
}
