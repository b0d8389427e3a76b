#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "config/app_config.h"
#include "image/image_compare.h"
#include "image/memory_image.h"
#include "link/link_timing.h"
#include "link/transfer_job.h"

class RadioDocument;

// The write as both faces run it, in one progress window, each stage a session of its own with the radio
// woken anew on the same port a moment after the one before ended:
//   1. when asked (backup): the radio read completely, its contents handed to the backup hook, and its
//      model code compared with the document's - another model ends the sequence with nothing written;
//   2. the write;
//   3. when asked (verify): the radio read back and compared with every block the write had acknowledged.
// A comparison (compareOnly) is the third stage alone, without a write: the radio read and compared with
// the image a write would send, unless it is another model.
//
// The job's result is the write's once the write has completed (a failed read-back does not undo it), else
// the result of the stage that ended the job; report() tells the rest.
class WriteSequence : public TransferJob {
    Q_OBJECT
public:
    enum class Stage { PreRead, Write, Verify };
    enum class Verdict {
        Pending,       // not finished
        PreReadFailed, // the read before the write did not complete: nothing written
        OtherModel,    // the radio is another model than the document: nothing written
        WriteFailed,   // the write did not complete (or was cancelled)
        Written,       // the write completed; no read-back asked for
        Verified,      // the read-back matched
        Differs,       // the read-back differs: report().differences
        VerifyFailed,  // the write completed, but the read-back did not: report().verifyResult
    };
    struct Options {
        bool backup = false;
        bool verify = false;
        LinkTimings timings;
        bool compareOnly = false; // no write: read the radio and compare it (backup and verify unused)
    };
    // The model codes (two hex digits) and the models they name in the table (empty: none), as the read
    // before the write found the radio's.
    struct Models {
        QString radioCode;
        QString radioModel;
        QString documentCode;
        QString documentModel;
    };
    // The image a write of the document sends, and the document's side of the models.
    static Error imageOf(const RadioDocument& document, MemoryImage* image, Models* models);

    // What a write that ended before its last block has changed on the radio, counted from the blocks it
    // acknowledged: the settings blocks first, then two blocks a channel.
    struct Unfinished {
        int settingsBlocks = 0; // 0, 1 (A) or 2 (A and B) are new
        int channels = 0;       // channels 1 ... channels are new
    };

    struct Report {
        Verdict verdict = Verdict::Pending;
        Models models;
        ImageDifferences differences;
        TransferResult verifyResult;
        // Set when the write sent blocks but did not complete: the radio now holds part old, part new.
        std::optional<Unfinished> unfinished;

        bool compareOnly = false;

        // The write has completed: the radio holds the document, whatever the read-back found.
        bool written() const {
            return !compareOnly && (verdict == Verdict::Written || verdict == Verdict::Verified ||
                                    verdict == Verdict::Differs || verdict == Verdict::VerifyFailed);
        }
    };
    // Receives the radio's contents as the read before the write found them, as a channel file, with the
    // name of its model (its code when the table has no such model) - before anything is written.
    using BackupHook = std::function<void(const QString& modelName, const QByteArray& channelFileContents)>;

    WriteSequence(SerialPort& port, const ModelTable& models, const Options& options,
                  QObject* parent = nullptr);

    // Builds the image of the document; the job can start only after this succeeded.
    Error prepare(const RadioDocument& document);
    void setBackupHook(BackupHook hook) { backupHook_ = std::move(hook); }
    const MemoryImage& image() const { return image_; }
    Stage stage() const { return stage_; }
    const Report& report() const { return report_; }
    QVector<TransferStage> stages() const override;
    int stageIndex() const override;

protected:
    void machineFinished(const TransferResult& result) override;
    void gapOver() override;

private:
    void preReadFinished(const TransferResult& result);
    // Takes the radio's model code from the first block read, and says whether it is the document's.
    bool isDocumentModel();
    // The next stage, after the pause that lets the radio settle into waiting for a wake-up.
    void goOn(Stage next);
    void begin(Stage stage);
    void setStageMachine();
    void finishAs(Verdict verdict, const TransferResult& result);

    ModelTable models_;
    Options options_;
    BackupHook backupHook_;
    MemoryImage image_;
    int strType_ = 0;
    Stage stage_ = Stage::Write;
    MemoryImage radio_; // what a read stage received
    TransferResult writeResult_;
    Report report_;
};
