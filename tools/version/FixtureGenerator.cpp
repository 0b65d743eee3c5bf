// Writes the fixture corpus into a folder: whole files (the file fuzzer's initial
// corpus, and files to try the dump tool on), or with --blocks the bare
// version blocks (the query fuzzer's initial corpus).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "FixtureBuilder.h"

int main(int argc, char** argv) {
    try {
        const bool blocks = argc == 3 && std::string_view(argv[1]) == "--blocks";
        if (argc != 2 && !blocks) {
            std::fprintf(stderr, "usage: %s [--blocks] <folder>\n", argv[0]);
            return 2;
        }
        const std::filesystem::path folder = argv[argc - 1];
        std::filesystem::create_directories(folder);
        const auto corpus =
            blocks ? version::fixtures::standardBlocks() : version::fixtures::standardCorpus();
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
