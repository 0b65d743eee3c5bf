#pragma once

#include <QImage>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace rt::qt {

// One thread beside the GUI thread while the program starts, for work the
// first windows can have done elsewhere: the fonts, which every process
// loads anew and which the first text measured waits for, and the program
// icon's pictures, which no window needs in order to be shown and whose
// reading loads Qt's image plugins. One thread, not one for each: on two
// cores the GUI thread keeps one of them to itself.
class WarmUpThread {
  public:
    using Pictures = std::vector<QImage>;
    using PicturesRead = std::function<void(Pictures)>;

    // Starts loading the font configuration at once, before the application
    // object exists. Without a thread to spare, Qt loads the fonts when it
    // first needs them and the icon is read where it is asked for.
    WarmUpThread();
    // Waits for the thread; what it has not begun is left undone.
    ~WarmUpThread();
    WarmUpThread(const WarmUpThread&) = delete;
    WarmUpThread& operator=(const WarmUpThread&) = delete;

    // The application object exists: once the font configuration is loaded,
    // the thread fills Qt's font database, then reads the icon's pictures
    // found for a program in `programFolder`, which `read` gets on the
    // warm-up thread. Call once.
    void applicationMade(QString programFolder, PicturesRead read);

    // Waits until the fonts are loaded. The GUI thread calls it before it
    // first measures text: were both threads to load them at once, each
    // would load the whole of them.
    void waitForFonts();

  private:
    struct IconRequest {
        QString programFolder;
        PicturesRead read;
    };

    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_fontsLoaded = false;
    bool m_ending = false;
    std::optional<IconRequest> m_icon;
    std::jthread m_thread;  // last: it uses the members above from its start
};

}  // namespace rt::qt
