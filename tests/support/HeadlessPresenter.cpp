#include "tests/support/HeadlessPresenter.h"

#include <algorithm>
#include <mutex>

#include "platform/window/StandardAction.h"

namespace rt::test {

using rt::StandardAction;

namespace {

const rt::definition::MenuEntry* findEntry(const std::vector<rt::definition::MenuEntry>& entries, int id) {
    for (const auto& entry : entries) {
        if (entry.id == id && id != 0) {
            return &entry;
        }
        if (const auto* inner = findEntry(entry.items, id)) {
            return inner;
        }
    }
    return nullptr;
}

}  // namespace

void HeadlessPresenter::attach(UserActions& actions) {
    std::lock_guard lock(m_lock);
    m_actions = &actions;
}

HeadlessPresenter::ShownWindow* HeadlessPresenter::findLocked(WindowId id) {
    const auto found =
        std::find_if(m_windows.begin(), m_windows.end(), [&](const auto& w) { return w.id == id; });
    return found == m_windows.end() ? nullptr : &*found;
}

void HeadlessPresenter::changed() {
    std::lock_guard lock(m_lock);
    for (auto* watcher : m_watchers) {
        watcher->set();
    }
}

void HeadlessPresenter::show(const WindowView& view) {
    {
        std::lock_guard lock(m_lock);
        m_windows.push_back({view.id,
                             view.isFrame,
                             view.description->title,
                             view.texts,
                             {},
                             view.focus,
                             true,
                             view.description});
    }
    changed();
}

void HeadlessPresenter::setText(WindowId window, int control, const std::string& text) {
    {
        std::lock_guard lock(m_lock);
        if (auto* shown = findLocked(window)) {
            shown->texts[control] = text;
            ++shown->redraws[control];
        }
    }
    changed();
}

void HeadlessPresenter::focus(WindowId window, int control) {
    {
        std::lock_guard lock(m_lock);
        if (auto* shown = findLocked(window)) {
            shown->focus = control;
        }
    }
    changed();
}

void HeadlessPresenter::close(WindowId window) {
    {
        std::lock_guard lock(m_lock);
        if (auto* shown = findLocked(window)) {
            shown->isOpen = false;
        }
    }
    changed();
}

void HeadlessPresenter::beep() {
    {
        std::lock_guard lock(m_lock);
        ++m_beeps;
    }
    changed();
}

void HeadlessPresenter::tellUser(const std::string& text) {
    {
        std::lock_guard lock(m_lock);
        m_messages.push_back(text);
    }
    changed();
}

void HeadlessPresenter::setZone(int zone, const std::string& text, const std::string& tip) {
    {
        std::lock_guard lock(m_lock);
        m_zones[zone] = {text, tip};
    }
    changed();
}

void HeadlessPresenter::setAbout(const std::string& text) {
    {
        std::lock_guard lock(m_lock);
        m_about = text;
    }
    changed();
}

void HeadlessPresenter::waitForWork() {
    m_woken.wait();
}

void HeadlessPresenter::wakeUp() {
    m_woken.set();
}

void HeadlessPresenter::shutdown() {
    std::lock_guard lock(m_lock);
    m_actions = nullptr;
}

// The layer is told outside the lock: a push to the frame's queue wakes this presenter.
UserActions* HeadlessPresenter::actions() const {
    std::lock_guard lock(m_lock);
    return m_actions;
}

void HeadlessPresenter::press(WindowId window, int control) {
    if (auto* actions = this->actions()) {
        actions->pressed(window, control);
    }
}

void HeadlessPresenter::choose(WindowId frame, int entry) {
    int code = 0;
    {
        std::lock_guard lock(m_lock);
        const auto* shown = findLocked(frame);
        const auto* chosen = shown != nullptr ? findEntry(shown->description->menus, entry) : nullptr;
        if (chosen == nullptr || m_actions == nullptr) {
            return;
        }
        code = chosen->actionCode;
        if (code != 0) {
            m_actionCodes.push_back(code);
        }
    }
    auto* actions = this->actions();
    if (actions == nullptr) {
        return;
    }
    if (code == 0) {
        actions->chose(frame, entry);
    } else if (code == static_cast<int>(StandardAction::Exit)) {
        actions->exitRequested();
    }
}

void HeadlessPresenter::activate(WindowId window) {
    if (auto* actions = this->actions()) {
        actions->activated(window);
    }
}

void HeadlessPresenter::closeBySystem(WindowId window) {
    if (auto* actions = this->actions()) {
        actions->closeRequested(window);
    }
}

void HeadlessPresenter::rejectInput(WindowId window, int control) {
    if (auto* actions = this->actions()) {
        actions->inputRejected(window, control);
    }
}

std::vector<HeadlessPresenter::ShownWindow> HeadlessPresenter::windows() const {
    std::lock_guard lock(m_lock);
    return m_windows;
}

std::vector<HeadlessPresenter::ShownWindow> HeadlessPresenter::openWindows() const {
    auto all = windows();
    std::erase_if(all, [](const auto& w) { return !w.isOpen; });
    return all;
}

int HeadlessPresenter::beeps() const {
    std::lock_guard lock(m_lock);
    return m_beeps;
}

std::vector<int> HeadlessPresenter::standardActions() const {
    std::lock_guard lock(m_lock);
    return m_actionCodes;
}

std::vector<std::string> HeadlessPresenter::messages() const {
    std::lock_guard lock(m_lock);
    return m_messages;
}

std::map<int, HeadlessPresenter::Zone> HeadlessPresenter::zones() const {
    std::lock_guard lock(m_lock);
    return m_zones;
}

std::string HeadlessPresenter::about() const {
    std::lock_guard lock(m_lock);
    return m_about;
}

// The watcher is registered before the first test, so no change between a
// test and the wait can go unnoticed: it leaves the watcher's signal set.
bool HeadlessPresenter::waitFor(const std::function<bool(const std::vector<ShownWindow>&)>& ready,
                                std::chrono::milliseconds timeout) const {
    rt::Signal changedSince;
    {
        std::lock_guard lock(m_lock);
        m_watchers.push_back(&changedSince);
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool isReady = false;
    for (;;) {
        {
            std::lock_guard lock(m_lock);
            isReady = ready(m_windows);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (isReady || left.count() <= 0 || !changedSince.waitFor(left)) {
            break;
        }
    }
    std::lock_guard lock(m_lock);
    if (!isReady) {
        isReady = ready(m_windows);
    }
    std::erase(m_watchers, &changedSince);
    return isReady;
}

}  // namespace rt::test
