// The file-system calls of the report's fallbacks, as Windows answers them:
// a rewrite in place where the folder takes no new file, and names that
// differ only in letter case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "WindowsTestSupport.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/report/WholeFilePublisher.h"

namespace {

using rt::win32::test::TempFolder;

std::vector<std::byte> bytesOf(const char* text) {
    std::vector<std::byte> out(std::strlen(text));
    std::memcpy(out.data(), text, out.size());
    return out;
}

// The temporary's 8.3 name is no longer than the report's: a folder whose
// report path just fits MAX_PATH gets its report. Folders of 233 to 246
// characters once got none, the temporary's longer name not fitting.
TEST(ReportFiles, ReportIsWrittenWhereverItsOwnPathFits) {
    TempFolder folder;
    std::string deep = folder.path();
    while (deep.size() + 1 + 12 < MAX_PATH - 1) {
        const auto room = MAX_PATH - 1 - (deep.size() + 1 + 12) - 1;
        deep += "\\" + std::string(std::min<std::size_t>(room == 0 ? 1 : room, 100), 'd');
        ASSERT_NE(::CreateDirectoryA(deep.c_str(), nullptr), 0) << deep.size();
    }
    const auto report = deep + "\\KELDWICK.INI";
    ASSERT_EQ(report.size(), std::size_t{MAX_PATH - 1});
    const std::string text = "[VREDIR.VXD]\r\nISWIN95=YES\r\n";
    ASSERT_TRUE(rt::publishWholeFile(report.c_str(), text).ok());
    EXPECT_EQ(rt::win32::test::readFile(report), text);
}

TEST(ReportFiles, RewriteInPlaceOpensOnlyAFileThatIsThere) {
    TempFolder folder;
    EXPECT_FALSE(rt::fileSystem().openForWriting(folder.file("none").c_str()).ok());
    EXPECT_EQ(::GetFileAttributesA(folder.file("none").c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing is created";
    const auto inner = folder.file("inner");
    ASSERT_NE(::CreateDirectoryA(inner.c_str(), nullptr), 0);
    EXPECT_FALSE(rt::fileSystem().openForWriting(inner.c_str()).ok());
    ::RemoveDirectoryA(inner.c_str());
}

TEST(ReportFiles, FileTakesTheNewTextWhereItStandsAndIsCutAfter) {
    TempFolder folder;
    const auto path = folder.file("KELDWICK.INI");
    rt::win32::test::writeFile(path, bytesOf("[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=a longer old text\r\n"));
    auto& files = rt::fileSystem();
    auto file = files.openForWriting(path.c_str());
    ASSERT_TRUE(file.ok());
    const auto status = files.status(*file);
    ASSERT_TRUE(status.ok());
    EXPECT_TRUE(status->isRegular);
    EXPECT_EQ(status->links, 1u);
    EXPECT_EQ(status->size, 53u);
    const auto tail = bytesOf("VERSION");
    ASSERT_TRUE(files.writeAt(*file, 53, tail).ok()) << "past the end, where the file pointer was not";
    const auto text = bytesOf("[VREDIR.VXD]\r\nISWIN95=YES\r\n");
    ASSERT_TRUE(files.writeAt(*file, 0, text).ok());
    ASSERT_TRUE(files.truncate(*file, text.size()).ok());
    ASSERT_TRUE(file->close().ok());
    EXPECT_EQ(rt::win32::test::readFile(path), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
}

TEST(ReportFiles, NameInAnyCaseIsAnsweredWithItsStoredSpelling) {
    TempFolder folder;
    rt::win32::test::writeFile(folder.file("vredir.vxd"), {});
    const auto names = rt::fileSystem().namesIgnoringCase(folder.path().c_str(), "VREDIR.VXD");
    ASSERT_TRUE(names.ok());
    EXPECT_EQ(names.value(), std::vector<std::string>{"vredir.vxd"});
    const auto none = rt::fileSystem().namesIgnoringCase(folder.path().c_str(), "KELDWICK.INI");
    EXPECT_TRUE(none.ok());
    EXPECT_TRUE(none.ok() && none.value().empty());
}

}  // namespace
