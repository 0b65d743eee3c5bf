#include "ReportText.h"

#include "check/Recommendation.h"
#include "check/ReportNames.h"
#include "platform/base/TextField.h"
#include "platform/report/ProfileLines.h"
#include "survey/ShownText.h"

namespace keldwick {

rt::Result<ReportEntries, NotAReportReason> readReportText(std::string_view text) {
    if (text.empty()) {
        return NotAReportReason{NotAReport::Empty, {}};
    }
    if (text.find('\0') != std::string_view::npos) {
        return NotAReportReason{NotAReport::Binary, {}};
    }
    const auto lines = rt::profileLines(text);
    const auto header = rt::findProfileSection(lines, kReportSection);
    if (!header) {
        return NotAReportReason{NotAReport::NoSection, {}};
    }
    const auto body = rt::profileSectionBody(lines, *header);
    const auto* isWin95 = rt::findProfileEntry(body, kIsWin95Entry);
    if (isWin95 == nullptr) {
        return NotAReportReason{NotAReport::NoIsWin95, {}};
    }
    if (isWin95->value != "YES" && isWin95->value != "NO") {
        return NotAReportReason{NotAReport::UnknownIsWin95, std::string(isWin95->value)};
    }
    ReportEntries entries{std::string(isWin95->value), std::nullopt, {}};
    if (const auto* version = rt::findProfileEntry(body, kVersionEntry)) {
        // The check writes no VERSION that its own value rule makes blank.
        if (versionValue(version->value).empty()) {
            return NotAReportReason{NotAReport::BlankVersion, std::string(version->value)};
        }
        entries.version = std::string(version->value);
    }
    // A report without VERSION is one whose check found no driver: the window said "UNKNOWN".
    entries.recommendation = recommendation(entries.isWin95, entries.version.value_or("UNKNOWN"));
    return entries;
}

std::string describe(const NotAReportReason& reason) {
    std::string section(1, '[');
    section += kReportSection;
    section += ']';
    std::string text = "not a report: ";
    switch (reason.kind) {
        case NotAReport::Empty:
            return text + "the file is empty";
        case NotAReport::Binary:
            return text + "binary (it holds NUL bytes)";
        case NotAReport::NoSection:
            return text + "no " + section + " section";
        case NotAReport::NoIsWin95:
            return text + "no " + std::string(kIsWin95Entry) + " entry in " + section;
        case NotAReport::UnknownIsWin95:
            return text + std::string(kIsWin95Entry) + " is \"" + shownText(reason.value) +
                   "\", neither YES nor NO";
        case NotAReport::BlankVersion:
            return text + std::string(kVersionEntry) + " is blank";
    }
    return text + "unreadable";
}

}  // namespace keldwick
