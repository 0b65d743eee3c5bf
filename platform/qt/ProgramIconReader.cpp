#include "ProgramIconReader.h"

#include <utility>

#include "DesktopIdentity.h"

namespace rt::desktop {

namespace {

ProgramIconReader::Pictures picturesFor(const QString& programFolder) {
    ProgramIconReader::Pictures pictures;
    for (const auto& file : DesktopIdentity::iconFiles(programFolder)) {
        QImage picture(file.path);
        if (!picture.isNull()) {
            pictures.push_back(std::move(picture));
        }
    }
    return pictures;
}

// A thread's entry lets nothing escape: a program without its icon still works.
void readGuarded(const QString& programFolder, const std::function<void(ProgramIconReader::Pictures)>& read) {
    try {
        read(picturesFor(programFolder));
    } catch (...) {
        // The windows keep the toolkit's icon.
    }
}

}  // namespace

ProgramIconReader::ProgramIconReader(QString programFolder, std::function<void(Pictures)> read) {
    try {
        m_thread = std::jthread([programFolder, read] { readGuarded(programFolder, read); });
        return;
    } catch (...) {
        // No thread to spare: read here.
    }
    readGuarded(programFolder, read);
}

ProgramIconReader::~ProgramIconReader() {
    finish();
}

void ProgramIconReader::finish() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace rt::desktop
