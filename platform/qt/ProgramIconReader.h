#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <thread>
#include <vector>

namespace rt::desktop {

// Reads the program icon's pictures on a thread of its own. No window needs
// them to be shown, and reading them loads Qt's image plugins, which on the
// GUI thread would hold up the first window by about as long as building
// the frame's menus. Images may be made on any thread; the icon itself is
// made from them on the GUI thread.
class ProgramIconReader {
  public:
    using Pictures = std::vector<QImage>;

    // Starts at once; `read` gets the pictures found for a program in
    // `programFolder` on the reading thread, or on this one when no thread
    // can be had.
    ProgramIconReader(QString programFolder, std::function<void(Pictures)> read);
    ~ProgramIconReader();
    ProgramIconReader(const ProgramIconReader&) = delete;
    ProgramIconReader& operator=(const ProgramIconReader&) = delete;

    // Waits until `read` has returned.
    void finish();

  private:
    std::jthread m_thread;
};

}  // namespace rt::desktop
