#include "CommandLine.h"

#include "app/RunMode.h"

namespace keldwick {

namespace {

// The runtime hands the parameters over as one text, separated by blanks.
template <typename Visit>
void forEachWord(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const auto start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            return;
        }
        text.remove_prefix(start);
        const auto end = text.find(' ');
        if (visit(text.substr(0, end))) {
            return;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
}

}  // namespace

CommandLineRequest requestOf(std::string_view parameters) {
    if (asksForHiddenMode(parameters)) {
        return CommandLineRequest::Run;
    }
    auto request = CommandLineRequest::Run;
    forEachWord(parameters, [&request](std::string_view word) {
        if (word == "--help") {
            request = CommandLineRequest::Usage;
        } else if (word == "--version") {
            request = CommandLineRequest::Version;
        }
        return request != CommandLineRequest::Run;
    });
    return request;
}

std::string usageText() {
    return "usage: keldwick [HIDE]\n"
           "Checks whether this machine runs the network redirector driver build 4.00.1116 that\n"
           "Windows NT file servers call for, and writes the result to KELDWICK.INI in the current folder.\n"
           "\n"
           "  (no parameters)  open the program's windows and show the results of one check\n"
           "  HIDE             no window: one check, the report written, exit status 0; HIDE may stand\n"
           "                   anywhere in the parameters, in any letter case, and then wins over the rest\n"
           "  --help           show this text\n"
           "  --version        show the program's version\n";
}

std::string versionText() {
    return "keldwick " KELDWICK_VERSION "\n";
}

}  // namespace keldwick
