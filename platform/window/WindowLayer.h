#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "Presenter.h"
#include "WindowState.h"
#include "platform/Lock.h"
#include "platform/NativeThread.h"
#include "platform/Result.h"
#include "platform/Signal.h"

namespace rt {

struct Window {
    WindowId id = 0;
};

// A walked definition, or why there is none.
struct LoadedDefinition {
    std::shared_ptr<const definition::WindowDescription> description;
    std::string error;
};
using DefinitionLoader =
    std::function<LoadedDefinition(std::string_view moduleKey, std::string_view windowKey)>;

// The toolkit-free core of the window layer: windows, their event queues, the
// threads that own them, and the one presenter that draws the shown ones.
// Each window procedure works on its own window through the rt:: calls of its
// thread; other threads reach a window only through its queue.
class WindowLayer final : public UserActions {
  public:
    static WindowLayer& instance();

    // Set-up, on the first thread before any other thread exists.
    void beginProcess();
    void setPresenter(std::unique_ptr<Presenter> presenter);
    Presenter* presenter() const { return m_presenter.get(); }
    void setDefinitionLoader(DefinitionLoader loader);

    // Runs the procedure on a new thread, or says why the system refused one.
    // A procedure that ends by an error (anything thrown but an allocation
    // failure, which ends the program) has its window closed, and the window
    // of the thread that started it receives ThreadFailed.
    keldwick::Result<void, std::error_code> startThread(std::function<void()> procedure,
                                                        std::size_t stackBytes);
    int currentThreadNumber() const;
    std::size_t runningThreads() const;

    [[nodiscard]] std::string prepare(Window& window, std::string_view moduleKey, std::string_view windowKey,
                                      bool isFrame, std::span<const std::span<char>> fields);
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
    // Tells the person at the screen what went wrong; without a presenter
    // (nothing is shown) the text goes to standard error.
    void tellUser(std::string_view text);
    int keyCode() const;
    void setKeyCode(int code);

    // On the first thread once its own procedure has returned: asks every
    // other window to close, waits for their threads, then lets go of all.
    void endProcess();

    void pressed(WindowId window, int control) override;
    void chose(WindowId window, int entry) override;
    void activated(WindowId window) override;
    void closeRequested(WindowId window) override;
    void inputRejected(WindowId window, int control) override;
    void exitRequested() override;

  private:
    struct ProcedureThread {
        int number = 0;
        bool finished = false;
        std::unique_ptr<NativeThread> thread;
    };

    WindowLayer() = default;
    std::shared_ptr<WindowState> find(WindowId id) const;
    std::shared_ptr<WindowState> ownWindow() const;
    void deliver(WindowId id, Event event);
    std::optional<Event> nextEvent(WindowState& window);
    bool receive(WindowState& window);
    void closeNow(WindowState& window);
    void threadFinished(int number, int starter, bool failed);
    void reapFinishedThreads();

    mutable Lock m_lock;
    Signal m_threadEnded;  // only the first thread waits on it, in endProcess
    std::map<WindowId, std::shared_ptr<WindowState>> m_windows;
    std::map<int, WindowId> m_windowOfThread;
    std::list<ProcedureThread> m_threads;
    WindowId m_nextWindowId = 1;
    int m_nextThreadNumber = 2;
    bool m_endingProcess = false;
    std::unique_ptr<Presenter> m_presenter;
    DefinitionLoader m_loader;
};

}  // namespace rt
