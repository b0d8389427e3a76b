#include "cli/cli_backup.h"

#include <QDateTime>
#include <QDir>

#include "cli/cli_support.h"
#include "document/backup_store.h"
#include "link/transfer_backup.h"
#include "texts/cli_texts.h"

namespace Cli {

namespace {

void report(const Error& error, const QString& savedPath) {
    if (error.isError())
        printErr(CliText::BackupFailed.arg(error.description));
    else if (!savedPath.isEmpty())
        printErr(CliText::BackupSaved.arg(QDir::toNativeSeparators(savedPath)));
}

} // namespace

QString backupFolder() {
    const QString chosen = qEnvironmentVariable("RADIOCPS_BACKUP_DIR");
    return chosen.isEmpty() ? BackupStore::defaultFolder() : chosen;
}

void backUpRead(const ReadJob& job, const ModelTable& models) {
    QString saved;
    const Error e = TransferBackup::saveRead(job, models, BackupStore(backupFolder()),
                                             QDateTime::currentDateTime(), &saved);
    report(e, saved);
}

void backUpRadio(const QString& modelName, const QByteArray& contents) {
    QString saved;
    const Error e = TransferBackup::saveRadio(modelName, contents, BackupStore(backupFolder()),
                                              QDateTime::currentDateTime(), &saved);
    report(e, saved);
}

void backUpWrite(const WriteSequence& job, const QString& modelName) {
    QString saved;
    const Error e = TransferBackup::saveWrite(job, modelName, BackupStore(backupFolder()),
                                              QDateTime::currentDateTime(), &saved);
    report(e, saved);
}

} // namespace Cli
