#pragma once

#include <thread>

namespace rt::desktop {

// Loads the font configuration on a thread of its own while the GUI thread
// makes the application object. Every process parses the configuration's
// files anew, and the first text a window measures waits for that; started
// here, it is mostly done by the time the frame is built. Fontconfig keeps
// one configuration per process and may be called from any thread.
class FontConfigWarmUp {
  public:
    // Starts at once. Without a thread to spare, the GUI thread loads the
    // configuration itself when it first needs it, as it would without this.
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits until the configuration is loaded. The GUI thread calls it before
    // it first measures text: were both threads to load it at once, each
    // would load the whole of it.
    void finish();

  private:
    std::jthread m_thread;
};

}  // namespace rt::desktop
