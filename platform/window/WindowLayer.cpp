#include "WindowLayer.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <new>

#include "platform/ProgramEnd.h"
#include "platform/TextField.h"
#include "platform/definition/StoredDefinitions.h"

namespace rt {

namespace {

constexpr std::uint8_t kFixedText = 0x12;

// What the calling thread works on; nothing of it is shared. A procedure
// thread's context lives on its own stack for as long as the thread runs; the
// first thread's lives here. The thread-local is a bare pointer: the toolchain
// for older Windows runs no destructors of thread-locals when a thread ends.
struct ThreadContext {
    int number = 0;
    std::shared_ptr<WindowState> window;
    Event current;
    int keyCode = 0;
};

ThreadContext g_firstThread;
thread_local ThreadContext* t_context = nullptr;

// Threads the layer did not start (a test's, a toolkit's) have no context.
int threadNumber() {
    return t_context != nullptr ? t_context->number : 0;
}

Event currentEvent() {
    return t_context != nullptr ? t_context->current : Event{};
}

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
    std::lock_guard lock(m_lock);
    m_endingProcess = false;
    m_nextThreadNumber = 2;
    g_firstThread = ThreadContext{};
    g_firstThread.number = FirstThread;
    t_context = &g_firstThread;
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
    return threadNumber();
}

std::size_t WindowLayer::runningThreads() const {
    std::lock_guard lock(m_lock);
    return static_cast<std::size_t>(
        std::count_if(m_threads.begin(), m_threads.end(), [](const auto& t) { return !t.finished; }));
}

keldwick::Result<void, std::error_code> WindowLayer::startThread(std::function<void()> procedure,
                                                                 std::size_t stackBytes) {
    reapFinishedThreads();
    const int starter = threadNumber();
    std::lock_guard lock(m_lock);
    const int number = m_nextThreadNumber++;
    auto& entry = m_threads.emplace_back();
    entry.number = number;
    entry.thread = std::make_unique<NativeThread>(
        [this, number, starter, body = std::move(procedure)] {
            ThreadContext context;
            context.number = number;
            t_context = &context;
            bool failed = false;
            try {
                body();
            } catch (const std::bad_alloc&) {
                endProgramOutOfMemory();
            } catch (...) {
                failed = true;
            }
            threadFinished(number, starter, failed);
            t_context = nullptr;
        },
        stackBytes);
    if (!entry.thread->isStarted()) {
        const auto error = entry.thread->startError();
        m_threads.pop_back();
        return error;
    }
    return {};
}

// The window goes first, so that the starter, once told, meets no trace of it.
void WindowLayer::threadFinished(int number, int starter, bool failed) {
    if (auto window = t_context->window) {
        closeNow(*window);
        std::lock_guard lock(m_lock);
        m_windows.erase(window->id);
        m_windowOfThread.erase(number);
    }
    *t_context = ThreadContext{};
    {
        std::lock_guard lock(m_lock);
        for (auto& thread : m_threads) {
            if (thread.number == number) {
                thread.finished = true;
            }
        }
    }
    if (failed && starter != 0) {
        post(ThreadFailed, number, starter);
    }
    m_threadEnded.set();
    if (m_presenter) {
        m_presenter->wakeUp();
    }
}

// Joins threads whose procedures have returned, outside the lock: a join never waits for long.
void WindowLayer::reapFinishedThreads() {
    std::list<ProcedureThread> finished;
    {
        std::lock_guard lock(m_lock);
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
    std::lock_guard lock(m_lock);
    const auto found = m_windows.find(id);
    return found == m_windows.end() ? nullptr : found->second;
}

std::shared_ptr<WindowState> WindowLayer::ownWindow() const {
    if (t_context == nullptr) {
        return nullptr;
    }
    const auto& window = t_context->window;
    return window && !window->isClosed ? window : nullptr;
}

std::string WindowLayer::prepare(Window& window, std::string_view moduleKey, std::string_view windowKey,
                                 bool isFrame, std::span<const std::span<char>> fields) {
    if (threadNumber() == 0) {
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
        std::lock_guard lock(m_lock);
        id = m_nextWindowId++;
    }
    auto& context = *t_context;
    auto state = std::make_shared<WindowState>(id, context.number, isFrame, std::move(loaded.description));
    state->bound = std::move(bound);
    for (const auto& control : state->description->controls) {
        const auto field = state->bound.find(control.id);
        state->texts[control.id] = field != state->bound.end() ? boundText(field->second) : control.text;
    }
    if (context.number == FirstThread && m_presenter) {
        state->queue.setWakeUp([presenter = m_presenter.get()] { presenter->wakeUp(); });
    }
    {
        std::lock_guard lock(m_lock);
        m_windows[state->id] = state;
        m_windowOfThread[context.number] = state->id;
    }
    context.window = state;
    context.current = {};
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
        std::lock_guard lock(m_lock);
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
    t_context->current = {};
    if (window.isClosed) {
        return false;
    }
    const auto event = nextEvent(window);
    if (!event || event->code == CloseRequested) {
        closeNow(window);
        return false;
    }
    t_context->current = *event;
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
    if (t_context == nullptr || !t_context->window) {
        return true;
    }
    return !receive(*t_context->window);
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
    if (auto state = ownWindow(); state && state->id == window.id) {
        closeNow(*state);
    }
}

void WindowLayer::endLoops() {
    if (t_context == nullptr) {
        return;
    }
    auto& context = *t_context;
    context.current = {};
    std::lock_guard lock(m_lock);
    const auto found = m_windowOfThread.find(context.number);
    if (found != m_windowOfThread.end() && context.window && found->second == context.window->id) {
        m_windowOfThread.erase(found);
    }
}

void WindowLayer::free(Window& window) {
    if (t_context == nullptr) {
        return;
    }
    auto& context = *t_context;
    auto& state = context.window;
    if (!state || state->id != window.id) {
        return;
    }
    closeNow(*state);
    {
        std::lock_guard lock(m_lock);
        m_windows.erase(state->id);
        m_windowOfThread.erase(context.number);
    }
    state.reset();
    window.id = 0;
}

int WindowLayer::event() const {
    return currentEvent().code;
}
int WindowLayer::field() const {
    return currentEvent().control;
}
int WindowLayer::accepted() const {
    const auto current = currentEvent();
    return current.code == ControlAccepted ? current.control : 0;
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
        std::lock_guard lock(m_lock);
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

void WindowLayer::tellUser(std::string_view text) {
    if (m_presenter) {
        m_presenter->tellUser(std::string(text));
        return;
    }
    std::fprintf(stderr, "keldwick: %.*s\n", static_cast<int>(text.size()), text.data());
}

int WindowLayer::keyCode() const {
    return t_context != nullptr ? t_context->keyCode : 0;
}
void WindowLayer::setKeyCode(int code) {
    if (t_context != nullptr) {
        t_context->keyCode = code;
    }
}

void WindowLayer::endProcess() {
    std::vector<std::shared_ptr<WindowState>> others;
    {
        std::lock_guard lock(m_lock);
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
            m_threadEnded.wait();
        }
    }
    reapFinishedThreads();
    if (m_presenter) {
        m_presenter->shutdown();
        m_presenter.reset();
    }
    std::lock_guard lock(m_lock);
    m_windows.clear();
    m_windowOfThread.clear();
    m_loader = nullptr;
    g_firstThread = ThreadContext{};
    t_context = nullptr;
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
