#pragma once

#include <string>
#include <string_view>

#include "platform/window/StandardAction.h"

namespace rt::win32 {

// The bundled help is a folder of HTML pages beside the program, opened with
// whatever the system opens .html files with. Each help entry has its page;
// "search" is a subject index, as no page can search on its own.
const char* helpPageFor(StandardAction action);

// Why a page could not be opened, as a sentence for the person: from the
// shell's answer (32 or less) when opening a page that is there failed.
std::string shellFailureReason(long long shellAnswer);

// Whether a help page is about the window of `windowKey`: its head names the
// window in a meta element, <meta name="keldwick-window" content="KEY">.
bool pageNamesWindow(std::string_view page, std::string_view windowKey);
bool isHelpPage(std::string_view fileName);

// The message shown when help cannot be opened: which file, and why.
std::string helpFailureMessage(const std::string& page, const std::string& reason);

}  // namespace rt::win32
