#include "link/transfer_backup.h"

#include <QFile>

#include "config/error_texts.h"
#include "image/channel_file.h"
#include "link/read_job.h"
#include "link/write_sequence.h"

namespace TransferBackup {

namespace {

// The model's name when the received blocks decode; a read too short to name one is kept all the same.
QString modelOfReceived(const QByteArray& contents, const ModelTable& models) {
    QVector<Block> blocks;
    LoadedChannelFile loaded;
    if (ChannelFile::parse(contents, &blocks).isError() ||
        ChannelFile::decode(blocks, models, RadioSettings(), &loaded).isError())
        return QString();
    return loaded.model.strPc;
}

} // namespace

Error saveRead(const ReadJob& job, const ModelTable& models, const BackupStore& store, const QDateTime& when,
               QString* savedPath) {
    if (!job.hasReceived())
        return Error::none();
    QFile file(job.receivedDataPath());
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(file.fileName(), file.errorString())};
    const QByteArray contents = file.readAll();
    if (contents.isEmpty())
        return Error::none();
    return store.save(BackupStore::Kind::Read, modelOfReceived(contents, models), contents, when, savedPath);
}

bool writeReachedRadio(const WriteSequence& job) {
    return job.report().written() ||
           (job.stage() == WriteSequence::Stage::Write && job.isFinished() && job.result().blocks > 0);
}

Error saveWrite(const WriteSequence& job, const QString& modelName, const BackupStore& store,
                const QDateTime& when, QString* savedPath) {
    if (!writeReachedRadio(job))
        return Error::none();
    return store.save(BackupStore::Kind::Write, modelName, ChannelFile::format(job.image()), when, savedPath);
}

Error saveRadio(const QString& modelName, const QByteArray& contents, const BackupStore& store,
                const QDateTime& when, QString* savedPath) {
    return store.save(BackupStore::Kind::Read, modelName, contents, when, savedPath);
}

} // namespace TransferBackup
