#include "HelpPages.h"

#include <algorithm>

namespace rt::win32 {

namespace {

// The shell's answers (SE_ERR_... and the like), spelt out here so that the
// text for each can be checked without the system.
constexpr long long kOutOfResources = 0;
constexpr long long kFileNotFound = 2;
constexpr long long kPathNotFound = 3;
constexpr long long kAccessDenied = 5;
constexpr long long kOutOfMemory = 8;
constexpr long long kBadFormat = 11;
constexpr long long kSharingViolation = 26;
constexpr long long kAssociationIncomplete = 27;
constexpr long long kDdeTimeout = 28;
constexpr long long kDdeFailed = 29;
constexpr long long kDdeBusy = 30;
constexpr long long kNoAssociation = 31;
constexpr long long kLibraryNotFound = 32;

}  // namespace

const char* helpPageFor(StandardAction action) {
    switch (action) {
        case StandardAction::HelpSearch:
            return "search.html";
        case StandardAction::HelpOnHelp:
            return "using-help.html";
        default:
            return "index.html";
    }
}

std::string shellFailureReason(long long shellAnswer) {
    switch (shellAnswer) {
        case kNoAssociation:
        case kAssociationIncomplete:
            return "No program on this computer is set up to open .html files. Open the page with a web "
                   "browser, or install one.";
        // The page is there: what was not found is the program set up to open
        // it (a browser since removed).
        case kFileNotFound:
        case kPathNotFound:
            return "No program on this computer can open .html files: the one set up for them was not "
                   "found. Open the page with a web browser, or install one.";
        case kAccessDenied:
            return "Access to the file was denied.";
        case kOutOfResources:
        case kOutOfMemory:
            return "There is not enough memory to start the program that opens .html files.";
        case kBadFormat:
            return "The program set up to open .html files is not a valid program.";
        case kSharingViolation:
            return "The file is in use by another program.";
        case kDdeTimeout:
        case kDdeFailed:
        case kDdeBusy:
            return "The program set up to open .html files did not answer.";
        case kLibraryNotFound:
            return "A library that the program for .html files needs was not found.";
        default:
            return "The system answered with error " + std::to_string(shellAnswer) + ".";
    }
}

bool pageNamesWindow(std::string_view page, std::string_view windowKey) {
    const std::string meta = "<meta name=\"keldwick-window\" content=\"" + std::string(windowKey) + "\"";
    return !windowKey.empty() && page.find(meta) != std::string_view::npos;
}

bool isHelpPage(std::string_view fileName) {
    constexpr std::string_view kExtension = ".html";
    if (fileName.size() <= kExtension.size()) {
        return false;
    }
    const auto extension = fileName.substr(fileName.size() - kExtension.size());
    return std::equal(extension.begin(), extension.end(), kExtension.begin(), kExtension.end(),
                      [](char a, char b) { return (a | 0x20) == b; });
}

std::string helpFailureMessage(const std::string& page, const std::string& reason) {
    return "The help page\n" + page + "\ncould not be opened.\n\n" + reason;
}

}  // namespace rt::win32
