#include "platform/window/Runtime.h"

#include <atomic>
#include <vector>

#include "platform/base/ProgramEnd.h"
#include "platform/window/RuntimeSetup.h"
#include "platform/window/WindowLayer.h"

namespace rt {

namespace {

std::atomic<int> g_initialisedModules{0};
std::vector<std::string> g_parameters;

WindowLayer& layer() {
    return WindowLayer::instance();
}

}  // namespace

void startUp(std::span<const Module> modules, int argc, const char* const* argv) {
    endProgramWhenMemoryRunsOut();
    layer().beginProcess();
    g_initialisedModules = 0;
    g_parameters.clear();
    for (int i = 1; argv != nullptr && i < argc; ++i) {
        g_parameters.emplace_back(argv[i]);
    }
    for (const auto& module : modules) {
        if (module.initialise != nullptr) {
            module.initialise(kModuleStarting);
        }
    }
}

int checkVersion(unsigned version, unsigned revision, unsigned reserved) {
    return version == kInterfaceVersion && revision <= kInterfaceRevision && reserved == 0 ? 1 : 0;
}

void initModule() {
    ++g_initialisedModules;
}

void initialiseModule(int reason) {
    if (reason == kModuleStarting) {
        initModule();
    }
}

int initialisedModules() {
    return g_initialisedModules;
}

// The runtime is ready once start-up has run: the program's own code needs nothing more.
void beginProgram() {}

void closeDown() {
    layer().endProcess();
}

std::string commandText(std::string_view, int) {
    std::string text;
    for (const auto& parameter : g_parameters) {
        if (!text.empty()) {
            text += ' ';
        }
        text += parameter;
    }
    return text;
}

rt::Result<void, std::error_code> startThread(std::function<void()> procedure, std::size_t stackBytes) {
    return layer().startThread(std::move(procedure), stackBytes);
}

rt::Result<void, PrepareError> prepareFrame(Window& window, std::string_view moduleKey,
                                            std::string_view windowKey) {
    return layer().prepare(window, moduleKey, windowKey, WindowRole::Frame, {});
}

rt::Result<void, PrepareError> prepareWindow(Window& window, std::string_view moduleKey,
                                             std::string_view windowKey,
                                             std::initializer_list<BoundField> fields) {
    return layer().prepare(window, moduleKey, windowKey, WindowRole::Child,
                           std::span(fields.begin(), fields.size()));
}

void openWindow(Window& window) {
    layer().open(window);
}
void closeWindow(Window& window) {
    layer().close(window);
}
void freeWindow(Window& window) {
    layer().free(window);
}
void startEventLoop() {
    layer().startLoop();
}
bool endEventLoop(int) {
    return layer().endLoop();
}
void endEventLoops(int) {
    layer().endLoops();
}
int event() {
    return layer().event();
}
int field() {
    return layer().field();
}
int accepted() {
    return layer().accepted();
}
void display(int control) {
    layer().display(control);
}
void select(int control) {
    layer().select(control);
}
void post(int code, int control, int thread) {
    layer().post(code, control, thread);
}
void setProperty(int property, std::string_view value) {
    layer().setProperty(property, value);
}
void beep(int, int) {
    layer().beep();
}
void tellUser(std::string_view text) {
    layer().tellUser(text);
}
void setStatusZone(int zone, std::string_view text, std::string_view tip) {
    layer().setZone(zone, text, tip);
}
void setAboutText(std::string_view text) {
    layer().setAbout(text);
}
int keyCode() {
    return layer().keyCode();
}
void setKeyCode(int code) {
    layer().setKeyCode(code);
}

void usePresenter(std::unique_ptr<Presenter> presenter) {
    layer().setPresenter(std::move(presenter));
}
bool hasPresenter() {
    return layer().hasPresenter();
}
void useDefinitionLoader(DefinitionLoader loader) {
    layer().setDefinitionLoader(std::move(loader));
}
std::size_t runningThreads() {
    return layer().runningThreads();
}

}  // namespace rt
