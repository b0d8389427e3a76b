#include "link/write_sequence.h"

#include "document/radio_document.h"
#include "image/block_address.h"
#include "image/channel_file.h"
#include "image/current_model.h"
#include "image/hex.h"
#include "image/write_image.h"
#include "link/protocol.h"
#include "link/read_transfer.h"
#include "link/serial_port.h"
#include "link/write_transfer.h"

WriteSequence::WriteSequence(SerialPort& port, const ModelTable& models, const Options& options,
                             QObject* parent)
    : TransferJob(port, parent), models_(models), options_(options) {}

Error WriteSequence::imageOf(const RadioDocument& document, MemoryImage* image, Models* models) {
    if (const Error e = buildWriteImage(document.model(), document.table(), document.settings(), image);
        e.isError())
        return e;
    models->documentCode = byteText(image->blocks[0][0]);
    models->documentModel = document.model().strPc;
    return Error::none();
}

Error WriteSequence::prepare(const RadioDocument& document) {
    if (const Error e = imageOf(document, &image_, &report_.models); e.isError())
        return e;
    strType_ = document.model().strType;
    report_.compareOnly = options_.compareOnly;
    stage_ = options_.compareOnly ? Stage::Verify : options_.backup ? Stage::PreRead : Stage::Write;
    setStageMachine();
    return Error::none();
}

void WriteSequence::setStageMachine() {
    const TransferMachine::Options machineOptions{options_.timings};
    if (stage_ == Stage::Write) {
        setMachine(std::make_unique<WriteTransfer>(image_, strType_, machineOptions));
        return;
    }
    radio_ = {};
    // The read-back reads as many blocks as were written: a model code that arrived wrong must show as a
    // difference in settings block A, not cut the read short or stretch it.
    const int writtenSize = stage_ == Stage::Verify && !options_.compareOnly ? imageFactor(strType_) : 0;
    setMachine(std::make_unique<ReadTransfer>(models_, machineOptions, writtenSize),
               [this](const QByteArray& reply) {
                   radio_.blocks.append(Protocol::frameData(reply));
                   return Error::none();
               });
}

void WriteSequence::machineFinished(const TransferResult& result) {
    switch (stage_) {
    case Stage::PreRead:
        preReadFinished(result);
        return;
    case Stage::Write:
        if (!result.ok()) {
            // Every frame but the last one sent was acknowledged; that one may or may not have been stored.
            if (result.blocks > 0) {
                const int acknowledged = result.blocks - 1;
                Unfinished u;
                u.settingsBlocks = qMin(acknowledged, 2);
                u.channels = qBound(0, (acknowledged - 2) / 2, strType_);
                report_.unfinished = u;
            }
            finishAs(Verdict::WriteFailed, result);
            return;
        }
        writeResult_ = result;
        if (!options_.verify) {
            finishAs(Verdict::Written, result);
            return;
        }
        goOn(Stage::Verify);
        return;
    case Stage::Verify: {
        report_.verifyResult = result;
        // A read-back ends as the write did; a comparison as its read.
        const TransferResult& ending = options_.compareOnly ? result : writeResult_;
        if (!result.ok() || radio_.blocks.isEmpty()) {
            finishAs(Verdict::VerifyFailed, ending);
            return;
        }
        if (options_.compareOnly && !isDocumentModel()) {
            finishAs(Verdict::OtherModel, result);
            return;
        }
        // The same comparison for a read-back and for a comparison, so that both name the same parts.
        report_.differences = compareWritten(image_, radio_, strType_);
        finishAs(report_.differences.isEmpty() ? Verdict::Verified : Verdict::Differs, ending);
        return;
    }
    }
}

void WriteSequence::preReadFinished(const TransferResult& result) {
    if (radio_.blocks.isEmpty()) {
        finishAs(Verdict::PreReadFailed, result);
        return;
    }
    const bool documentModel = isDocumentModel();
    const Models& m = report_.models;
    // The radio's contents are kept whatever follows, as far as they arrived (as a plain read keeps them):
    // they are what a write would have replaced.
    if (backupHook_)
        backupHook_(m.radioModel.isEmpty() ? m.radioCode : m.radioModel, ChannelFile::format(radio_));
    if (!result.ok()) {
        finishAs(Verdict::PreReadFailed, result);
        return;
    }
    if (!documentModel) {
        finishAs(Verdict::OtherModel, result);
        return;
    }
    goOn(Stage::Write);
}

bool WriteSequence::isDocumentModel() {
    Models& m = report_.models;
    m.radioCode = byteText(radio_.blocks[0][0]);
    m.radioModel = modelNameOfCode(models_, m.radioCode);
    return m.radioCode == m.documentCode;
}

void WriteSequence::goOn(Stage next) {
    // From here a cancel ends the next stage, the one the user is now waiting for.
    stage_ = next;
    startMachineAfter(options_.timings.startDelayMs);
}

void WriteSequence::gapOver() {
    if (!isFinished())
        begin(stage_);
}

QVector<TransferStage> WriteSequence::stages() const {
    if (options_.compareOnly)
        return {TransferStage::Read};
    QVector<TransferStage> all;
    if (options_.backup)
        all << TransferStage::BackupRead;
    all << TransferStage::Write;
    if (options_.verify)
        all << TransferStage::Verify;
    return all;
}

int WriteSequence::stageIndex() const {
    if (options_.compareOnly)
        return 0;
    const TransferStage now = stage_ == Stage::PreRead ? TransferStage::BackupRead
                              : stage_ == Stage::Write ? TransferStage::Write
                                                       : TransferStage::Verify;
    return qMax(0, stages().indexOf(now));
}

void WriteSequence::begin(Stage stage) {
    stage_ = stage;
    // Each transfer closes the port when it ends; the next one opens it again, as a new session would.
    if (const Error e = port().open(port().device()); e.isError()) {
        TransferResult lost;
        lost.outcome = TransferResult::Outcome::LinkLost;
        lost.error = e;
        lost.escaped = true;
        machineFinished(lost);
        return;
    }
    setStageMachine();
    startMachine();
}

void WriteSequence::finishAs(Verdict verdict, const TransferResult& result) {
    report_.verdict = verdict;
    endJob(result);
}
