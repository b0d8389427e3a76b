#pragma once

#include <QString>

#include "config/app_config.h"
#include "image/channel_file.h"
#include "link/link_timing.h"
#include "link/received_file.h"
#include "link/transfer_job.h"

class RadioDocument;

// The whole read from a radio: every block reply is appended to a temporary file beside the received path
// as it arrives, and what arrived is decoded into a document afterwards - also after a cancelled or failed
// read, once the read-mode byte was answered. When the job finishes, the received path is replaced by what
// arrived, or by nothing but a completed read; until then it keeps what it held.
class ReadJob : public TransferJob {
    Q_OBJECT
public:
    enum class Keep {
        Arrived,  // the received path ends up with whatever arrived, as little as that may be
        Completed // the received path is only replaced by a completed read
    };

    // `models` sets the image size from the model code of the first block.
    ReadJob(SerialPort& port, const ModelTable& models, const QString& receivedPath, Keep keep,
            const LinkTimings& timings = {}, QObject* parent = nullptr);

    // Refuses a received path that is not a regular file and opens the temporary file; the read must not
    // start when this fails.
    Error prepare();
    QString receivedPath() const { return received_.path(); }
    // The file holding what arrived: the received path once kept, else the temporary file beside it.
    QString receivedDataPath() const { return received_.dataPath(); }
    // Why what arrived could not be put at the received path when the job finished.
    const Error& keepError() const { return keepError_; }

    // Whether the job has finished with something to decode.
    bool hasReceived() const;
    // The model code of the first block received (two hex digits); empty before one has arrived.
    QString modelCode() const { return modelCode_; }
    // Decodes the received file into the document against its model table, its settings supplying what
    // the file leaves alone. On an error the document stays as it was. `loaded` tells how much arrived.
    Error decodeInto(RadioDocument& document, LoadedChannelFile* loaded = nullptr) const;

private:
    void settle(const TransferResult& result);

    ReceivedFile received_;
    Keep keep_;
    Error keepError_;
    QString modelCode_;
};
