#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/definition/StoredDefinitions.h"
#include "platform/posix/ModulePresenter.h"
#include "platform/qt/PresenterTable.h"
#include "platform/window/PresenterModule.h"
#include "ui/ModuleKeys.h"

extern "C" std::size_t keldwickOfferSizeInC();
extern "C" std::size_t keldwickViewSizeInC();

namespace rt {
namespace {

using namespace definition;
using qt::OfferError;
using qt::offerPresenter;
using qt::PresenterMaker;

// The module's side of a presenter: keeps what reaches it.
struct Recorder final : Presenter {
    // As the Qt presenter's windows do, when they are closed at its end.
    ~Recorder() override {
        if (closeWhenDestroyed && actions != nullptr) {
            actions->closeRequested(1);
        }
    }
    void attach(UserActions& layer) override { actions = &layer; }
    void show(const WindowView& view) override {
        if (throwOnShow) {
            throw std::runtime_error("drawing failed");
        }
        shown.push_back(view);
    }
    void setText(WindowId window, int control, const std::string& text) override {
        texts.push_back(std::to_string(window) + "/" + std::to_string(control) + "=" + text);
    }
    void focus(WindowId, int) override {}
    void close(WindowId) override {}
    void beep() override {}
    void tellUser(const std::string& text) override { told = text; }
    void setZone(int zone, const std::string& text, const std::string& tip) override {
        texts.push_back("zone " + std::to_string(zone) + "=" + text + "|" + tip);
    }
    void setAbout(const std::string& text) override { about = text; }
    void waitForWork() override {}
    void wakeUp() override {}
    void shutdown() override {}

    bool throwOnShow = false;
    bool closeWhenDestroyed = false;
    UserActions* actions = nullptr;
    std::vector<WindowView> shown;
    std::vector<std::string> texts;
    std::string told;
    std::string about;
};

// The layer's side: what the person did, as it arrives.
struct LayerActions final : UserActions {
    void pressed(WindowId window, int control) override {
        if (throwOnPress) {
            throw std::runtime_error("queue failed");
        }
        events.push_back("pressed " + std::to_string(window) + " " + std::to_string(control));
    }
    void chose(WindowId window, int entry) override {
        events.push_back("chose " + std::to_string(window) + " " + std::to_string(entry));
    }
    void activated(WindowId) override {}
    void closeRequested(WindowId window) override { events.push_back("close " + std::to_string(window)); }
    void inputRejected(WindowId, int) override {}
    void exitRequested() override { events.push_back("exit"); }

    bool throwOnPress = false;
    std::vector<std::string> events;
};

// The program's presenter as it reaches the recorder across the C table,
// with no module file in between.
struct Crossing {
    Crossing() {
        auto made = std::make_unique<Recorder>();
        module = made.get();
        KwModuleOffer offer{};
        offer.size = sizeof(offer);
        auto give = [&made]() -> rt::Result<std::unique_ptr<Presenter>, OfferError> {
            return std::unique_ptr<Presenter>(std::move(made));
        };
        EXPECT_EQ(offerPresenter(KELDWICK_MODULE_INTERFACE, &offer, give), KELDWICK_MODULE_INTERFACE);
        program = std::make_unique<ModulePresenter>(LoadedModule{}, offer.presenter);
        program->attach(layer);
    }

    LayerActions layer;
    Recorder* module = nullptr;
    std::unique_ptr<ModulePresenter> program;
};

// Every field a presenter draws from, none at its default, with texts that
// hold a zero byte and a Latin-1 letter, menus two levels deep and a separator.
WindowDescription everyFieldGiven() {
    WindowDescription window;
    window.moduleKey = "KELDWICKMODULE0000001";
    window.windowKey = "GETREDIRINFO$WINDOW";
    window.title = std::string("Caf\xE9\0 title", 11);
    window.flags = 0x1234;
    window.windowFlags = 0x40;
    window.x = -3;
    window.y = kNotGiven;
    window.width = 210;
    window.height = 95;
    window.hasFont = true;
    window.font = Font{"MS Sans Serif", 8, Colour{0x00102030}};
    window.zoneWidths = {60, -1, 25};
    Control label;
    label.kind = ControlKind::StaticText;
    label.id = 3;
    label.flags = 0x8;
    label.x = 4;
    label.y = 5;
    label.width = 50;
    label.height = 9;
    label.text = "Is Win95?";
    label.font = window.font;
    Control display;
    display.kind = ControlKind::ValueDisplay;
    display.id = 4;
    display.x = 60;
    display.y = 5;
    display.width = 100;
    display.height = 10;
    display.hasOwnFont = true;
    display.ownFont = Font{"", 10, Colour{-1}};
    display.font = Font{"MS Sans Serif", 10, Colour{static_cast<std::int32_t>(0x80000008u)}};
    display.picture = "X(40)";
    display.background = Colour{static_cast<std::int32_t>(0x8000000Fu)};
    display.variable = VariableDescriptor{kFixedTextType, 40};
    Control button;
    button.kind = ControlKind::PushButton;
    button.id = 10;
    button.text = "&Close";
    window.controls = {label, display, button};
    window.hasMenuBar = true;
    window.menus = {MenuEntry{-1,
                              0x1,
                              "&Test",
                              "Checks again",
                              0,
                              {MenuEntry{-2, 0, "&GetVersion", "Runs the check", 0, {}},
                               MenuEntry{0, MenuEntry::kSeparatorFlag, "", "", 0, {}},
                               MenuEntry{-3, 0, "E&xit", "", 7, {}}}},
                    MenuEntry{-4, 0, "&Window", "", 12, {}}};
    return window;
}

TEST(ModuleBoundary, CAndCppLayTheInterfaceOutAlike) {
    EXPECT_EQ(keldwickOfferSizeInC(), sizeof(KwModuleOffer));
    EXPECT_EQ(keldwickViewSizeInC(), sizeof(KwWindowView) + sizeof(KwWindowDescription) + sizeof(KwControl) +
                                         sizeof(KwMenuEntry) + sizeof(KwUserActions));
}

TEST(ModuleBoundary, ShownWindowArrivesWithEveryFieldAsTheModulesOwnCopy) {
    Crossing crossing;
    auto description = std::make_shared<const WindowDescription>(everyFieldGiven());
    const WindowView view{7, false, description, {{4, "YES"}, {5, std::string("4.00\0x", 6)}, {6, ""}}, 10};
    crossing.program->show(view);

    ASSERT_EQ(crossing.module->shown.size(), 1u);
    const WindowView& arrived = crossing.module->shown[0];
    EXPECT_EQ(arrived.id, 7);
    EXPECT_FALSE(arrived.isFrame);
    EXPECT_EQ(arrived.focus, 10);
    EXPECT_EQ(arrived.texts, view.texts);
    ASSERT_NE(arrived.description, nullptr);
    EXPECT_EQ(*arrived.description, *description);
    EXPECT_NE(arrived.description.get(), description.get())
        << "the module must not keep the program's memory";
}

TEST(ModuleBoundary, StoredWindowsArriveAsTheLayerWalkedThem) {
    Crossing crossing;
    const std::pair<std::string_view, std::string_view> windows[] = {
        {keldwick::kFrameModuleKey, keldwick::kFrameWindowKey},
        {keldwick::kStatusModuleKey, keldwick::kStatusWindowKey}};
    for (const auto& [moduleKey, windowKey] : windows) {
        auto walked = loadWindowDescription(moduleKey, windowKey);
        ASSERT_TRUE(walked.ok()) << windowKey;
        auto description = std::make_shared<const WindowDescription>(std::move(walked).value());
        crossing.program->show(WindowView{1, true, description, {}, 0});
        ASSERT_FALSE(crossing.module->shown.empty());
        EXPECT_EQ(*crossing.module->shown.back().description, *description) << windowKey;
    }
}

TEST(ModuleBoundary, RequestsAndActionsCrossBothWays) {
    Crossing crossing;
    crossing.program->setText(3, 6, std::string("UP\0GRADE", 8));
    crossing.program->tellUser("the window could not be opened");
    crossing.program->setZone(3, "Report not written", "Permission denied");
    crossing.program->setAbout("keldwick 1.0");
    EXPECT_EQ(crossing.module->texts,
              (std::vector<std::string>{std::string("3/6=UP\0GRADE", 12),
                                        "zone 3=Report not written|Permission denied"}));
    EXPECT_EQ(crossing.module->told, "the window could not be opened");
    EXPECT_EQ(crossing.module->about, "keldwick 1.0");

    ASSERT_NE(crossing.module->actions, nullptr);
    crossing.module->actions->pressed(3, 10);
    crossing.module->actions->chose(1, -2);
    crossing.module->actions->closeRequested(3);
    crossing.module->actions->exitRequested();
    EXPECT_EQ(crossing.layer.events,
              (std::vector<std::string>{"pressed 3 10", "chose 1 -2", "close 3", "exit"}));
}

TEST(ModuleBoundary, ActionPassedOnWhileThePresenterIsDestroyedStillArrives) {
    Crossing crossing;
    crossing.module->closeWhenDestroyed = true;
    crossing.program.reset();
    EXPECT_EQ(crossing.layer.events, std::vector<std::string>{"close 1"});
}

TEST(ModuleBoundaryDeathTest, ErrorInsideTheModuleEndsTheProgramInsteadOfCrossing) {
    Crossing crossing;
    crossing.module->throwOnShow = true;
    const WindowView view{1, true, std::make_shared<const WindowDescription>(), {}, 0};
    EXPECT_EXIT(crossing.program->show(view), testing::ExitedWithCode(1),
                "the window module ended by an error");
}

TEST(ModuleBoundaryDeathTest, ErrorInTheLayersActionsNeverReachesTheModule) {
    Crossing crossing;
    crossing.layer.throwOnPress = true;
    EXPECT_EXIT(crossing.module->actions->pressed(2, 10), testing::ExitedWithCode(1),
                "a window action could not be passed on");
}

TEST(ModuleEntry, ProgramOfAnotherVersionGetsTheModulesNumberAndNoOffer) {
    KwModuleOffer offer{};
    offer.size = sizeof(offer);
    offer.error[0] = 'x';
    bool made = false;
    const PresenterMaker make = [&made]() -> rt::Result<std::unique_ptr<Presenter>, OfferError> {
        made = true;
        return OfferError{"unused"};
    };
    EXPECT_EQ(offerPresenter(KELDWICK_MODULE_INTERFACE - 1, &offer, make), KELDWICK_MODULE_INTERFACE);
    offer.size = sizeof(offer) - 1;
    EXPECT_EQ(offerPresenter(KELDWICK_MODULE_INTERFACE, &offer, make), 0);
    EXPECT_FALSE(made);
    EXPECT_EQ(offer.presenter.self, nullptr);
    EXPECT_EQ(offer.error[0], 'x') << "an offer the module cannot read must not be written";
}

TEST(ModuleEntry, ErrorWhileStartingBecomesTheReasonAndNeverLeavesTheEntry) {
    KwModuleOffer offer{};
    offer.size = sizeof(offer);
    const PresenterMaker throws = []() -> rt::Result<std::unique_ptr<Presenter>, OfferError> {
        throw std::runtime_error("no platform plugin");
    };
    EXPECT_EQ(offerPresenter(KELDWICK_MODULE_INTERFACE, &offer, throws), KELDWICK_MODULE_INTERFACE);
    EXPECT_EQ(offer.presenter.self, nullptr);
    EXPECT_STREQ(offer.error, "the window module could not start");
}

TEST(ModuleEntry, LongReasonIsCutAndStillEnded) {
    KwModuleOffer offer{};
    offer.size = sizeof(offer);
    std::memset(offer.error, 'x', sizeof(offer.error));
    const PresenterMaker fails = []() -> rt::Result<std::unique_ptr<Presenter>, OfferError> {
        return OfferError{std::string(1000, 'r')};
    };
    EXPECT_EQ(offerPresenter(KELDWICK_MODULE_INTERFACE, &offer, fails), KELDWICK_MODULE_INTERFACE);
    EXPECT_EQ(offer.presenter.self, nullptr);
    EXPECT_EQ(strnlen(offer.error, sizeof(offer.error)), sizeof(offer.error) - 1);
}

}  // namespace
}  // namespace rt
