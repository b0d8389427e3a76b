#include "link/read_job.h"

#include <QFile>

#include "config/error_texts.h"
#include "document/radio_document.h"
#include "image/hex.h"
#include "link/protocol.h"
#include "link/read_transfer.h"

ReadJob::ReadJob(SerialPort& port, const ModelTable& models, const QString& receivedPath, Keep keep,
                 const LinkTimings& timings, QObject* parent)
    : TransferJob(port, parent),
      // Only a completed read replaces the user's FILE, and its folder must be there already.
      received_(receivedPath,
                keep == Keep::Completed ? ReceivedFile::Folder::Named : ReceivedFile::Folder::Own),
      keep_(keep) {
    setMachine(std::make_unique<ReadTransfer>(models, TransferMachine::Options{timings}),
               [this](const QByteArray& reply) {
                   if (modelCode_.isEmpty())
                       modelCode_ = byteText(Protocol::frameData(reply)[0]);
                   return received_.append(reply);
               });
    // Connected before any face, so the received path is settled when the faces hear of the end.
    connect(this, &TransferJob::finished, this, &ReadJob::settle);
}

Error ReadJob::prepare() {
    return received_.begin();
}

void ReadJob::settle(const TransferResult& result) {
    if (result.ok()) {
        keepError_ = received_.keep();
    } else if (keep_ == Keep::Arrived) {
        // Nothing arrived: the file of an earlier read is gone, as it would be after an empty read.
        if (received_.blocks() > 0)
            keepError_ = received_.keep();
        else if (QFile::exists(received_.path()) && !QFile::remove(received_.path()))
            keepError_ = {ErrorCode::PermissionDenied, ErrorText::cannotRemove(received_.path())};
    }
}

bool ReadJob::hasReceived() const {
    return isFinished() && result().decode;
}

Error ReadJob::decodeInto(RadioDocument& document, LoadedChannelFile* loaded) const {
    return document.openReceived(received_.dataPath(), loaded);
}
