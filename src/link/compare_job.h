#pragma once

#include "config/app_config.h"
#include "image/image_compare.h"
#include "image/memory_image.h"
#include "link/link_timing.h"
#include "link/transfer_job.h"
#include "link/write_sequence.h"

class RadioDocument;

// Reads the whole radio and compares it with the image a write of the document would send, block by block
// as the read-back of a write does, without writing anything. A radio of another model is not compared.
class CompareJob : public TransferJob {
    Q_OBJECT
public:
    enum class Verdict {
        Pending,    // not finished
        ReadFailed, // the read did not complete: result() tells why
        OtherModel, // the radio's model code is not the document's: report().models
        Same,
        Differs, // report().differences
    };
    struct Report {
        Verdict verdict = Verdict::Pending;
        WriteSequence::Models models;
        ImageDifferences differences;
    };

    CompareJob(SerialPort& port, const ModelTable& models, const LinkTimings& timings = {},
               QObject* parent = nullptr);

    // Builds the image of the document; the job can start only after this succeeded.
    Error prepare(const RadioDocument& document);
    const Report& report() const { return report_; }
    // What the read found, as far as it came.
    const MemoryImage& radio() const { return radio_; }

protected:
    void machineFinished(const TransferResult& result) override;

private:
    ModelTable models_;
    LinkTimings timings_;
    MemoryImage image_;
    MemoryImage radio_;
    int strType_ = 0;
    Report report_;
};
