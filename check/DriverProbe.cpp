#include "DriverProbe.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/ErrorLine.h"
#include "platform/report/ProfileWriter.h"
#include "platform/system/Files.h"
#include "platform/system/WinApi.h"

namespace keldwick {

namespace {

using DirectoryQuery = rt::os::UINT (*)(char*, rt::os::UINT);

bool locateInDirectory(const std::string& directory, CandidatePath& candidate) {
    return !directory.empty() && candidate.tryAssign(directory) && LOCATEINDIR(candidate, kDriverFileName);
}

// The call copies the directory only where the buffer holds it whole with its
// NUL; any other answer leaves nothing to search.
bool locateInSystemDirectory(DirectoryQuery query, CandidatePath& candidate) {
    candidate.clear();
    const auto length = query(candidate.data(), static_cast<rt::os::UINT>(CandidatePath::kMaxLength));
    if (length == 0 || length >= CandidatePath::kMaxLength) {
        return false;
    }
    candidate.syncLength();
    return LOCATEINDIR(candidate, kDriverFileName);
}

bool findDriver(CandidatePath& candidate) {
    return locateInDirectory(rt::currentDirectory(), candidate) ||
           locateInSystemDirectory(rt::os::GetSystemDirectoryA, candidate) ||
           locateInSystemDirectory(rt::os::GetWindowsDirectoryA, candidate);
}

// A driver that is there but cannot be read, or a path where the system
// cannot tell whether one is, gives UNKNOWN, as a driver without a version
// does, but is not passed over in silence. The line claims no more than that
// the path could not be read.
void tellUnreadable(const CandidatePath& versionFileName) {
    if (const auto why = rt::versionReadFailure()) {
        rt::tellErrorLine({"cannot read ", versionFileName.view(), ": ", why.message()});
    }
}

// The version block, sized to what the file reports; empty when there is none to read.
std::vector<std::byte> readVersionBlock(const CandidatePath& versionFileName) {
    rt::os::DWORD handle = 0;
    const auto size = rt::os::GetFileVersionInfoSizeA(versionFileName.c_str(), &handle);
    if (size == 0 || size > kMaxVersionBlock) {
        tellUnreadable(versionFileName);
        return {};
    }
    std::vector<std::byte> block(size);
    if (!rt::os::GetFileVersionInfoA(versionFileName.c_str(), handle, size, block.data())) {
        tellUnreadable(versionFileName);
        return {};
    }
    return block;
}

}  // namespace

bool LOCATEINDIR(CandidatePath& candidate, std::string_view driverFileName) {
    if (!rt::endsWithSeparator(candidate.view()) && !candidate.tryAppend(rt::kPathSeparatorText)) {
        return false;
    }
    if (!candidate.tryAppend(driverFileName)) {
        return false;
    }
    if (rt::_access(candidate.c_str(), 0) == 0) {
        return true;
    }
    // Windows finds the driver whatever the letter case of its name; where names
    // keep their case, the same name in another case stands in for it.
    const auto other = rt::pathInOtherCase(std::string(candidate.view()));
    return !other.empty() && candidate.tryAssign(other);
}

void READFILEVERSION(std::span<const std::byte> block, const char* query, VersionValue& value) {
    value.clear();
    void* location = nullptr;
    rt::os::UINT length = 0;
    if (!rt::os::VerQueryValueA(block.data(), query, &location, &length) || location == nullptr) {
        return;
    }
    // The value must lie inside the block, its NUL too. Without one there the
    // text was cut: the system reads no more than the size it gave before, so
    // a file that grew in between leaves part of a version in the block. The
    // value buffer cuts what it cannot hold.
    const auto begin = reinterpret_cast<std::uintptr_t>(block.data());
    const auto at = reinterpret_cast<std::uintptr_t>(location);
    if (at < begin || at - begin >= block.size()) {
        return;
    }
    const auto rest = block.subspan(static_cast<std::size_t>(at - begin));
    const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());
    const auto end = text.find('\0');
    if (end == std::string_view::npos) {
        return;
    }
    value.assign(text.substr(0, end));
}

ResultField GETDRIVERVERSION() {
    ResultField result("UNKNOWN");
    CandidatePath candidate;
    if (!findDriver(candidate)) {
        return result;
    }
    const CandidatePath versionFileName = candidate;
    const auto block = readVersionBlock(versionFileName);
    if (block.empty()) {
        return result;
    }
    VersionValue value;
    READFILEVERSION(block, kVersionQuery.data(), value);
    const auto text = versionValue(value.view());
    if (rt::isBlank(text)) {
        return result;
    }
    result = text;
    if (!ReportPath.isBlank()) {
        (void)rt::putProfileEntry(kReportSection, kVersionEntry, result.trimmed(), ReportPath.c_str());
    }
    return result;
}

}  // namespace keldwick
