#include "DesktopIdentity.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <utility>

#include "DataFiles.h"

namespace rt::qt {

namespace {

// The sizes title bars and task switchers use; the larger ones only launchers,
// which read the installed theme themselves. Each file read costs start-up time.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64};

}  // namespace

void DesktopIdentity::applyNames() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
}

// The installed PNG files rather than a theme lookup: the desktop's icon
// theme holds the same picture, and searching it costs several milliseconds
// of start-up. Qt draws no SVG without an extra module.
std::vector<DesktopIdentity::IconFile> DesktopIdentity::iconFiles(const QString& programFolder) {
    const QString id = QString::fromLatin1(kDesktopId);
    std::vector<IconFile> files;
    for (const int size : kIconSizes) {
        QString file = DataFiles::locate(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id),
                                         programFolder);
        if (!file.isEmpty()) {
            files.push_back({std::move(file), size});
        }
    }
    return files;
}

QIcon DesktopIdentity::icon(const QString& programFolder) {
    QIcon icon;
    for (const auto& file : iconFiles(programFolder)) {
        icon.addFile(file.path, QSize(file.size, file.size));
    }
    return icon;
}

QIcon DesktopIdentity::iconOf(const std::vector<QImage>& pictures) {
    QIcon icon;
    for (const auto& picture : pictures) {
        icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

void DesktopIdentity::applyIcon() {
    QGuiApplication::setWindowIcon(icon(QCoreApplication::applicationDirPath()));
}

}  // namespace rt::qt
