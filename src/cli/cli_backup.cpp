#include "cli/cli_backup.h"

#include "link/transfer_session.h"

namespace Cli {

QString backupFolder() {
    const QString chosen = qEnvironmentVariable("RADIOCPS_BACKUP_DIR");
    return chosen.isEmpty() ? TransferSession::defaultBackupFolder() : chosen;
}

} // namespace Cli
