#pragma once

#include <QString>

// What --version prints: the program's name and the project's version on the first line; for the programs
// that read the configuration file a second line names the one in use, and says so when it is missing.
QString versionText(const QString& program, const QString& configPath = QString());
