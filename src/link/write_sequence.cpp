#include "link/write_sequence.h"

#include <QTimer>

#include "document/radio_document.h"
#include "image/write_image.h"
#include "link/protocol.h"
#include "link/read_transfer.h"
#include "link/serial_port.h"
#include "link/write_transfer.h"

WriteSequence::WriteSequence(SerialPort& port, const ModelTable& models, const Options& options,
                             QObject* parent)
    : TransferJob(port, parent), models_(models), options_(options) {}

Error WriteSequence::prepare(const RadioDocument& document) {
    if (const Error e = buildWriteImage(document.model(), document.table(), document.settings(), &image_);
        e.isError())
        return e;
    strType_ = document.model().strType;
    stage_ = Stage::Write;
    setMachine(std::make_unique<WriteTransfer>(image_, strType_, TransferMachine::Options{options_.timings}));
    return Error::none();
}

void WriteSequence::machineFinished(const TransferResult& result) {
    switch (stage_) {
    case Stage::Write:
        if (!result.ok()) {
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
    case Stage::Verify:
        report_.verifyResult = result;
        if (!result.ok()) {
            finishAs(Verdict::VerifyFailed, writeResult_);
            return;
        }
        report_.differences = compareWritten(image_, readBack_, strType_);
        finishAs(report_.differences.isEmpty() ? Verdict::Verified : Verdict::Differs, writeResult_);
        return;
    }
}

void WriteSequence::goOn(Stage next) {
    // From here a cancel ends the next stage, the one the user is now waiting for.
    stage_ = next;
    QTimer::singleShot(options_.timings.startDelayMs, this, [this, next] {
        if (!isFinished())
            begin(next);
    });
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
    readBack_ = {};
    setMachine(std::make_unique<ReadTransfer>(models_, TransferMachine::Options{options_.timings}),
               [this](const QByteArray& reply) {
                   readBack_.blocks.append(Protocol::frameData(reply));
                   return Error::none();
               });
    startMachine();
}

void WriteSequence::finishAs(Verdict verdict, const TransferResult& result) {
    report_.verdict = verdict;
    endJob(result);
}
