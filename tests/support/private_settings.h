#pragma once

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// Test processes run in parallel: each keeps the options the program remembers in a folder of its own, so
// that one test turning an option on cannot change what another one sees.
inline void usePrivateSettings() {
    static QTemporaryDir folder;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}
