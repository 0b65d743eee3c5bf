#include "check/DriverProbe.h"

#include <gtest/gtest.h>

#include <cstring>

#include "CheckFixture.h"

namespace keldwick::test {
namespace {

namespace fs = std::filesystem;

class DriverProbe : public CheckFixture {};

TEST_F(DriverProbe, CurrentDirectoryCopyWinsOverTheInstalledOne) {
    putDriver(cwd(), "4.00.1111");
    putDriver(systemDir(), "4.00.1116");
    putDriver(windowsDir(), "4.00.1117");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1111");
}

TEST_F(DriverProbe, SystemDirectoryComesBeforeTheWindowsDirectory) {
    putDriver(windowsDir(), "4.00.1117");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1117");
    putDriver(systemDir(), "4.00.1116");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1116");
}

// The first directory holding the file decides, even when its copy has no version.
TEST_F(DriverProbe, FirstDirectoryHoldingTheFileDecides) {
    putDriver(cwd(), "4.00.1116", "040904B0");
    putDriver(systemDir(), "4.00.1116");
    const auto r = runCheck();
    EXPECT_EQ(r.driverVersion, "UNKNOWN");
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
}

TEST_F(DriverProbe, DanglingLinkCountsAsNoFile) {
    fs::create_symlink(m_root.path() / "nowhere", cwd() / "VREDIR.VXD");
    putDriver(systemDir(), "4.00.1116");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1116");
}

// A Wine prefix may hold the driver as "vredir.vxd", which Windows would find.
TEST_F(DriverProbe, DriverIsFoundInAnyLetterCaseExactNameFirstThenByteOrder) {
    const auto put = [&](const char* name, const char* version) {
        rt::test::writeWholeFile(systemDir() / name, "driver");
        services.setVersion((systemDir() / name).string(), version);
    };
    put("vredir.vxd", "4.00.1116");
    EXPECT_EQ(runCheck().recommend, "OK");
    put("Vredir.Vxd", "4.00.1111");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1111") << "'V' comes before 'v'";
    put("VREDIR.VXD", "4.00.1117");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1117") << "the exact name wins";
}

TEST_F(DriverProbe, OtherLetterCaseDoesNotChangeWhichDirectoryDecides) {
    rt::test::writeWholeFile(cwd() / "VRedir.vxd", "driver");
    services.setVersion((cwd() / "VRedir.vxd").string(), "4.00.1111");
    putDriver(systemDir(), "4.00.1116");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1111");
    fs::remove(cwd() / "VRedir.vxd");
    fs::create_symlink(m_root.path() / "nowhere", cwd() / "vredir.vxd");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1116") << "a dangling link is no file in any case";
}

TEST_F(DriverProbe, TrailingBlanksOfTheValueGo) {
    putDriver(systemDir(), "4.00.1116      ");
    const auto r = runCheck();
    EXPECT_EQ(r.driverVersion, "4.00.1116");
    EXPECT_EQ(r.recommend, "OK");
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

TEST_F(DriverProbe, LeadingBlanksStay) {
    putDriver(systemDir(), "  4.00.1116");
    const auto r = runCheck();
    EXPECT_EQ(r.driverVersion, "  4.00.1116");
    EXPECT_EQ(r.recommend, "UPGRADE");
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=  4.00.1116\r\n");
}

TEST_F(DriverProbe, LongValueIsCutToFortyCharactersInFieldAndReport) {
    const std::string sixty = "4.00.1116-built-for-a-very-long-product-line-name,-sixty-ch.";
    ASSERT_EQ(sixty.size(), 60u);
    putDriver(systemDir(), sixty);
    EXPECT_EQ(runCheck().driverVersion, sixty.substr(0, 40));
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=" + sixty.substr(0, 40) + "\r\n");
}

TEST_F(DriverProbe, CutThatEndsInBlanksLeavesNoTrailingBlanks) {
    putDriver(systemDir(), std::string(38, 'v') + "   tail");
    EXPECT_EQ(runCheck().driverVersion, std::string(38, 'v'));
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=" + std::string(38, 'v') + "\r\n");
}

TEST_F(DriverProbe, BlankOrEmptyValueIsUnknownWithoutAnEntry) {
    for (const auto* value : {"", "     "}) {
        putDriver(systemDir(), value);
        const auto r = runCheck();
        EXPECT_EQ(r.driverVersion, "UNKNOWN");
        EXPECT_EQ(r.recommend, "UNKNOWN");
        EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
    }
}

TEST_F(DriverProbe, OnlyTheUsEnglishWesternTableCounts) {
    putDriver(systemDir(), "4.00.1116", "040904B0");
    EXPECT_EQ(runCheck().driverVersion, "UNKNOWN");
}

TEST_F(DriverProbe, LineBreaksInTheValueCannotInjectReportLines) {
    putDriver(systemDir(), "4.00\r\n[EVIL]\r\nX=1");
    EXPECT_EQ(runCheck().driverVersion, "4.00  [EVIL]  X=1");
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00  [EVIL]  X=1\r\n");
}

// The text once ended at its first control character: "4.00.1116<TAB>beta"
// was shown, written and judged as "4.00.1116", and gave OK, while
// "<TAB>4.00.1116" gave UNKNOWN. Each control character is a blank instead,
// in the one value that the window shows, the report holds and the rule judges.
TEST_F(DriverProbe, ControlCharactersAreBlanksInTheOneValueWindowReportAndRuleShare) {
    struct Case {
        const char* value;
        const char* shown;
        const char* recommend;
    };
    for (const auto& c :
         {Case{"4.00.1116\tbeta", "4.00.1116 beta", "UPGRADE"}, Case{"\t4.00.1116", " 4.00.1116", "UPGRADE"},
          Case{"4.00.1116 \nbuild 7", "4.00.1116  build 7", "UPGRADE"},
          Case{"4.00.\x01"
               "1116",
               "4.00. 1116", "UPGRADE"},
          Case{"\x1B[0m", " [0m", "UPGRADE"}, Case{"4.00.1116\r\n", "4.00.1116", "OK"},
          Case{"4.00.1116\x7F\x1F", "4.00.1116", "OK"}, Case{" \t\r\n\x7F", "UNKNOWN", "UNKNOWN"}}) {
        putDriver(systemDir(), c.value);
        const auto r = runCheck();
        SCOPED_TRACE(c.value);
        EXPECT_EQ(r.driverVersion, c.shown);
        EXPECT_EQ(r.recommend, c.recommend);
        const std::string entry = r.driverVersion == "UNKNOWN" ? "" : "VERSION=" + r.driverVersion + "\r\n";
        EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n" + entry);
    }
}

// The system's read gives no more than the size it answered before: a file
// that grew in between leaves a block whose value lacks its end. It once gave
// the cut text as the driver's version.
TEST_F(DriverProbe, VersionCutByAFileThatGrewIsUnknown) {
    class Growing final : public rt::test::FakeSystemServices {
      public:
        rt::os::DWORD fileVersionInfoSize(const char* fileName, rt::os::DWORD* handle) override {
            m_whole.resize(FakeSystemServices::fileVersionInfoSize(fileName, handle));
            return static_cast<rt::os::DWORD>(m_whole.size() - 3);
        }
        rt::os::BOOL fileVersionInfo(const char* fileName, rt::os::DWORD handle, rt::os::DWORD length,
                                     void* data) override {
            if (FakeSystemServices::fileVersionInfo(
                    fileName, handle, static_cast<rt::os::DWORD>(m_whole.size()), m_whole.data()) == 0) {
                return 0;
            }
            std::memcpy(data, m_whole.data(), length);
            return 1;
        }
        // Where the value lies, as the structure at the block's start says.
        rt::os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer,
                                       rt::os::UINT* length) override {
            void* found = nullptr;
            if (FakeSystemServices::queryVersionValue(m_whole.data(), subBlock, &found, length) == 0) {
                return 0;
            }
            *buffer = const_cast<char*>(static_cast<const char*>(block)) +
                      (static_cast<char*>(found) - m_whole.data());
            return 1;
        }

      private:
        std::vector<char> m_whole;
    } growing;
    growing.cwd = services.cwd;
    growing.systemDir = services.systemDir;
    rt::ScopedSystemServices installed(growing);
    rt::test::writeWholeFile(systemDir() / "VREDIR.VXD", "driver");
    growing.setVersion((systemDir() / "VREDIR.VXD").string(), "4.00.1116");
    const auto r = runCheck();
    EXPECT_EQ(r.driverVersion, "UNKNOWN") << "not \"4.00.11\"";
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
}

TEST_F(DriverProbe, SystemDirectoryThatDoesNotFitIsNotSearched) {
    services.systemDir = "/" + std::string(rt::kMaxPath, 's');
    putDriver(windowsDir(), "4.00.1116");
    EXPECT_EQ(runCheck().driverVersion, "4.00.1116");
}

TEST(ReadFileVersion, ValueWithoutItsNulInTheBlockIsNoValue) {
    class Unterminated final : public rt::test::FakeSystemServices {
      public:
        rt::os::BOOL queryVersionValue(const void* block, const char*, void** buffer,
                                       rt::os::UINT* length) override {
            *buffer = const_cast<char*>(static_cast<const char*>(block) + 2);
            *length = 100;
            return 1;
        }
    } services;
    rt::ScopedSystemServices installed(services);
    std::array<std::byte, 6> block{};
    std::memcpy(block.data(), "ab4.00", 6);
    VersionValue value("old");
    READFILEVERSION(block, kVersionQuery.data(), value);
    EXPECT_TRUE(value.empty()) << value.view();
}

TEST(ReadFileVersion, ValueOutsideTheBlockIsIgnored) {
    class Elsewhere final : public rt::test::FakeSystemServices {
      public:
        rt::os::BOOL queryVersionValue(const void*, const char*, void** buffer,
                                       rt::os::UINT* length) override {
            static char outside[] = "4.00.1116";
            *buffer = outside;
            *length = sizeof outside;
            return 1;
        }
    } services;
    rt::ScopedSystemServices installed(services);
    std::array<std::byte, 8> block{};
    VersionValue value("old");
    READFILEVERSION(block, kVersionQuery.data(), value);
    EXPECT_TRUE(value.empty());
}

TEST(ReadFileVersion, ValueLongerThanTheBufferIsCutNotOverrun) {
    class Long final : public rt::test::FakeSystemServices {
      public:
        rt::os::BOOL queryVersionValue(const void* block, const char*, void** buffer,
                                       rt::os::UINT* length) override {
            *buffer = const_cast<void*>(block);
            *length = 3000;
            return 1;
        }
    } services;
    rt::ScopedSystemServices installed(services);
    std::vector<std::byte> block(3000, std::byte{'7'});
    block.back() = std::byte{0};
    VersionValue value;
    READFILEVERSION(block, kVersionQuery.data(), value);
    EXPECT_EQ(value.size(), VersionValue::kMaxLength);
}

}  // namespace
}  // namespace keldwick::test
