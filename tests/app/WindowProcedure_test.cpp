#include "ui/WindowProcedure.h"

#include <gtest/gtest.h>

#include "platform/base/TextField.h"
#include "tests/window/LayerFixture.h"
#include "ui/HiddenMode.h"

namespace keldwick {
namespace {

// A window that follows the shared shape on the test layer's child window
// and counts its own opening work.
class CountingWindow final : public WindowProcedure {
  public:
    explicit CountingWindow(bool focusFirst) : m_focusFirst(focusFirst) {}
    int openings = 0;

  private:
    rt::Result<void, rt::PrepareError> prepare(rt::Window& window) override {
        auto prepared = rt::prepareWindow(window, "TEST$CHILD", "CHILD$WINDOW", {m_value.chars()});
        if (m_focusFirst) {
            rt::post(rt::FocusGained, 0, rt::OwnThread);  // ahead of WindowOpened
        }
        return prepared;
    }
    void openingWork() override {
        ++openings;
        rt::post(rt::CloseRequested, 0, rt::OwnThread);
    }
    void acceptedWork() override {}
    bool releasesDefinition() const override { return true; }

    bool m_focusFirst;
    rt::TextField<40> m_value{"value"};
};

class WindowProcedureShape : public rt::test::LayerFixture {
  protected:
    int runWindow(bool focusFirst) {
        int openings = 0;
        EXPECT_TRUE(rt::startThread(
            [&] {
                CountingWindow window(focusFirst);
                EXPECT_TRUE(window.run());
                openings = window.openings;
            },
            0));
        EXPECT_TRUE(waitForThreads());
        return openings;
    }
};

TEST_F(WindowProcedureShape, FirstFullRedrawHappensOnceAtOpening) {
    HiddenMode = false;
    EXPECT_EQ(runWindow(false), 1);
    const auto window = presenter->windows().at(0);
    EXPECT_EQ(window.redraws.at(2), 1);
    EXPECT_EQ(window.texts.at(2), "value");
}

TEST_F(WindowProcedureShape, FocusGainedBeforeOpeningRedrawsThenOpeningSkipsIt) {
    HiddenMode = false;
    EXPECT_EQ(runWindow(true), 1) << "the window's own opening work still runs in full";
    EXPECT_EQ(presenter->windows().at(0).redraws.at(2), 1);
}

TEST_F(WindowProcedureShape, HiddenModeOpensUnseenAndStillDoesItsOpeningWork) {
    HiddenMode = true;
    EXPECT_EQ(runWindow(false), 1);
    EXPECT_TRUE(presenter->windows().empty());
    HiddenMode = false;
}

}  // namespace
}  // namespace keldwick
