#pragma once

#include <QString>

#include "config/app_config.h"
#include "image/channel_file.h"
#include "link/link_timing.h"
#include "link/received_file.h"
#include "link/transfer_job.h"

class RadioDocument;

// The whole read from a radio: the received file of an earlier read is removed, every block reply is
// appended to it as it arrives (so a read that stops early keeps what it got), and what arrived is decoded
// into a document afterwards - also after a cancelled or failed read, once the read-mode byte was answered.
class ReadJob : public TransferJob {
    Q_OBJECT
public:
    // `models` sets the image size from the model code of the first block.
    ReadJob(SerialPort& port, const ModelTable& models, const QString& receivedPath,
            const LinkTimings& timings = {}, QObject* parent = nullptr);

    // Removes the received file of an earlier read; the read must not start when this fails.
    Error prepare() const;
    QString receivedPath() const { return received_.path(); }

    // Whether the job has finished with something to decode.
    bool hasReceived() const;
    // Decodes the received file into the document against its model table, its settings supplying what
    // the file leaves alone. On an error the document stays as it was. `loaded` tells how much arrived.
    Error decodeInto(RadioDocument& document, LoadedChannelFile* loaded = nullptr) const;

private:
    ReceivedFile received_;
};
