#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <vector>

namespace rt::qt {

// How the desktop knows the program: the name under which its data (the help)
// is installed, the launcher its windows belong to, and its icon.
class DesktopIdentity {
  public:
    static constexpr const char* kApplicationName = "keldwick";
    // The launcher file and the icon carry this name.
    static constexpr const char* kDesktopId = "org.keldwick.Keldwick";

    // Before the application object exists: names that Qt reads while it is made.
    static void applyNames();
    // Once it exists: the program's icon, where it is installed or in the build tree.
    static void applyIcon();
    // The icon as found for a program in `programFolder`.
    static QIcon icon(const QString& programFolder);

    struct IconFile {
        QString path;
        int size = 0;
    };
    // The icon's picture files for a program in `programFolder`, smallest
    // first; only those that exist. Any thread may ask.
    static std::vector<IconFile> iconFiles(const QString& programFolder);
    // An icon of pictures read from those files; on the GUI thread.
    static QIcon iconOf(const std::vector<QImage>& pictures);
};

}  // namespace rt::qt
