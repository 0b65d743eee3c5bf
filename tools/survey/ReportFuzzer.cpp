// Feeds arbitrary bytes to the survey's reading of a report and checks what
// it promises: shown and JSON texts hold no control byte and are UTF-8, and a
// text that the program's profile writer has put ISWIN95=YES into reads back
// as YES, so that reader and writer cannot disagree about a report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "check/ReportNames.h"
#include "platform/report/ProfileText.h"
#include "survey/ReportText.h"
#include "survey/ShownText.h"
#include "tools/FuzzerHelp.h"

namespace {

bool holdsControlBytes(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

// Every byte either ASCII or part of a character that shownText let through unchanged.
bool isUtf8(std::string_view text) {
    return keldwick::shownText(text) == text;
}

void require(bool promise) {
    if (!promise) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    keldwick::fuzzing::answerHelp(*argc, *argv, "Feeds arbitrary bytes to the survey's reading of a report.");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto shown = keldwick::shownText(text);
    require(!holdsControlBytes(shown) && isUtf8(shown));
    const auto json = keldwick::jsonString(text);
    require(!holdsControlBytes(json) && isUtf8(json));

    if (const auto read = keldwick::readReportText(text)) {
        require(read->recommendation == "OK" || read->recommendation == "UPGRADE" ||
                read->recommendation == "NOT95" || read->recommendation == "UNKNOWN");
    } else {
        require(!keldwick::describe(read.error()).empty());
    }
    if (text.find('\0') != std::string_view::npos) {
        return 0;
    }
    const auto written = rt::withProfileEntry(text, keldwick::kReportSection, keldwick::kIsWin95Entry, "YES");
    const auto reread = keldwick::readReportText(written);
    require(reread ? reread->isWin95 == "YES" : reread.error().kind == keldwick::NotAReport::BlankVersion);
    return 0;
}
