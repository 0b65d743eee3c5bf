// The native presenter on its own, driven as the window layer drives it: the
// test's thread is the GUI thread and makes the requests itself.
#include "platform/win32/Win32Presenter.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "PresenterFixture.h"
#include "platform/win32/FrameWindow.h"
#include "platform/win32/StatusChild.h"

namespace {

using namespace rt;
using rt::win32::test::mdiClient;
using rt::win32::test::text;

constexpr int kValue = 2;
constexpr const char* kFrameTitle = "Requests in order";

struct NoActions final : UserActions {
    void pressed(WindowId, int) override {}
    void chose(WindowId, int) override {}
    void activated(WindowId) override {}
    void closeRequested(WindowId) override {}
    void inputRejected(WindowId, int) override {}
    void exitRequested() override {}
};

WindowView frameView() {
    auto description = std::make_shared<rt::definition::WindowDescription>();
    description->title = kFrameTitle;
    return {1, true, description, {}, 0};
}

WindowView childView() {
    auto description = std::make_shared<rt::definition::WindowDescription>();
    description->title = "Child";
    rt::definition::Control value;
    value.kind = rt::definition::ControlKind::ValueDisplay;
    value.id = kValue;
    value.picture = "s40";
    value.variable = {rt::definition::kFixedTextType, 40};
    description->controls = {value};
    return {2, false, description, {{kValue, "as shown"}}, 0};
}

// The frame's procedure makes its requests on the GUI thread too; none may
// run inside its call, and they run in the order they were made.
TEST(Win32Presenter, RequestsFromTheGuiThreadRunAfterTheirCallerInOrder) {
    rt::test::Watchdog watchdog(std::chrono::seconds(60), "presenter requests");
    auto made = win32::Win32Presenter::create();
    ASSERT_TRUE(made) << made.error().reason;
    auto& presenter = *made.value();
    NoActions actions;
    presenter.attach(actions);
    presenter.show(frameView());
    presenter.show(childView());
    presenter.setText(2, kValue, "first");
    presenter.setText(2, kValue, "second");
    const bool drawnWithinTheCalls = ::FindWindowA(win32::FrameWindow::kClassName, kFrameTitle) != nullptr;
    presenter.wakeUp();
    presenter.waitForWork();

    EXPECT_FALSE(drawnWithinTheCalls);
    HWND frame = ::FindWindowA(win32::FrameWindow::kClassName, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    HWND child = ::FindWindowExA(mdiClient(frame), nullptr, win32::StatusChild::kClassName, nullptr);
    ASSERT_NE(child, nullptr) << "the child was shown after its frame";
    EXPECT_EQ(text(::GetDlgItem(child, kValue)), "second") << "the texts came after the child, in order";
    presenter.shutdown();
    EXPECT_EQ(::FindWindowA(win32::FrameWindow::kClassName, kFrameTitle), nullptr);
}

}  // namespace
