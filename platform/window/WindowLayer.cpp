#include "WindowLayer.h"

#include <algorithm>

#include "platform/TextField.h"
#include "platform/definition/StoredDefinitions.h"

namespace rt {

namespace {

constexpr std::uint8_t kFixedText = 0x12;

// What the calling thread works on; nothing of it is shared.
struct ThreadContext {
    int number = 0;
    std::shared_ptr<WindowState> window;
    Event current;
    int keyCode = 0;
};

thread_local ThreadContext t_context;

// Windows come from the definitions stored in the program unless a test says otherwise.
LoadedDefinition loadStoredDefinition(std::string_view moduleKey, std::string_view windowKey) {
    auto walked = definition::loadWindowDescription(moduleKey, windowKey);
    if (!walked) {
        return {nullptr, walked.error().message()};
    }
    return {std::make_shared<const definition::WindowDescription>(std::move(walked).value()), {}};
}

std::string boundText(std::span<const char> field) {
    return std::string(keldwick::trimTrailingBlanks({field.data(), field.size()}));
}

std::string bindingError(const definition::WindowDescription& description,
                         std::span<const std::span<char>> fields, std::map<int, std::span<char>>& bound) {
    std::size_t next = 0;
    for (const auto& control : description.controls) {
        if (control.kind != definition::ControlKind::ValueDisplay) {
            continue;
        }
        if (next == fields.size()) {
            return "fewer bound variables than value displays";
        }
        const auto& variable = control.variable;
        if (variable.typeCode != kFixedText || variable.length < 0 ||
            static_cast<std::size_t>(variable.length) != fields[next].size()) {
            return "bound variable " + std::to_string(next + 1) + " does not match value display " +
                   std::to_string(control.id);
        }
        bound[control.id] = fields[next++];
    }
    return next == fields.size() ? std::string() : "more bound variables than value displays";
}

}  // namespace

WindowLayer& WindowLayer::instance() {
    static WindowLayer layer;
    return layer;
}

void WindowLayer::beginProcess() {
    std::lock_guard lock(m_mutex);
    m_endingProcess = false;
    m_nextThreadNumber = 2;
    t_context = ThreadContext{};
    t_context.number = FirstThread;
}

void WindowLayer::setPresenter(std::unique_ptr<Presenter> presenter) {
    m_presenter = std::move(presenter);
    if (m_presenter) {
        m_presenter->attach(*this);
    }
}

void WindowLayer::setDefinitionLoader(DefinitionLoader loader) {
    m_loader = std::move(loader);
}

int WindowLayer::currentThreadNumber() const {
    return t_context.number;
}

std::size_t WindowLayer::runningThreads() const {
    std::lock_guard lock(m_mutex);
    return static_cast<std::size_t>(
        std::count_if(m_threads.begin(), m_threads.end(), [](const auto& t) { return !t.finished; }));
}

bool WindowLayer::startThread(std::function<void()> procedure, std::size_t stackBytes) {
    reapFinishedThreads();
    std::lock_guard lock(m_mutex);
    const int number = m_nextThreadNumber++;
    auto& entry = m_threads.emplace_back();
    entry.number = number;
    entry.thread = std::make_unique<NativeThread>(
        [this, number, body = std::move(procedure)] {
            t_context = ThreadContext{};
            t_context.number = number;
            try {
                body();
            } catch (...) {
                // A procedure that fails ends its own window, never the process.
            }
            threadFinished(number);
        },
        stackBytes);
    if (!entry.thread->isStarted()) {
        m_threads.pop_back();
        return false;
    }
    return true;
}

void WindowLayer::threadFinished(int number) {
    if (auto window = t_context.window) {
        closeNow(*window);
        std::lock_guard lock(m_mutex);
        m_windows.erase(window->id);
        m_windowOfThread.erase(number);
    }
    t_context = ThreadContext{};
    {
        std::lock_guard lock(m_mutex);
        for (auto& thread : m_threads) {
            if (thread.number == number) {
                thread.finished = true;
            }
        }
    }
    m_threadEnded.notify_all();
    if (m_presenter) {
        m_presenter->wakeUp();
    }
}

// Joins threads whose procedures have returned, outside the lock: a join never waits for long.
void WindowLayer::reapFinishedThreads() {
    std::list<ProcedureThread> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_threads.begin(); it != m_threads.end();) {
            const auto next = std::next(it);
            if (it->finished) {
                finished.splice(finished.end(), m_threads, it);
            }
            it = next;
        }
    }
    finished.clear();
}

std::shared_ptr<WindowState> WindowLayer::find(WindowId id) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_windows.find(id);
    return found == m_windows.end() ? nullptr : found->second;
}

std::shared_ptr<WindowState> WindowLayer::ownWindow() const {
    const auto& window = t_context.window;
    return window && !window->isClosed ? window : nullptr;
}

std::string WindowLayer::prepare(Window& window, std::string_view moduleKey, std::string_view windowKey,
                                 bool isFrame, std::span<const std::span<char>> fields) {
    if (t_context.number == 0) {
        return "windows can be prepared only on the first thread or a procedure thread";
    }
    auto loaded = m_loader ? m_loader(moduleKey, windowKey) : loadStoredDefinition(moduleKey, windowKey);
    if (!loaded.description) {
        return loaded.error;
    }
    std::map<int, std::span<char>> bound;
    if (auto error = bindingError(*loaded.description, fields, bound); !error.empty()) {
        return "window " + std::string(windowKey) + " of " + std::string(moduleKey) + ": " + error;
    }
    WindowId id = 0;
    {
        std::lock_guard lock(m_mutex);
        id = m_nextWindowId++;
    }
    auto state = std::make_shared<WindowState>(id, t_context.number, isFrame, std::move(loaded.description));
    state->bound = std::move(bound);
    for (const auto& control : state->description->controls) {
        const auto field = state->bound.find(control.id);
        state->texts[control.id] = field != state->bound.end() ? boundText(field->second) : control.text;
    }
    if (t_context.number == FirstThread && m_presenter) {
        state->queue.setWakeUp([presenter = m_presenter.get()] { presenter->wakeUp(); });
    }
    {
        std::lock_guard lock(m_mutex);
        m_windows[state->id] = state;
        m_windowOfThread[t_context.number] = state->id;
    }
    t_context.window = state;
    t_context.current = {};
    window.id = state->id;
    return {};
}

void WindowLayer::open(Window& window) {
    auto state = ownWindow();
    if (!state || state->id != window.id || state->isOpen) {
        return;
    }
    state->isOpen = true;
    state->queue.push({WindowOpened, 0});
    bool ending = false;
    {
        std::lock_guard lock(m_mutex);
        ending = m_endingProcess;
    }
    if (ending) {
        state->queue.push({CloseRequested, 0});
    }
}

std::optional<Event> WindowLayer::nextEvent(WindowState& window) {
    if (window.ownerThread != FirstThread || !m_presenter) {
        return window.queue.waitPop();
    }
    for (;;) {
        if (auto event = window.queue.tryPop()) {
            return event;
        }
        if (window.queue.isClosed()) {
            return std::nullopt;
        }
        m_presenter->waitForWork();
    }
}

// Takes the next event as the current one; false once the window has closed.
bool WindowLayer::receive(WindowState& window) {
    t_context.current = {};
    if (window.isClosed) {
        return false;
    }
    const auto event = nextEvent(window);
    if (!event || event->code == CloseRequested) {
        closeNow(window);
        return false;
    }
    t_context.current = *event;
    return true;
}

void WindowLayer::startLoop() {
    auto state = ownWindow();
    if (!state) {
        return;
    }
    if (!state->isHidden && !state->isShown && m_presenter) {
        state->isShown = true;
        m_presenter->show(state->view());
    }
    (void)receive(*state);
}

bool WindowLayer::endLoop() {
    const auto& state = t_context.window;
    return !state || !receive(*state);
}

void WindowLayer::closeNow(WindowState& window) {
    if (window.isClosed) {
        return;
    }
    window.isClosed = true;
    window.isOpen = false;
    window.queue.close();
    if (window.isShown && m_presenter) {
        m_presenter->close(window.id);
    }
}

void WindowLayer::close(Window& window) {
    const auto& state = t_context.window;
    if (state && state->id == window.id) {
        closeNow(*state);
    }
}

void WindowLayer::endLoops() {
    t_context.current = {};
    std::lock_guard lock(m_mutex);
    const auto found = m_windowOfThread.find(t_context.number);
    if (found != m_windowOfThread.end() && t_context.window && found->second == t_context.window->id) {
        m_windowOfThread.erase(found);
    }
}

void WindowLayer::free(Window& window) {
    auto& state = t_context.window;
    if (!state || state->id != window.id) {
        return;
    }
    closeNow(*state);
    {
        std::lock_guard lock(m_mutex);
        m_windows.erase(state->id);
        m_windowOfThread.erase(t_context.number);
    }
    state.reset();
    window.id = 0;
}

int WindowLayer::event() const {
    return t_context.current.code;
}
int WindowLayer::field() const {
    return t_context.current.control;
}
int WindowLayer::accepted() const {
    return t_context.current.code == ControlAccepted ? t_context.current.control : 0;
}

void WindowLayer::display(int control) {
    auto state = ownWindow();
    if (!state) {
        return;
    }
    for (auto& [id, text] : state->texts) {
        if (control != 0 && id != control) {
            continue;
        }
        const auto field = state->bound.find(id);
        if (field != state->bound.end()) {
            text = boundText(field->second);
        }
        if (state->isShown && m_presenter) {
            m_presenter->setText(state->id, id, text);
        }
    }
}

void WindowLayer::select(int control) {
    auto state = ownWindow();
    if (!state || !state->canTakeFocus(control)) {
        return;
    }
    state->focus = control;
    if (state->isShown && m_presenter) {
        m_presenter->focus(state->id, control);
    }
}

void WindowLayer::post(int code, int control, int thread) {
    if (thread == OwnThread) {
        if (auto state = ownWindow()) {
            state->queue.push({code, control});
        }
        return;
    }
    std::shared_ptr<WindowState> target;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_windowOfThread.find(thread);
        if (found != m_windowOfThread.end()) {
            const auto window = m_windows.find(found->second);
            target = window == m_windows.end() ? nullptr : window->second;
        }
    }
    if (target) {
        target->queue.push({code, control});
    }
}

void WindowLayer::setProperty(int property, std::string_view value) {
    auto state = ownWindow();
    if (state && property == HiddenProperty) {
        state->isHidden = value == "1";
    }
}

void WindowLayer::beep() {
    if (m_presenter) {
        m_presenter->beep();
    }
}

int WindowLayer::keyCode() const {
    return t_context.keyCode;
}
void WindowLayer::setKeyCode(int code) {
    t_context.keyCode = code;
}

void WindowLayer::endProcess() {
    std::vector<std::shared_ptr<WindowState>> others;
    {
        std::lock_guard lock(m_mutex);
        m_endingProcess = true;
        for (const auto& [id, window] : m_windows) {
            if (window->ownerThread != FirstThread) {
                others.push_back(window);
            }
        }
    }
    for (const auto& window : others) {
        window->queue.push({CloseRequested, 0});
    }
    // The presenter keeps running while the others close their windows through it.
    while (runningThreads() > 0) {
        if (m_presenter) {
            m_presenter->waitForWork();
        } else {
            std::unique_lock lock(m_mutex);
            m_threadEnded.wait(lock, [&] {
                return std::none_of(m_threads.begin(), m_threads.end(),
                                    [](const auto& t) { return !t.finished; });
            });
        }
    }
    reapFinishedThreads();
    if (m_presenter) {
        m_presenter->shutdown();
        m_presenter.reset();
    }
    std::lock_guard lock(m_mutex);
    m_windows.clear();
    m_windowOfThread.clear();
    m_loader = nullptr;
    t_context = ThreadContext{};
}

void WindowLayer::deliver(WindowId id, Event event) {
    if (auto window = find(id)) {
        window->queue.push(event);
    }
}

void WindowLayer::pressed(WindowId window, int control) {
    deliver(window, {ControlAccepted, control});
}
void WindowLayer::chose(WindowId window, int entry) {
    deliver(window, {ControlAccepted, entry});
}
void WindowLayer::activated(WindowId window) {
    deliver(window, {FocusGained, 0});
}
void WindowLayer::closeRequested(WindowId window) {
    deliver(window, {CloseRequested, 0});
}
void WindowLayer::inputRejected(WindowId window, int control) {
    deliver(window, {InputRejected, control});
}
void WindowLayer::exitRequested() {
    post(CloseRequested, 0, FirstThread);
}

}  // namespace rt
