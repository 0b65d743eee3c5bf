// keldwick-import-check: will Windows 95 and 98 load this 32-bit program, and
// does every function it imports work there?
//   keldwick-import-check [--lists FOLDER] FILE.exe 95|98...
// Prints the imports by DLL, then what blocks and what is worth knowing.
// Exit status: 0 nothing blocks, 1 something does, 2 the file or the lists
// could not be read.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "ImportCheck.h"

namespace {

constexpr const char* usageText = "usage: keldwick-import-check [--lists FOLDER] FILE.exe 95|98...\n";

int usage() {
    std::fputs(usageText, stderr);
    return 2;
}

void printImports(const keldwick::imports::PeImage& image) {
    std::map<std::string, std::vector<std::string>> byDll;
    for (const auto& import : image.imports) {
        byDll[keldwick::imports::dllKey(import.dll)].push_back(
            import.name.empty() ? std::string("#").append(std::to_string(import.ordinal)) : import.name);
    }
    for (const auto& [dll, names] : byDll) {
        std::printf("%s.DLL (%zu):", dll.c_str(), names.size());
        for (const auto& name : names) {
            std::printf(" %s", name.c_str());
        }
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path lists = KELDWICK_IMPORT_LISTS;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (arguments.size() >= 2 && arguments[0] == "--lists") {
        lists = arguments[1];
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.size() < 2) {
        return usage();
    }
    std::ifstream in(arguments[0], std::ios::binary);
    const std::vector<char> raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
        std::fprintf(stderr, "keldwick-import-check: cannot read %s\n", arguments[0].c_str());
        return 2;
    }
    const auto image = keldwick::imports::readPeImage(std::as_bytes(std::span(raw)));
    if (!image) {
        std::fprintf(stderr, "keldwick-import-check: %s: %s\n", arguments[0].c_str(), image.error().c_str());
        return 2;
    }
    const auto loaded = keldwick::imports::Windows9xLists::load(lists);
    if (!loaded) {
        std::fprintf(stderr, "keldwick-import-check: %s\n", loaded.error().c_str());
        return 2;
    }
    const auto accepted = keldwick::imports::loadAccepted(lists / "accepted.txt");
    std::printf("%s: %zu imports\n", arguments[0].c_str(), image->imports.size());
    printImports(*image);
    bool blocked = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const auto& name = arguments[i];
        if (name != "95" && name != "98") {
            return usage();
        }
        const auto target =
            name == "95" ? keldwick::imports::Target::Windows95 : keldwick::imports::Target::Windows98;
        const auto findings = keldwick::imports::checkImage(*image, *loaded, accepted, target);
        int blocking = 0;
        for (const auto& finding : findings) {
            std::printf("  Windows %s %s %s\n", name.c_str(), finding.blocks ? "BLOCKS" : "note  ",
                        finding.text.c_str());
            blocking += finding.blocks ? 1 : 0;
        }
        std::printf("Windows %s: %s\n", name.c_str(),
                    blocking == 0
                        ? "loads, and every import works"
                        : (std::to_string(blocking) + " import(s) or header field(s) block").c_str());
        blocked = blocked || blocking != 0;
    }
    return blocked ? 1 : 0;
}
