#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

#include "platform/base/Result.h"
#include "platform/window/PrepareError.h"
#include "platform/window/Presenter.h"
#include "platform/window/ProcedureThreads.h"
#include "platform/window/RuntimeSetup.h"
#include "platform/window/RuntimeTypes.h"
#include "platform/window/WindowRegistry.h"
#include "platform/window/WindowState.h"

namespace rt {

// The toolkit-free core of the window layer, private to the runtime: windows,
// their event queues, the threads that own them, and the one presenter that
// draws the shown ones. Each window procedure works on its own window through
// the rt:: calls of its thread; other threads reach a window only through its
// queue. The runtime's calls (Runtime.h, RuntimeSetup.h) are its only callers.
class WindowLayer final : public UserActions {
  public:
    static WindowLayer& instance();

    // Start-up and close-down, on the first thread.
    void beginProcess();
    // Asks every other window to close, waits for their threads, then lets go of all.
    void endProcess();

    // Fixed after start: see the members.
    void setPresenter(std::unique_ptr<Presenter> presenter);
    bool hasPresenter() const { return m_presenter != nullptr; }
    void setDefinitionLoader(DefinitionLoader loader);

    // A procedure that ends by an error (anything thrown but an allocation
    // failure, which ends the program) has its window closed, and the window
    // of the thread that started it receives ThreadFailed.
    rt::Result<void, std::error_code> startThread(std::function<void()> procedure, std::size_t stackBytes);
    std::size_t runningThreads() const { return m_threads.running(); }

    rt::Result<void, PrepareError> prepare(Window& window, std::string_view moduleKey,
                                           std::string_view windowKey, WindowRole role,
                                           std::span<const std::span<char>> fields);
    void open(Window& window);
    void startLoop();
    bool endLoop();
    void endLoops();
    void close(Window& window);
    void free(Window& window);

    int event() const;
    int field() const;
    int accepted() const;
    void display(int control);
    void select(int control);
    void post(int code, int control, int thread);
    void setProperty(int property, std::string_view value);
    void beep();
    // Without a presenter (nothing is shown) the text goes to standard error.
    void tellUser(std::string_view text);
    // Without a presenter these go nowhere: a hidden run shows nothing.
    void setZone(int zone, std::string_view text, std::string_view tip);
    void setAbout(std::string_view text);
    int keyCode() const;
    void setKeyCode(int code);

    void pressed(WindowId window, int control) override;
    void chose(WindowId window, int entry) override;
    void activated(WindowId window) override;
    void closeRequested(WindowId window) override;
    void inputRejected(WindowId window, int control) override;
    void exitRequested() override;

  private:
    WindowLayer() = default;
    void runProcedure(int number, int starter, const std::function<void()>& procedure);
    void procedureEnded(int number, int starter, bool failed);
    void deliver(WindowId id, Event event);
    std::optional<Event> nextEvent(WindowState& window);
    bool receive(WindowState& window);
    void closeNow(WindowState& window);
    void requireSetUpTime(const char* what) const;

    // Fixed after start: written only on the first thread while no procedure
    // thread exists, which requireSetUpTime() checks, and by endProcess() once
    // every procedure thread has been joined; read by any thread in between.
    std::unique_ptr<Presenter> m_presenter;
    DefinitionLoader m_loader;

    // Under their own locks: any thread reaches them.
    ProcedureThreads m_threads;
    WindowRegistry m_registry;

    // Owner thread only: each thread's own window and current event are in
    // its ThreadContext, which no other thread reaches.
};

}  // namespace rt
