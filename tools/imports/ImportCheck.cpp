#include "ImportCheck.h"

#include <fstream>

namespace keldwick::imports {

namespace {

constexpr std::uint16_t kI386 = 0x014C;

// DLLs that a system as first sold does not ship. Windows 95 gained
// MSVCRT.DLL only with the applications that installed it, so a program that
// needs it does not start on every Windows 95; CRTDLL.DLL is there.
bool isMissingOn95(const std::string& key) {
    return key == "MSVCRT";
}

std::string versionText(std::uint16_t major, std::uint16_t minor) {
    return std::to_string(major) + "." + std::to_string(minor);
}

bool above4(std::uint16_t major, std::uint16_t minor) {
    return major > 4 || (major == 4 && minor > 0);
}

void checkHeader(const PeImage& image, std::vector<Finding>& out) {
    if (image.machine != kI386) {
        out.push_back({true, "machine " + std::to_string(image.machine) + " is not i386 (332)"});
    }
    if (image.isPe32Plus) {
        out.push_back({true, "a PE32+ image: the 95 family loads PE32 only"});
    }
    if (above4(image.subsystemMajor, image.subsystemMinor)) {
        out.push_back({true, "subsystem version " + versionText(image.subsystemMajor, image.subsystemMinor) +
                                 " is above 4.0, which the 95 family's loader refuses"});
    }
    if (above4(image.osMajor, image.osMinor)) {
        out.push_back(
            {true, "system version " + versionText(image.osMajor, image.osMinor) + " is above 4.0"});
    }
}

std::optional<Finding> checkImport(const Import& import, const Windows9xLists& lists,
                                   const Accepted& accepted, Target target) {
    const auto key = dllKey(import.dll);
    const std::string label =
        import.dll + "!" + (import.name.empty() ? "#" + std::to_string(import.ordinal) : import.name);
    const bool on95 = target == Target::Windows95;
    if (import.delayed) {
        return Finding{true, label + ": delay-loaded, which this check does not follow"};
    }
    if (import.name.empty()) {
        return Finding{true, label + ": imported by ordinal, which the lists cannot check"};
    }
    if (const auto found = accepted.find(key + "!" + import.name); found != accepted.end()) {
        return Finding{false, label + ": accepted:" + found->second};
    }
    const auto* exports = lists.exports(key, target);
    if (exports == nullptr) {
        return Finding{true, label + ": nothing is known of " + import.dll + " on this system"};
    }
    const auto* known = lists.known(key, import.name);
    const auto present = known != nullptr ? (on95 ? known->presentOn95 : known->presentOn98) : std::nullopt;
    if (!exports->contains(import.name) && !present.value_or(false)) {
        return Finding{true, label + ": missing, the loader refuses the program"};
    }
    if (known != nullptr && (on95 ? known->stubOn95 : known->stubOn98)) {
        return Finding{true, label + ": a stub that fails every call:" + known->note};
    }
    if (known != nullptr && (on95 ? known->caveatOn95 : known->caveatOn98)) {
        return Finding{false, label + ": works on a condition:" + known->note};
    }
    if (known != nullptr && (known->works || known->caveatOn95 || known->caveatOn98)) {
        return std::nullopt;
    }
    // Most wide-character functions of the 95 family are stubs beside a working ANSI twin.
    if (import.name.ends_with('W') &&
        exports->contains(import.name.substr(0, import.name.size() - 1) + "A")) {
        return Finding{true, label + ": a wide-character function, a stub on the 95 family"};
    }
    return std::nullopt;
}

}  // namespace

Accepted loadAccepted(const std::filesystem::path& file) {
    Accepted accepted;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') {
            continue;
        }
        const auto end = line.find_first_of(" \t#", start);
        auto key = line.substr(start, end - start);
        const auto bang = key.find('!');
        if (bang != std::string::npos) {
            key = dllKey(key.substr(0, bang)) + key.substr(bang);
        }
        const auto hash = line.find('#', start);
        accepted[key] = hash == std::string::npos ? std::string() : line.substr(hash + 1);
    }
    return accepted;
}

std::vector<Finding> checkImage(const PeImage& image, const Windows9xLists& lists, const Accepted& accepted,
                                Target target) {
    std::vector<Finding> findings;
    checkHeader(image, findings);
    std::string lastDll;
    for (const auto& import : image.imports) {
        const auto key = dllKey(import.dll);
        if (target == Target::Windows95 && isMissingOn95(key) && key != lastDll) {
            findings.push_back({true, import.dll + ": not part of Windows 95 as first sold, where the "
                                                   "loader then refuses the program"});
        }
        lastDll = key;
        if (auto finding = checkImport(import, lists, accepted, target)) {
            findings.push_back(std::move(*finding));
        }
    }
    return findings;
}

}  // namespace keldwick::imports
