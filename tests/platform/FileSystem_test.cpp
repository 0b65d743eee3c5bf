#include "platform/filesystem/FileSystem.h"

#include <gtest/gtest.h>

#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"

namespace rt {
namespace {

using rt::test::FaultyFileSystem;

// A file once closed through whatever file system was installed at the time,
// not necessarily the one that had opened it.
TEST(File, IsClosedThroughTheFileSystemThatOpenedIt) {
    rt::test::TempFolder folder;
    const auto path = (folder / "KELDWICK.INI").string();
    rt::test::writeWholeFile(path, "x");
    FaultyFileSystem opener;
    auto file = [&] {
        ScopedFileSystem installed(opener);
        return fileSystem().openForReading(path.c_str(), FileSystem::Follow::NoLinks);
    }();
    ASSERT_TRUE(file.ok());
    opener.failCall(1, FaultyFileSystem::Mode::Once, std::errc::no_space_on_device);
    const auto closed = file->close();
    ASSERT_FALSE(closed.ok());
    EXPECT_EQ(closed.error(), std::errc::no_space_on_device);
    EXPECT_FALSE(file->isOpen());
}

}  // namespace
}  // namespace rt
