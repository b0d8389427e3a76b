#pragma once

#include <QString>

// The folder of the shipped data (Sfc.ini, the pictures, samples/): the executable's own folder when Sfc.ini
// is there (a build tree, or a copy of the old kind), else the installed data folder found from the
// executable's folder (<prefix>/bin -> <prefix>/share/radiocps), when it holds Sfc.ini. With neither, the
// executable's folder, so that the messages name the place the program looked first.
QString dataFolder(const QString& executableFolder);
// The same for the running program (QCoreApplication must exist).
QString dataFolder();

// The installed data folder for an executable in executableFolder, whether it exists or not.
QString installedDataFolder(const QString& executableFolder);
