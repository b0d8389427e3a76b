#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "config/app_config.h"
#include "config/error.h"
#include "image/cell_rules.h"
#include "image/frequency_check.h"
#include "link/link_timing.h"
#include "link/read_job.h"
#include "link/transfer_trace.h"
#include "link/write_sequence.h"

class RadioDocument;
class SerialPort;

// One transfer as both faces run it: the job (a read, a write with its stages, or a comparison), its serial
// trace, and the backups it takes, with what became of each as a typed outcome. The faces ask the user,
// show the job's progress and word the outcome; they never name the backup store or the trace writer.
class TransferSession {
public:
    // Where a session keeps what it keeps.
    struct Keeping {
        QString backupFolder; // empty: no backups
        QString traceFile;    // the trace goes to this file when set (radiocps-cli --trace) ...
        QString traceFolder;  // ... else into this folder under a name of its time and kind, the oldest
                              // traces pruned; neither: no trace is kept
    };
    static QString defaultBackupFolder();
    static QString defaultTraceFolder();

    // A file the session kept: where, or why not. Both empty: there was nothing to keep.
    struct Kept {
        QString path;
        Error error;
    };
    struct Outcome {
        TransferResult result;
        Kept radioBackup; // a write's read ahead: what the radio held, as far as it arrived
        Kept backup;      // a read: what arrived; a write: what was sent, once a block went out
        Kept trace;
    };

    // Why a document must not be written: a frequency outside the band (the check a write has always made
    // first), else the first cell the editors would not take. Empty when it may be written.
    struct WriteRefusal {
        FrequencyCheck frequency;
        std::optional<CellRules::CellIssue> cell;
        int invalidCells = 0;
        CellRules::FrequencyLimits limits;

        bool refuses() const { return !frequency || cell.has_value(); }
    };
    static WriteRefusal checkWrite(const RadioDocument& document);

    // The model code (two hex digits) of the radio last read, written or compared on a port during this
    // run; empty when none is known. Nothing is sent to learn it.
    static QString lastModelCode(const QString& device);

    TransferSession(SerialPort& port, const ModelTable& models, Keeping keeping);
    ~TransferSession();
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    // Each prepares the job; it must not start when this fails.
    Error prepareRead(const QString& receivedPath, ReadJob::Keep keep, const LinkTimings& timings);
    Error prepareWrite(const RadioDocument& document, const WriteSequence::Options& options);
    Error prepareCompare(const RadioDocument& document, const LinkTimings& timings);

    TransferJob& job() const { return *job_; }
    ReadJob* readJob() const { return dynamic_cast<ReadJob*>(job_.get()); }
    // A write, or a comparison (WriteSequence::Options::compareOnly).
    WriteSequence* writeJob() const { return dynamic_cast<WriteSequence*>(job_.get()); }

    // Where the trace will be kept, decided before the transfer starts so that its messages can name it;
    // empty when none is kept.
    QString tracePath() const { return tracePath_; }
    // The port would not open: the trace says so, and nothing is sent.
    void portOpenFailed(const QString& device, const Error& error);

    // Once the job has ended (or never started): the backups and the trace are kept, and said how.
    const Outcome& finish();

private:
    // Takes the prepared job: its trace, and where the trace of a transfer of `kind` goes.
    void adopt(std::unique_ptr<TransferJob> job, const QString& kind);
    void rememberModel();
    void keepTrace();

    SerialPort& port_;
    ModelTable models_;
    Keeping keeping_;
    std::unique_ptr<TransferJob> job_;
    TransferTrace trace_;
    QString tracePath_;
    QString modelName_; // the document's, for the backup of a write
    Outcome outcome_;
    bool finished_ = false;
};
