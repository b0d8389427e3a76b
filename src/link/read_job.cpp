#include "link/read_job.h"

#include "document/radio_document.h"
#include "link/read_transfer.h"

ReadJob::ReadJob(SerialPort& port, const ModelTable& models, const QString& receivedPath,
                 const LinkTimings& timings, QObject* parent)
    : TransferJob(port, parent), received_(receivedPath) {
    setMachine(std::make_unique<ReadTransfer>(models, TransferMachine::Options{timings}),
               [this](const QByteArray& reply) { return received_.append(reply); });
}

Error ReadJob::prepare() const {
    return received_.reset();
}

bool ReadJob::hasReceived() const {
    return isFinished() && result().decode;
}

Error ReadJob::decodeInto(RadioDocument& document, LoadedChannelFile* loaded) const {
    return document.openReceived(received_.path(), loaded);
}
