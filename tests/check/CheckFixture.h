#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "check/CheckRun.h"
#include "tests/support/FakeSystemServices.h"
#include "tests/support/TempFolder.h"

namespace keldwick::test {

// A machine of the Windows 95 family with a current, a system and a Windows
// directory of its own, each empty until a test puts a driver there.
class CheckFixture : public ::testing::Test {
  protected:
    CheckFixture();

    std::filesystem::path cwd() const { return m_root / "current"; }
    std::filesystem::path systemDir() const { return m_root / "system"; }
    std::filesystem::path windowsDir() const { return m_root / "windows"; }
    std::filesystem::path report() const { return cwd() / "KELDWICK.INI"; }

    // Places a driver file in a directory and gives it a version text.
    void putDriver(const std::filesystem::path& directory, const std::string& version,
                   const std::string& table = "040904E4");
    std::string reportText() const;

    struct Results {
        std::string isWin95;
        std::string driverVersion;
        std::string recommend;
        std::string notWritten;  // why the report did not reach its file; empty when it did
    };
    Results runCheck();

    rt::test::TempFolder m_root;
    rt::test::FakeSystemServices services;

  private:
    rt::ScopedSystemServices m_installed{services};
};

}  // namespace keldwick::test
