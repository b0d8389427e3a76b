#include "link/compare_job.h"

#include "document/radio_document.h"
#include "image/current_model.h"
#include "image/hex.h"
#include "image/write_image.h"
#include "link/protocol.h"
#include "link/read_transfer.h"

CompareJob::CompareJob(SerialPort& port, const ModelTable& models, const LinkTimings& timings,
                       QObject* parent)
    : TransferJob(port, parent), models_(models), timings_(timings) {}

Error CompareJob::prepare(const RadioDocument& document) {
    if (const Error e = WriteSequence::imageOf(document, &image_, &report_.models); e.isError())
        return e;
    strType_ = document.model().strType;
    radio_ = {};
    setMachine(std::make_unique<ReadTransfer>(models_, TransferMachine::Options{timings_}),
               [this](const QByteArray& reply) {
                   radio_.blocks.append(Protocol::frameData(reply));
                   return Error::none();
               });
    return Error::none();
}

void CompareJob::machineFinished(const TransferResult& result) {
    if (!result.ok() || radio_.blocks.isEmpty()) {
        report_.verdict = Verdict::ReadFailed;
        endJob(result);
        return;
    }
    WriteSequence::Models& m = report_.models;
    m.radioCode = byteText(radio_.blocks[0][0]);
    m.radioModel = modelNameOfCode(models_, m.radioCode);
    if (m.radioCode != m.documentCode) {
        report_.verdict = Verdict::OtherModel;
    } else {
        // The same comparison as the read-back after a write, so that both name the same parts.
        report_.differences = compareWritten(image_, radio_, strType_);
        report_.verdict = report_.differences.isEmpty() ? Verdict::Same : Verdict::Differs;
    }
    endJob(result);
}
