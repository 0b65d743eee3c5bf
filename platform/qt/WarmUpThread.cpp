#include "WarmUpThread.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <utility>

#include "DesktopIdentity.h"
#include "ModuleEnd.h"
#include "platform/base/EntryGuard.h"

namespace rt::qt {

namespace {

WarmUpThread::Pictures picturesFor(const QString& programFolder) {
    WarmUpThread::Pictures pictures;
    for (const auto& file : DesktopIdentity::iconFiles(programFolder)) {
        QImage picture(file.path);
        if (!picture.isNull()) {
            pictures.push_back(std::move(picture));
        }
    }
    return pictures;
}

// Nothing may escape a thread's entry: a program without its icon still
// works, and the windows keep the toolkit's icon.
void readGuarded(const QString& programFolder, const WarmUpThread::PicturesRead& read) {
    (void)returnsNormally([&] { read(picturesFor(programFolder)); });
}

}  // namespace

WarmUpThread::WarmUpThread() {
    const bool started = returnsNormally(
        [this] { m_thread = std::jthread([this] { guardEntry(kModuleEndedByError, [this] { run(); }); }); });
    if (!started) {
        // No thread: nothing is done ahead.
        m_fontsLoaded = true;
    }
}

WarmUpThread::~WarmUpThread() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

// Fontconfig keeps one configuration per process and may be called from any
// thread; a failed load is not kept, and Qt's own first call tries again.
// Qt's font database is shared by all threads and guarded by Qt; it can be
// filled only once the application object has chosen the platform's. The
// fonts count as loaded whatever happens, so that nobody waits in vain.
void WarmUpThread::run() {
    FcInit();
    std::optional<IconRequest> icon;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_icon.has_value() || m_ending; });
        if (!m_ending) {
            icon = std::move(m_icon);
        }
    }
    if (icon) {
        // Where this fails, the GUI thread fills it when it first needs it.
        (void)returnsNormally([] { QFontDatabase::families(); });
    }
    {
        const std::lock_guard lock(m_mutex);
        m_fontsLoaded = true;
    }
    m_changed.notify_all();
    if (icon) {
        readGuarded(icon->programFolder, icon->read);
    }
}

void WarmUpThread::applicationMade(QString programFolder, PicturesRead read) {
    if (!m_thread.joinable()) {
        readGuarded(programFolder, read);
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_icon = IconRequest{std::move(programFolder), std::move(read)};
    }
    m_changed.notify_all();
}

void WarmUpThread::waitForFonts() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_fontsLoaded; });
}

}  // namespace rt::qt
