#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/threads/Lock.h"
#include "platform/window/WindowState.h"

namespace rt {

// Every window the layer knows: by id, for what a person does to it, and by
// the thread that owns it, for posts. Any thread looks windows up; every
// member is under the lock. What a window's record holds is its own thread's
// (see WindowState), except its queue.
class WindowRegistry {
  public:
    WindowId newId();
    // From now on the window receives its owner thread's posts.
    void add(std::shared_ptr<WindowState> window);
    void remove(WindowId id, int ownerThread);
    // The thread's window, when it is still `id`, receives no more posts.
    void stopPosts(int thread, WindowId id);

    std::shared_ptr<WindowState> find(WindowId id) const;
    std::shared_ptr<WindowState> windowOfThread(int thread) const;

    // The process is ending: every window opened from now on closes at once.
    // Returns the windows of threads other than the first, to be asked to close.
    std::vector<std::shared_ptr<WindowState>> beginEnding();
    bool isEnding() const;
    // Forgets every window; a new run of the program is not ending.
    void clear();

  private:
    mutable Lock m_lock;
    std::map<WindowId, std::shared_ptr<WindowState>> m_windows;
    std::map<int, WindowId> m_windowOfThread;
    WindowId m_nextId = 1;
    bool m_ending = false;
};

}  // namespace rt
