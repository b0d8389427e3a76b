#include "link/transfer_session.h"

#include <QDateTime>
#include <QHash>

#include "document/backup_store.h"
#include "document/radio_document.h"
#include "link/serial_port.h"
#include "link/trace_store.h"
#include "link/transfer_backup.h"

QString TransferSession::defaultBackupFolder() {
    return BackupStore::defaultFolder();
}

QString TransferSession::defaultTraceFolder() {
    return TraceStore::defaultFolder();
}

TransferSession::WriteRefusal TransferSession::checkWrite(const RadioDocument& document) {
    WriteRefusal refusal;
    refusal.frequency = ValidateFrequencies(document.table(), document.model().band);
    if (!refusal.frequency)
        return refusal;
    // A value a file or a radio brought that the editors would not take never reaches a radio.
    refusal.invalidCells = document.invalidCount();
    refusal.limits = document.frequencyLimits();
    if (refusal.invalidCells > 0)
        refusal.cell = document.invalidCells().constFirst();
    return refusal;
}

namespace {

// Port device -> the model code of the radio last seen on it.
QHash<QString, QString>& lastModels() {
    static QHash<QString, QString> models;
    return models;
}

} // namespace

QString TransferSession::lastModelCode(const QString& device) {
    return lastModels().value(device);
}

void TransferSession::rememberModel() {
    QString code;
    if (const ReadJob* read = readJob())
        code = read->modelCode();
    else if (const WriteSequence* write = writeJob())
        code = write->report().written() ? write->report().models.documentCode
                                         : write->report().models.radioCode;
    if (!code.isEmpty())
        lastModels().insert(port_.device(), code);
}

TransferSession::TransferSession(SerialPort& port, const ModelTable& models, Keeping keeping)
    : port_(port), models_(models), keeping_(std::move(keeping)) {}

TransferSession::~TransferSession() {
    if (job_)
        job_->setTrace(nullptr);
}

void TransferSession::adopt(std::unique_ptr<TransferJob> job, const QString& kind) {
    job_ = std::move(job);
    job_->setTrace(&trace_);
    if (!keeping_.traceFile.isEmpty())
        tracePath_ = keeping_.traceFile;
    else if (!keeping_.traceFolder.isEmpty())
        tracePath_ = TraceStore(keeping_.traceFolder).pathFor(kind, QDateTime::currentDateTime());
}

Error TransferSession::prepareRead(const QString& receivedPath, ReadJob::Keep keep,
                                   const LinkTimings& timings) {
    auto job = std::make_unique<ReadJob>(port_, models_, receivedPath, keep, timings);
    if (const Error e = job->prepare(); e.isError())
        return e;
    adopt(std::move(job), BackupStore::ReadWord);
    return Error::none();
}

Error TransferSession::prepareWrite(const RadioDocument& document, const WriteSequence::Options& options) {
    auto job = std::make_unique<WriteSequence>(port_, models_, options);
    if (const Error e = job->prepare(document); e.isError())
        return e;
    // What the radio held is kept before anything is written, as far as it arrived.
    job->setBackupHook([this](const QString& modelName, const QByteArray& contents) {
        if (keeping_.backupFolder.isEmpty())
            return;
        Kept& kept = outcome_.radioBackup;
        kept.error = TransferBackup::saveRadio(modelName, contents, BackupStore(keeping_.backupFolder),
                                               QDateTime::currentDateTime(), &kept.path);
    });
    modelName_ = document.model().strPc;
    adopt(std::move(job), BackupStore::WriteWord);
    return Error::none();
}

Error TransferSession::prepareCompare(const RadioDocument& document, const LinkTimings& timings) {
    WriteSequence::Options options;
    options.timings = timings;
    options.compareOnly = true;
    auto job = std::make_unique<WriteSequence>(port_, models_, options);
    if (const Error e = job->prepare(document); e.isError())
        return e;
    adopt(std::move(job), BackupStore::ReadWord);
    return Error::none();
}

void TransferSession::portOpenFailed(const QString& device, const Error& error) {
    trace_.openFailed(device, error);
}

const TransferSession::Outcome& TransferSession::finish() {
    if (finished_)
        return outcome_;
    finished_ = true;
    if (job_) {
        job_->setTrace(nullptr);
        outcome_.result = job_->result();
        rememberModel();
    }
    if (!keeping_.backupFolder.isEmpty()) {
        const BackupStore store(keeping_.backupFolder);
        const QDateTime now = QDateTime::currentDateTime();
        Kept& kept = outcome_.backup;
        if (const ReadJob* read = readJob())
            kept.error = TransferBackup::saveRead(*read, models_, store, now, &kept.path);
        else if (const WriteSequence* write = writeJob())
            kept.error = TransferBackup::saveWrite(*write, modelName_, store, now, &kept.path);
    }
    keepTrace();
    return outcome_;
}

void TransferSession::keepTrace() {
    if (tracePath_.isEmpty())
        return;
    outcome_.trace.path = tracePath_;
    outcome_.trace.error = keeping_.traceFile.isEmpty()
                               ? TraceStore(keeping_.traceFolder).save(trace_, tracePath_)
                               : trace_.save(tracePath_);
}
