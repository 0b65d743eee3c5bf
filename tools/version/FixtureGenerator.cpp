// Writes the fixture corpus into a folder: whole files (the file fuzzer's initial
// corpus, and files to try the dump tool on), or with --blocks the bare
// version blocks (the query fuzzer's initial corpus).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "FixtureBuilder.h"

namespace {

constexpr const char* kUsage =
    "usage: keldwick-version-fixtures [--blocks] <folder>\n"
    "Writes the version reader's fixture files into <folder>, made if missing: whole files,\n"
    "or with --blocks the bare version blocks.\n";

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string_view(argv[1]) == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        const bool blocks = argc == 3 && std::string_view(argv[1]) == "--blocks";
        // Anything that looks like an option is never taken for the folder to write into.
        if ((argc != 2 && !blocks) || argv[argc - 1][0] == '-') {
            std::fputs(kUsage, stderr);
            return 2;
        }
        const std::filesystem::path folder = argv[argc - 1];
        std::filesystem::create_directories(folder);
        const auto corpus =
            blocks ? keldwick::fixtures::standardBlocks() : keldwick::fixtures::standardCorpus();
        for (const auto& [name, bytes] : corpus) {
            std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "cannot write %s\n", (folder / name).string().c_str());
                return 1;
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fixture generator: %s\n", error.what());
        return 1;
    }
}
