#include "DesktopIdentity.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "DataFiles.h"

namespace rt::desktop {

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
QIcon DesktopIdentity::icon(const QString& programFolder) {
    const QString id = QString::fromLatin1(kDesktopId);
    QIcon icon;
    for (const int size : kIconSizes) {
        const QString file = DataFiles::locate(
            QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id), programFolder);
        if (!file.isEmpty()) {
            icon.addFile(file, QSize(size, size));
        }
    }
    return icon;
}

void DesktopIdentity::applyIcon() {
    QGuiApplication::setWindowIcon(icon(QCoreApplication::applicationDirPath()));
}

}  // namespace rt::desktop
