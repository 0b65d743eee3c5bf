// Our portable version reader against the system's own version services, on
// every PE and NE fixture of the corpus and the files that are neither. Both
// are asked what the driver probe asks: the size, the block, then the
// FileVersion of the 040904E4 table. Sizes differ by design (Windows NT
// reserves room for conversions, ours is the block as the Windows 95 family
// gave it), so what is compared is what the probe sees: whether a block was
// read, whether the query found the value, and the value's text.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "FixtureBuilder.h"
#include "WindowsTestSupport.h"
#include "platform/system/WinApi.h"
#include "platform/version/VersionServices.h"

namespace {

constexpr const char* kQuery = "\\StringFileInfo\\040904E4\\FileVersion";

struct Answer {
    bool hasBlock = false;
    bool found = false;
    std::string text;
    friend bool operator==(const Answer&, const Answer&) = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& answer) {
    if (!answer.hasBlock) {
        return out << "no block";
    }
    return out << (answer.found ? "\"" + answer.text + "\"" : std::string("not found"));
}

// The text the probe copies: the bytes at the answer up to the first NUL.
std::string textAt(const void* value, const std::vector<std::byte>& block) {
    const auto* begin = static_cast<const char*>(value);
    const auto* end = reinterpret_cast<const char*>(block.data() + block.size());
    if (begin < reinterpret_cast<const char*>(block.data()) || begin >= end) {
        return "<outside the block>";
    }
    return std::string(begin, static_cast<std::size_t>(std::find(begin, end, '\0') - begin));
}

Answer askWindows(const std::string& path) {
    Answer answer;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    std::vector<std::byte> block(size);
    answer.hasBlock = size != 0 && ::GetFileVersionInfoA(path.c_str(), handle, size, block.data()) != 0;
    void* value = nullptr;
    UINT length = 0;
    if (answer.hasBlock && ::VerQueryValueA(block.data(), kQuery, &value, &length) != 0 && value != nullptr) {
        answer.found = true;
        answer.text = textAt(value, block);
    }
    return answer;
}

Answer askOurs(const std::string& path) {
    Answer answer;
    rt::os::DWORD handle = 0;
    const rt::os::DWORD size = rt::version::fileVersionInfoSize(path.c_str(), &handle);
    std::vector<std::byte> block(size);
    answer.hasBlock =
        size != 0 && rt::version::fileVersionInfo(path.c_str(), handle, size, block.data()) != 0;
    void* value = nullptr;
    rt::os::UINT length = 0;
    if (answer.hasBlock && rt::version::queryVersionValue(block.data(), kQuery, &value, &length) != 0 &&
        value != nullptr) {
        answer.found = true;
        answer.text = textAt(value, block);
    }
    return answer;
}

// Where our reader answers differently from Windows on purpose; the reason
// stands beside each file.
const std::map<std::string, std::string>& knownDifferences() {
    static const std::map<std::string, std::string> differences = {
        {"ne-shift-16.dll",
         "an alignment shift of 16 puts every resource offset past 4 GiB; we refuse the table, the system "
         "reads a block from the wrapped offset and finds no value in it: the probe answers UNKNOWN either "
         "way"},
        {"ne-count-past-table.dll",
         "the version type claims more resources than its table holds; the system takes the first entry "
         "without checking the count, we refuse the table"},
    };
    return differences;
}

// Files the system's service cannot be asked about: it faults reading the
// data its resource directory points at outside the file, which ends the process.
const std::map<std::string, std::string>& notAskedOfTheSystem() {
    static const std::map<std::string, std::string> files = {
        {"pe32-data-rva-outside.dll", "the version data's address lies outside every section"},
    };
    return files;
}

bool isPeOrNeOrNeither(const std::string& name) {
    return name.rfind("le-", 0) != 0;
}

TEST(VersionAgreement, OurReaderAnswersAsWindowsOnEveryPeAndNeFixture) {
    rt::win32::test::TempFolder folder;
    int compared = 0;
    for (const auto& [name, bytes] : keldwick::fixtures::standardCorpus()) {
        if (!isPeOrNeOrNeither(name)) {
            continue;
        }
        const auto path = folder.file(name);
        rt::win32::test::writeFile(path, bytes);
        if (const auto skipped = notAskedOfTheSystem().find(name); skipped != notAskedOfTheSystem().end()) {
            EXPECT_EQ(askOurs(path), Answer{}) << name << ": " << skipped->second;
            std::printf("[ ours only] %-34s %s\n", name.c_str(), ::testing::PrintToString(Answer{}).c_str());
            continue;
        }
        const auto windows = askWindows(path);
        const auto ours = askOurs(path);
        ++compared;
        const auto known = knownDifferences().find(name);
        if (known != knownDifferences().end()) {
            EXPECT_NE(ours, windows) << name << " is listed as differing (" << known->second
                                     << ") but agrees";
            std::printf("[ differs  ] %-34s windows: %s, ours: %s\n", name.c_str(),
                        ::testing::PrintToString(windows).c_str(), ::testing::PrintToString(ours).c_str());
            continue;
        }
        EXPECT_EQ(ours, windows) << name;
        if (ours == windows) {
            std::printf("[ agrees   ] %-34s %s\n", name.c_str(), ::testing::PrintToString(windows).c_str());
        }
    }
    EXPECT_GT(compared, 10);
}

}  // namespace
