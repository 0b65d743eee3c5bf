#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// libFuzzer skips "--help" with a note and starts fuzzing in the current
// folder, leaving crash files there. The fuzz targets answer it instead.
namespace keldwick::fuzzing {

inline void answerHelp(int argc, char** argv, const char* what) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            std::printf(
                "usage: %s [libFuzzer flags] [corpus folder...]\n"
                "%s\n"
                "libFuzzer's own flags start with one dash: -help=1 lists them.\n",
                argv[0], what);
            std::exit(0);
        }
    }
}

}  // namespace keldwick::fuzzing
