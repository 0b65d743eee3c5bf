#include "CommandLine.h"

#include "app/RunMode.h"
#include "platform/base/AsciiCase.h"

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
        if (word == "--help" || word == "/?") {
            request = CommandLineRequest::Usage;
        } else if (word == "--version") {
            request = CommandLineRequest::Version;
        }
        return request != CommandLineRequest::Run;
    });
    return request;
}

bool asksForStatus(std::string_view parameters) {
    bool asked = false;
    forEachWord(parameters, [&asked](std::string_view word) {
        for (auto slash = word.find('/'); slash != std::string_view::npos && !asked; slash = word.find('/')) {
            word.remove_prefix(slash + 1);
            asked = rt::equalsIgnoringAsciiCase(word.substr(0, word.find('/')), "STATUS");
        }
        return asked;
    });
    return asked;
}

std::string usageText() {
    return "usage: keldwick [HIDE] [/STATUS]\n"
           "Checks whether this machine runs the network redirector driver build 4.00.1116 that\n"
           "Windows NT file servers call for, and writes the result to KELDWICK.INI in the current folder.\n"
           "\n"
           "  (no parameters)  open the program's windows and show the results of one check\n"
           "  HIDE             no window: one check, the report written; HIDE may stand anywhere in\n"
           "                   the parameters, in any letter case, and then wins over the rest\n"
           "  /STATUS          end with a status that gives the answer (else 0), for IF ERRORLEVEL:\n"
           "                   0 OK, 1 no check was made, 2 UPGRADE, 3 NOT95, 4 UNKNOWN,\n"
           "                   5 the report could not be written (it is not this run's)\n"
           "                   Without HIDE: the answer of the last check before the program closed.\n"
           "  --help, /?       show this text\n"
           "  --version        show the program's version\n";
}

std::string versionText() {
    return "keldwick " KELDWICK_VERSION "\n";
}

}  // namespace keldwick
