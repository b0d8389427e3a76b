#pragma once

#include <QString>

#include "config/app_config.h"
#include "link/transfer_action.h"

class ReadJob;
class WriteSequence;

namespace Cli {

// The folder of the backups: RADIOCPS_BACKUP_DIR when set, else the desktop program's own folder.
QString backupFolder();

// Back up a finished read or write as the desktop program does, the path or a warning going to stderr; a
// backup that cannot be saved never changes the exit code.
void backUpRead(const ReadJob& job, const ModelTable& models);
void backUpWrite(const WriteSequence& job, const QString& modelName);
// What the radio held before a write (write --backup).
void backUpRadio(const QString& modelName, const QByteArray& contents);

} // namespace Cli
