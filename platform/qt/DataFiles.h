#pragma once

#include <QString>

namespace rt::qt {

// Files the program ships beside its code (help pages, icons), found under
// share/ of each of the desktop's data folders, else under the share/ beside
// the program's own folder: an installed prefix and a build tree lay that
// out the same way, so an uninstalled program finds its files too.
class DataFiles {
  public:
    // The first existing file at `relative` below share/, or an empty text.
    static QString locate(const QString& relative);
    // The same, with the program taken to live in `programFolder`.
    static QString locate(const QString& relative, const QString& programFolder);
};

}  // namespace rt::qt
