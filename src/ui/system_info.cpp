#include "ui/system_info.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

bool HostSystemInfo::readRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                                       QString* value) {
#ifdef Q_OS_WIN
    const QString hive = root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                                            : QStringLiteral("HKEY_CURRENT_USER\\");
    const QSettings key(hive + keyPath, QSettings::NativeFormat);
    if (!key.contains(valueName))
        return false;
    if (value)
        *value = key.value(valueName).toString();
    return true;
#else
    Q_UNUSED(root)
    Q_UNUSED(keyPath)
    Q_UNUSED(valueName)
    Q_UNUSED(value)
    return false;
#endif
}

bool HostSystemInfo::fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool HostSystemInfo::startProgram(const QString& program) {
    // No arguments: the whole text is the program, so a path with spaces needs no quoting.
    return !program.isEmpty() && QProcess::startDetached(program, QStringList());
}
