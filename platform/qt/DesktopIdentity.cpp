#include "DesktopIdentity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QStandardPaths>

namespace rt::desktop {

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace

void DesktopIdentity::applyNames() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
}

void DesktopIdentity::applyIcon() {
    const QString id = QString::fromLatin1(kDesktopId);
    QIcon icon = QIcon::fromTheme(id);
    if (icon.isNull()) {
        // Qt draws no SVG without an extra module, so the PNG sizes are used.
        for (const int size : kIconSizes) {
            const QString file =
                QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                       QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
            if (!file.isEmpty()) {
                icon.addFile(file, QSize(size, size));
            }
        }
    }
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace rt::desktop
