#include "DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rt::qt {

QString DataFiles::locate(const QString& relative) {
    return locate(relative, QCoreApplication::applicationDirPath());
}

QString DataFiles::locate(const QString& relative, const QString& programFolder) {
    QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative);
    if (!installed.isEmpty()) {
        return installed;
    }
    if (programFolder.isEmpty()) {
        return {};
    }
    const QFileInfo beside(QDir(programFolder).filePath(QStringLiteral("../share/") + relative));
    return beside.isFile() ? beside.absoluteFilePath() : QString();
}

}  // namespace rt::qt
