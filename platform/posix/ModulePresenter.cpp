#include "ModulePresenter.h"

#include "FlatWindowView.h"
#include "platform/base/EntryGuard.h"

namespace rt {

namespace {

// The module calls these from its own thread. The layer's actions only queue
// events, but nothing thrown may unwind into the module's frames.
constexpr std::string_view kActionFailed = "a window action could not be passed on; the program ends";

UserActions& actionsOf(void* context) {
    return *static_cast<UserActions*>(context);
}

KwUserActions actionTable(UserActions& actions) {
    KwUserActions table{};
    table.size = sizeof(KwUserActions);
    table.context = &actions;
    table.pressed = [](void* context, std::int32_t window, std::int32_t control) {
        guardEntry(kActionFailed, [&] { actionsOf(context).pressed(window, control); });
    };
    table.chose = [](void* context, std::int32_t window, std::int32_t entry) {
        guardEntry(kActionFailed, [&] { actionsOf(context).chose(window, entry); });
    };
    table.activated = [](void* context, std::int32_t window) {
        guardEntry(kActionFailed, [&] { actionsOf(context).activated(window); });
    };
    table.closeRequested = [](void* context, std::int32_t window) {
        guardEntry(kActionFailed, [&] { actionsOf(context).closeRequested(window); });
    };
    table.inputRejected = [](void* context, std::int32_t window, std::int32_t control) {
        guardEntry(kActionFailed, [&] { actionsOf(context).inputRejected(window, control); });
    };
    table.exitRequested = [](void* context) {
        guardEntry(kActionFailed, [&] { actionsOf(context).exitRequested(); });
    };
    return table;
}

}  // namespace

ModulePresenter::ModulePresenter(LoadedModule module, const KwPresenter& table)
    : m_module(std::move(module)), m_table(table) {}

// The presenter is code of the module.
ModulePresenter::~ModulePresenter() {
    m_table.destroy(m_table.self);
}

// The module copies the table; the layer's actions outlive the presenter.
void ModulePresenter::attach(UserActions& actions) {
    const KwUserActions table = actionTable(actions);
    m_table.attach(m_table.self, &table);
}

void ModulePresenter::show(const WindowView& view) {
    const FlatWindowView flat(view);
    m_table.show(m_table.self, &flat.plain());
}

void ModulePresenter::setText(WindowId window, int control, const std::string& text) {
    m_table.setText(m_table.self, window, control, plainText(text));
}

void ModulePresenter::focus(WindowId window, int control) {
    m_table.focus(m_table.self, window, control);
}

void ModulePresenter::close(WindowId window) {
    m_table.close(m_table.self, window);
}

void ModulePresenter::beep() {
    m_table.beep(m_table.self);
}

void ModulePresenter::tellUser(const std::string& text) {
    m_table.tellUser(m_table.self, plainText(text));
}

void ModulePresenter::setZone(int zone, const std::string& text, const std::string& tip) {
    m_table.setZone(m_table.self, zone, plainText(text), plainText(tip));
}

void ModulePresenter::setAbout(const std::string& text) {
    m_table.setAbout(m_table.self, plainText(text));
}

void ModulePresenter::waitForWork() {
    m_table.waitForWork(m_table.self);
}

void ModulePresenter::wakeUp() {
    m_table.wakeUp(m_table.self);
}

void ModulePresenter::shutdown() {
    m_table.shutdown(m_table.self);
}

}  // namespace rt
