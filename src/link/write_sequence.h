#pragma once

#include <QString>

#include "config/app_config.h"
#include "image/image_compare.h"
#include "image/memory_image.h"
#include "link/link_timing.h"
#include "link/transfer_job.h"

class RadioDocument;

// The write as both faces run it, in one progress window: the write, then - when asked - the radio read
// back and compared with every block the write had acknowledged. The read-back is a session of its own,
// the radio woken anew on the same port a moment after the write ended.
//
// The job's result is the write's once the write has completed (a failed read-back does not undo it), else
// the result of the stage that ended the job; report() tells the rest.
class WriteSequence : public TransferJob {
    Q_OBJECT
public:
    enum class Stage { Write, Verify };
    enum class Verdict {
        Pending,      // not finished
        WriteFailed,  // the write did not complete (or was cancelled)
        Written,      // the write completed; no read-back asked for
        Verified,     // the read-back matched
        Differs,      // the read-back differs: report().differences
        VerifyFailed, // the write completed, but the read-back did not: report().verifyResult
    };
    struct Options {
        bool verify = false;
        LinkTimings timings;
    };
    struct Report {
        Verdict verdict = Verdict::Pending;
        ImageDifferences differences;
        TransferResult verifyResult;
    };

    WriteSequence(SerialPort& port, const ModelTable& models, const Options& options,
                  QObject* parent = nullptr);

    // Builds the image of the document; the job can start only after this succeeded.
    Error prepare(const RadioDocument& document);
    const MemoryImage& image() const { return image_; }
    Stage stage() const { return stage_; }
    const Report& report() const { return report_; }

protected:
    void machineFinished(const TransferResult& result) override;

private:
    // The next stage, after the pause that lets the radio settle into waiting for a wake-up.
    void goOn(Stage next);
    void begin(Stage stage);
    void finishAs(Verdict verdict, const TransferResult& result);

    ModelTable models_;
    Options options_;
    MemoryImage image_;
    int strType_ = 0;
    Stage stage_ = Stage::Write;
    MemoryImage readBack_;
    TransferResult writeResult_;
    Report report_;
};
