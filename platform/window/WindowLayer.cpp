#include "platform/window/WindowLayer.h"

#include <cstdlib>
#include <string>

#include "platform/base/EntryGuard.h"
#include "platform/base/ErrorLine.h"
#include "platform/definition/FieldBinding.h"
#include "platform/definition/StoredDefinitions.h"
#include "platform/window/ThreadContext.h"

namespace rt {

namespace {

int threadNumber() {
    const auto* context = currentContext();
    return context != nullptr ? context->number : 0;
}

Event currentEvent() {
    const auto* context = currentContext();
    return context != nullptr ? context->current : Event{};
}

// The calling thread's window while it is open for work; null once closed.
std::shared_ptr<WindowState> ownWindow() {
    const auto* context = currentContext();
    if (context == nullptr) {
        return nullptr;
    }
    const auto& window = context->window;
    return window && !window->isClosed ? window : nullptr;
}

rt::Result<std::shared_ptr<const definition::WindowDescription>, std::string> loadStoredDefinition(
    std::string_view moduleKey, std::string_view windowKey) {
    auto walked = definition::loadWindowDescription(moduleKey, windowKey);
    if (!walked) {
        return walked.error().message();
    }
    return std::make_shared<const definition::WindowDescription>(std::move(walked).value());
}

}  // namespace

WindowLayer& WindowLayer::instance() {
    static WindowLayer layer;
    return layer;
}

void WindowLayer::beginProcess() {
    m_threads.restartNumbers();
    m_registry.clear();
    enterFirstThread();
}

// A change while another thread may read them is a fault of the program's
// own making, never of its input: it ends the program where it happens.
void WindowLayer::requireSetUpTime(const char* what) const {
    if (threadNumber() != FirstThread || !m_threads.allJoined()) {
        tellErrorLine({"internal error: ", what, " after the first procedure thread started"});
        std::abort();
    }
}

void WindowLayer::setPresenter(std::unique_ptr<Presenter> presenter) {
    requireSetUpTime("the presenter was changed");
    m_presenter = std::move(presenter);
    if (m_presenter) {
        m_presenter->attach(*this);
    }
}

void WindowLayer::setDefinitionLoader(DefinitionLoader loader) {
    requireSetUpTime("the definition loader was changed");
    m_loader = std::move(loader);
}

rt::Result<void, std::error_code> WindowLayer::startThread(std::function<void()> procedure,
                                                           std::size_t stackBytes) {
    m_threads.reapFinished();
    const int starter = threadNumber();
    return m_threads.start(
        [this, starter, body = std::move(procedure)](int number) { runProcedure(number, starter, body); },
        stackBytes);
}

// A procedure that ends by an error ends in order, as if it had returned:
// the thread's own entry guards the rest.
void WindowLayer::runProcedure(int number, int starter, const std::function<void()>& procedure) {
    const ProcedureContext context(number);
    const bool failed = !returnsNormally(procedure);
    procedureEnded(number, starter, failed);
}

// The window goes first, so that the starter, once told, meets no trace of it.
void WindowLayer::procedureEnded(int number, int starter, bool failed) {
    auto& context = *currentContext();
    if (auto window = std::move(context.window)) {
        closeNow(*window);
        m_registry.remove(window->id, number);
    }
    context = ThreadContext{};
    m_threads.markFinished(number);
    if (failed && starter != 0) {
        post(ThreadFailed, number, starter);
    }
    if (m_presenter) {
        m_presenter->wakeUp();
    }
}

rt::Result<void, PrepareError> WindowLayer::prepare(Window& window, std::string_view moduleKey,
                                                    std::string_view windowKey, WindowRole role,
                                                    std::span<const std::span<char>> fields) {
    auto* context = currentContext();
    if (context == nullptr) {
        return PrepareError{PrepareFault::NotAWindowThread,
                            "windows can be prepared only on the first thread or a procedure thread"};
    }
    auto loaded = m_loader ? m_loader(moduleKey, windowKey) : loadStoredDefinition(moduleKey, windowKey);
    if (!loaded) {
        return PrepareError{PrepareFault::NoDefinition, std::move(loaded).error()};
    }
    auto bound = definition::bindFields(*loaded.value(), fields);
    if (!bound) {
        return PrepareError{PrepareFault::FieldsDoNotMatch, "window " + std::string(windowKey) + " of " +
                                                                std::string(moduleKey) + ": " +
                                                                bound.error().message()};
    }
    auto state =
        std::make_shared<WindowState>(m_registry.newId(), context->number, role, std::move(loaded).value());
    state->bound = std::move(bound).value();
    for (const auto& control : state->description->controls) {
        const auto field = state->bound.find(control.id);
        state->texts[control.id] =
            field != state->bound.end() ? definition::shownText(field->second) : control.text;
    }
    if (context->number == FirstThread && m_presenter) {
        state->queue.setWakeUp([presenter = m_presenter.get()] { presenter->wakeUp(); });
    }
    m_registry.add(state);
    context->window = state;
    context->current = {};
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
    if (m_registry.isEnding()) {
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
    auto& context = *currentContext();
    context.current = {};
    if (window.isClosed) {
        return false;
    }
    const auto event = nextEvent(window);
    if (!event || event->code == CloseRequested) {
        closeNow(window);
        return false;
    }
    context.current = *event;
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
    const auto* context = currentContext();
    if (context == nullptr || !context->window) {
        return true;
    }
    return !receive(*context->window);
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
    auto* context = currentContext();
    if (context == nullptr) {
        return;
    }
    context->current = {};
    if (context->window) {
        m_registry.stopPosts(context->number, context->window->id);
    }
}

void WindowLayer::free(Window& window) {
    auto* context = currentContext();
    if (context == nullptr || !context->window || context->window->id != window.id) {
        return;
    }
    closeNow(*context->window);
    m_registry.remove(window.id, context->number);
    context->window.reset();
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
            text = definition::shownText(field->second);
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
    const auto target = thread == OwnThread ? ownWindow() : m_registry.windowOfThread(thread);
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
    tellErrorLine(text);
}

void WindowLayer::setZone(int zone, std::string_view text, std::string_view tip) {
    if (m_presenter) {
        m_presenter->setZone(zone, std::string(text), std::string(tip));
    }
}

void WindowLayer::setAbout(std::string_view text) {
    if (m_presenter) {
        m_presenter->setAbout(std::string(text));
    }
}

int WindowLayer::keyCode() const {
    const auto* context = currentContext();
    return context != nullptr ? context->keyCode : 0;
}
void WindowLayer::setKeyCode(int code) {
    if (auto* context = currentContext()) {
        context->keyCode = code;
    }
}

// The presenter keeps running while the others close their windows through
// it, and goes only once their threads are joined: they read it to the end.
void WindowLayer::endProcess() {
    for (const auto& window : m_registry.beginEnding()) {
        window->queue.push({CloseRequested, 0});
    }
    while (!m_threads.allJoined()) {
        if (m_threads.running() > 0) {
            if (m_presenter) {
                m_presenter->waitForWork();
            } else {
                m_threads.waitForAnEnd();
            }
        }
        m_threads.reapFinished();
    }
    if (m_presenter) {
        m_presenter->shutdown();
        m_presenter.reset();
    }
    m_loader = nullptr;
    m_registry.clear();
    leaveFirstThread();
}

void WindowLayer::deliver(WindowId id, Event event) {
    if (auto window = m_registry.find(id)) {
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
