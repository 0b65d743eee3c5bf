#pragma once

#include <QImage>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace rt::desktop {

// One thread beside the GUI thread while the program starts, for work the
// first windows can have done elsewhere: first the font configuration, which
// every process parses anew and which the first text measured waits for;
// then the program icon's pictures, which no window needs in order to be
// shown and whose reading loads Qt's image plugins. One thread, not one for
// each: on two cores the GUI thread keeps one of them to itself.
class WarmUpThread {
  public:
    using Pictures = std::vector<QImage>;
    using PicturesRead = std::function<void(Pictures)>;

    // Starts loading the font configuration at once, before the application
    // object exists. Without a thread to spare, Qt loads it when it first
    // needs it and the icon is read where it is asked for.
    WarmUpThread();
    // Waits for the thread; an icon it has not begun to read is not read.
    ~WarmUpThread();
    WarmUpThread(const WarmUpThread&) = delete;
    WarmUpThread& operator=(const WarmUpThread&) = delete;

    // Waits until the font configuration is loaded. The GUI thread calls it
    // before it first measures text: were both threads to load it at once,
    // each would load the whole of it.
    void waitForFontConfig();

    // Reads the icon's pictures found for a program in `programFolder` once
    // the font configuration is loaded; `read` gets them on the warm-up
    // thread. Call once, once the application object exists.
    void readIcon(QString programFolder, PicturesRead read);

  private:
    struct IconRequest {
        QString programFolder;
        PicturesRead read;
    };

    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_fontConfigLoaded = false;
    bool m_ending = false;
    std::optional<IconRequest> m_icon;
    std::jthread m_thread;  // last: it uses the members above from its start
};

}  // namespace rt::desktop
