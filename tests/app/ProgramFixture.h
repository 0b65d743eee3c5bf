#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/FakeSystemServices.h"
#include "tests/support/HeadlessPresenter.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Watchdog.h"

namespace keldwick::test {

// The whole program on a machine of the Windows 95 family whose system
// directory holds the driver. The test's thread runs the program as its
// first thread; a person acts on the headless presenter from another thread.
class ProgramFixture : public ::testing::Test {
  protected:
    ProgramFixture();

    // Runs start-up, the program body and close-down; returns the exit status.
    // The person, when given, acts on the screen from a thread of its own and
    // must end before the program's frame does. Without a person the program
    // runs with no presenter at all, as hidden runs do.
    int runProgram(std::vector<std::string> arguments, const std::function<void()>& person = {});

    std::string reportText() const;
    // Waits for the n-th status window (counting from 0) to show its three results.
    rt::test::HeadlessPresenter::ShownWindow statusWindowWithResults(std::size_t n);
    rt::WindowId frameId();

    rt::test::TempFolder m_root;
    rt::test::FakeSystemServices services;
    rt::test::HeadlessPresenter screen;
    rt::test::HeadlessPresenter* presenter = &screen;
    rt::test::Watchdog m_watchdog{std::chrono::seconds(120)};

  private:
    rt::ScopedSystemServices m_installed{services};
};

// Control ids of the status window and menu entries of the frame.
inline constexpr int kIsWin95Display = 2;
inline constexpr int kVersionDisplay = 4;
inline constexpr int kRecommendDisplay = 6;
inline constexpr int kCloseButton = 10;
inline constexpr int kGetVersionEntry = -9;
inline constexpr int kExitEntry = -3;

}  // namespace keldwick::test
