#pragma once

#include "image/frequency_check.h"
#include "image/memory_image.h"
#include "link/link_timing.h"
#include "link/transfer_job.h"

class RadioDocument;

// The whole write to a radio: the frequency check, the image built from the document before the radio is
// woken (so that nothing reaches the radio from a state that cannot be encoded), then every block sent.
class WriteJob : public TransferJob {
    Q_OBJECT
public:
    explicit WriteJob(SerialPort& port, const LinkTimings& timings = {}, QObject* parent = nullptr);

    // Every filled frequency of the document within the limits of its band.
    static FrequencyCheck check(const RadioDocument& document);
    // Builds the image of the document; the job can start only after this succeeded.
    Error prepare(const RadioDocument& document);
    const MemoryImage& image() const { return image_; }

private:
    LinkTimings timings_;
    MemoryImage image_;
};
