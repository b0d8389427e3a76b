#include "config/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "config/app_config.h"
#include "config/build_info.h"

namespace {

bool holdsConfig(const QString& folder) {
    return QFileInfo(configFilePath(folder)).isFile();
}

} // namespace

QString installedDataFolder(const QString& executableFolder) {
    return QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral(RADIOCPS_DATA_FROM_BINDIR)));
}

QString dataFolder(const QString& executableFolder) {
    if (holdsConfig(executableFolder))
        return executableFolder;
    const QString installed = installedDataFolder(executableFolder);
    if (holdsConfig(installed))
        return installed;
    return executableFolder;
}

QString dataFolder() {
    return dataFolder(QCoreApplication::applicationDirPath());
}
