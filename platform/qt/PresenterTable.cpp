#include "PresenterTable.h"

#include <algorithm>
#include <string_view>

#include "CopiedView.h"
#include "ModuleEnd.h"
#include "platform/base/EntryGuard.h"

namespace rt::qt {

namespace {

constexpr std::string_view kCouldNotStart = "the window module could not start";

// The program's actions, reached through the table it attached.
class TableActions final : public UserActions {
  public:
    // A table of another size is of another build of the program: it is not
    // called, and the person's actions are lost rather than misdirected.
    void attach(const KwUserActions* table) {
        m_table = table != nullptr && table->size == sizeof(KwUserActions) ? *table : KwUserActions{};
    }

    void pressed(WindowId window, int control) override { call(m_table.pressed, window, control); }
    void chose(WindowId window, int entry) override { call(m_table.chose, window, entry); }
    void activated(WindowId window) override { call(m_table.activated, window); }
    void closeRequested(WindowId window) override { call(m_table.closeRequested, window); }
    void inputRejected(WindowId window, int control) override {
        call(m_table.inputRejected, window, control);
    }
    void exitRequested() override { call(m_table.exitRequested); }

  private:
    template <typename Function, typename... Args>
    void call(Function function, Args... args) const {
        if (function != nullptr) {
            function(m_table.context, args...);
        }
    }

    KwUserActions m_table{};
};

// What the table's `self` points at. The presenter goes first: while it
// shuts down it may still pass on what the person did.
struct TableSide {
    TableActions actions;
    std::unique_ptr<Presenter> presenter;
};

template <typename Body>
void guarded(void* self, Body body) noexcept {
    guardEntry(kModuleEndedByError, [&] { body(*static_cast<TableSide*>(self)); });
}

void writeReason(KwModuleOffer& offer, std::string_view reason) {
    const std::size_t length = std::min(reason.size(), sizeof(offer.error) - 1);
    std::copy_n(reason.data(), length, offer.error);
    offer.error[length] = '\0';
}

}  // namespace

int offerPresenter(int hostInterface, KwModuleOffer* offer, const PresenterMaker& make) noexcept {
    if (hostInterface != KELDWICK_MODULE_INTERFACE) {
        return KELDWICK_MODULE_INTERFACE;
    }
    if (offer == nullptr || offer->size != sizeof(KwModuleOffer)) {
        return 0;
    }
    offer->presenter = KwPresenter{};
    writeReason(*offer, "");
    const bool made = returnsNormally([&] {
        auto presenter = make();
        if (!presenter) {
            writeReason(*offer, presenter.error().reason);
            return;
        }
        offer->presenter = presenterTable(std::move(presenter).value());
    });
    if (!made) {
        writeReason(*offer, kCouldNotStart);
    }
    return KELDWICK_MODULE_INTERFACE;
}

KwPresenter presenterTable(std::unique_ptr<Presenter> presenter) {
    KwPresenter table{};
    table.size = sizeof(KwPresenter);
    // Released here, taken back by destroy(): the program holds it meanwhile.
    table.self = std::make_unique<TableSide>(TableSide{{}, std::move(presenter)}).release();
    table.attach = [](void* self, const KwUserActions* actions) {
        guarded(self, [actions](TableSide& side) {
            side.actions.attach(actions);
            side.presenter->attach(side.actions);
        });
    };
    table.show = [](void* self, const KwWindowView* view) {
        guarded(self, [view](TableSide& side) {
            if (view != nullptr) {
                side.presenter->show(copiedView(*view));
            }
        });
    };
    table.setText = [](void* self, std::int32_t window, std::int32_t control, KwText text) {
        guarded(self, [&](TableSide& side) { side.presenter->setText(window, control, copiedText(text)); });
    };
    table.focus = [](void* self, std::int32_t window, std::int32_t control) {
        guarded(self, [&](TableSide& side) { side.presenter->focus(window, control); });
    };
    table.close = [](void* self, std::int32_t window) {
        guarded(self, [&](TableSide& side) { side.presenter->close(window); });
    };
    table.beep = [](void* self) { guarded(self, [](TableSide& side) { side.presenter->beep(); }); };
    table.tellUser = [](void* self, KwText text) {
        guarded(self, [&](TableSide& side) { side.presenter->tellUser(copiedText(text)); });
    };
    table.setZone = [](void* self, std::int32_t zone, KwText text, KwText tip) {
        guarded(self,
                [&](TableSide& side) { side.presenter->setZone(zone, copiedText(text), copiedText(tip)); });
    };
    table.setAbout = [](void* self, KwText text) {
        guarded(self, [&](TableSide& side) { side.presenter->setAbout(copiedText(text)); });
    };
    table.waitForWork = [](void* self) {
        guarded(self, [](TableSide& side) { side.presenter->waitForWork(); });
    };
    table.wakeUp = [](void* self) { guarded(self, [](TableSide& side) { side.presenter->wakeUp(); }); };
    table.shutdown = [](void* self) { guarded(self, [](TableSide& side) { side.presenter->shutdown(); }); };
    table.destroy = [](void* self) {
        guardEntry(kModuleEndedByError,
                   [self] { const std::unique_ptr<TableSide> side(static_cast<TableSide*>(self)); });
    };
    return table;
}

}  // namespace rt::qt
