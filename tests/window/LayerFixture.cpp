#include "LayerFixture.h"

#include <thread>

#include "platform/base/TextField.h"

namespace rt::test {

using rt::definition::ControlKind;

namespace {

rt::definition::Control control(ControlKind kind, int id, const std::string& text) {
    rt::definition::Control c;
    c.kind = kind;
    c.id = id;
    c.text = text;
    if (kind == ControlKind::ValueDisplay) {
        c.picture = "s40";
        c.variable = {rt::definition::kFixedTextType, 40};
    }
    return c;
}

rt::definition::MenuEntry entry(int id, const std::string& text, int actionCode) {
    rt::definition::MenuEntry e;
    e.id = id;
    e.text = text;
    e.actionCode = actionCode;
    return e;
}

}  // namespace

rt::definition::WindowDescription childDescription() {
    rt::definition::WindowDescription d;
    d.windowKey = "CHILD$WINDOW";
    d.title = "Child";
    d.controls = {control(ControlKind::StaticText, 1, "Label"), control(ControlKind::ValueDisplay, 2, ""),
                  control(ControlKind::PushButton, 3, "OK")};
    return d;
}

rt::definition::WindowDescription frameDescription() {
    rt::definition::WindowDescription d;
    d.windowKey = "FRAME$WINDOW";
    d.title = "Frame";
    d.hasMenuBar = true;
    auto menu = entry(-1, "&Test", 0);
    menu.items = {entry(-9, "Go", 0), entry(-10, "T&ile", 2), entry(-3, "E&xit", 15)};
    d.menus = {menu};
    return d;
}

LayerFixture::LayerFixture() {
    startUp({}, 0, nullptr);
    auto headless = std::make_unique<rt::test::HeadlessPresenter>();
    presenter = headless.get();
    usePresenter(std::move(headless));
    useDefinitionLoader(
        [](std::string_view module, std::string_view window)
            -> rt::Result<std::shared_ptr<const rt::definition::WindowDescription>, std::string> {
            if (window == "CHILD$WINDOW") {
                return std::make_shared<const rt::definition::WindowDescription>(childDescription());
            }
            if (window == "FRAME$WINDOW") {
                return std::make_shared<const rt::definition::WindowDescription>(frameDescription());
            }
            return "no window " + std::string(window) + " in " + std::string(module);
        });
}

LayerFixture::~LayerFixture() {
    closeDown();
}

bool LayerFixture::waitForThreads(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (runningThreads() > 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

WindowId LayerFixture::shownWindow(std::size_t n) {
    WindowId id = 0;
    presenter->waitFor([&](const auto& windows) {
        if (windows.size() <= n) {
            return false;
        }
        id = windows[n].id;
        return true;
    });
    return id;
}

void TurnLog::add(Turn turn) {
    std::lock_guard lock(m_mutex);
    m_turns.push_back(turn);
}

std::vector<Turn> TurnLog::turns() const {
    std::lock_guard lock(m_mutex);
    return m_turns;
}

std::vector<int> TurnLog::events() const {
    std::vector<int> codes;
    for (const auto& turn : turns()) {
        codes.push_back(turn.event);
    }
    return codes;
}

void runLoggingChild(TurnLog& log, const std::function<void()>& onTurn) {
    rt::TextField<40> value("shown text");
    Window window;
    if (!prepareWindow(window, "TEST$CHILD", "CHILD$WINDOW", {value.chars()})) {
        return;
    }
    openWindow(window);
    startEventLoop();
    do {
        log.add({event(), field(), accepted()});
        if (onTurn) {
            onTurn();
        }
    } while (!endEventLoop());
    closeWindow(window);
    endEventLoops();
    freeWindow(window);
}

}  // namespace rt::test
