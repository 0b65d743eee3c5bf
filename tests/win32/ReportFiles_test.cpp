// The file-system calls of the report's fallbacks, as Windows answers them:
// a rewrite in place where the folder takes no new file, and names that
// differ only in letter case.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "WindowsTestSupport.h"
#include "platform/FileSystem.h"

namespace {

using windows_test::TempFolder;

std::vector<std::byte> bytesOf(const char* text) {
    std::vector<std::byte> out(std::strlen(text));
    std::memcpy(out.data(), text, out.size());
    return out;
}

TEST(ReportFiles, RewriteInPlaceOpensOnlyAFileThatIsThere) {
    TempFolder folder;
    rt::NativeFile file = rt::kNoFile;
    EXPECT_TRUE(rt::fileSystem().openForWriting(folder.file("none").c_str(), file));
    EXPECT_EQ(::GetFileAttributesA(folder.file("none").c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing is created";
    const auto inner = folder.file("inner");
    ASSERT_NE(::CreateDirectoryA(inner.c_str(), nullptr), 0);
    EXPECT_TRUE(rt::fileSystem().openForWriting(inner.c_str(), file));
    ::RemoveDirectoryA(inner.c_str());
}

TEST(ReportFiles, EmptiedFileTakesTheNewTextWhereItStands) {
    TempFolder folder;
    const auto path = folder.file("KELDWICK.INI");
    windows_test::writeFile(path, bytesOf("[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=a longer old text\r\n"));
    rt::NativeFile native = rt::kNoFile;
    ASSERT_FALSE(rt::fileSystem().openForWriting(path.c_str(), native));
    rt::File file(native);
    rt::FileStatus status;
    ASSERT_FALSE(rt::fileSystem().status(file.native(), status));
    EXPECT_TRUE(status.isRegular);
    EXPECT_EQ(status.links, 1u);
    ASSERT_FALSE(rt::fileSystem().truncate(file.native(), 0));
    const auto text = bytesOf("[VREDIR.VXD]\r\nISWIN95=YES\r\n");
    std::size_t written = 0;
    ASSERT_FALSE(rt::fileSystem().write(file.native(), text, written));
    ASSERT_FALSE(file.close());
    EXPECT_EQ(windows_test::readFile(path), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
}

TEST(ReportFiles, NameInAnyCaseIsAnsweredWithItsStoredSpelling) {
    TempFolder folder;
    windows_test::writeFile(folder.file("vredir.vxd"), {});
    std::vector<std::string> names;
    ASSERT_FALSE(rt::fileSystem().namesIgnoringCase(folder.path().c_str(), "VREDIR.VXD", names));
    EXPECT_EQ(names, std::vector<std::string>{"vredir.vxd"});
    names.clear();
    EXPECT_FALSE(rt::fileSystem().namesIgnoringCase(folder.path().c_str(), "KELDWICK.INI", names));
    EXPECT_TRUE(names.empty());
}

}  // namespace
