#pragma once

#include <QString>

namespace Cli {

// The folder of the backups: RADIOCPS_BACKUP_DIR when set, else the desktop program's own folder.
QString backupFolder();

} // namespace Cli
