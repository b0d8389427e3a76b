#pragma once

#include <QDateTime>
#include <QString>

#include "config/app_config.h"
#include "config/error.h"
#include "document/backup_store.h"
#include "link/transfer_action.h"

class ReadJob;
class WriteSequence;

// The backups both faces take after a transfer, the same way.
namespace TransferBackup {

// What a finished read received, as its received file holds it, named after the model its first block
// names in `models`. Nothing is saved when nothing arrived: `savedPath` is then left empty.
Error saveRead(const ReadJob& job, const ModelTable& models, const BackupStore& store, const QDateTime& when,
               QString* savedPath);

// Whether a finished write is backed up: once the first block has gone out the radio may hold the image,
// whole or in part; a write stopped before that (or by the read before it) changed nothing on the radio.
bool writeReachedRadio(const WriteSequence& job);

// The image a write built, as a channel file; nothing when the write did not reach the radio.
Error saveWrite(const WriteSequence& job, const QString& modelName, const BackupStore& store,
                const QDateTime& when, QString* savedPath);

// What the radio held before a write, as the read ahead of it found it.
Error saveRadio(const QString& modelName, const QByteArray& contents, const BackupStore& store,
                const QDateTime& when, QString* savedPath);

} // namespace TransferBackup
