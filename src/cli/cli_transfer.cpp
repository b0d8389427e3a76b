#include "cli/cli_transfer.h"

#include <QCoreApplication>
#include <QDir>

#include "cli/cli_backup.h"
#include "cli/console.h"
#include "cli/stop_signals.h"
#include "document/radio_document.h"
#include "image/block_address.h"
#include "link/port_list.h"
#include "link/serial_port.h"
#include "link/transfer_job.h"
#include "texts/cli_texts.h"
#include "texts/transfer_texts.h"

namespace Cli {

namespace {

// The title of the transfer's messages that carry the program's name.
const QString kApplicationTitle = QStringLiteral("radiocps-cli");

QString messageLine(const TransferMessage& message) {
    const TransferTexts::Shown m = TransferTexts::message(message, kApplicationTitle);
    return m.title.isEmpty() ? m.text : m.title + QStringLiteral("：") + m.text;
}

} // namespace

bool transferTimings(const Arguments& args, LinkTimings* timings, QString* problem) {
    *timings = LinkTimings();
    if (auto t = args.option(QStringLiteral("--timeout"))) {
        bool ok = false;
        const double seconds = t->toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 24 * 3600) {
            *problem = CliText::TimeoutSeconds;
            return false;
        }
        timings->noResponseMs = qMax(1, int(seconds * 1000));
    }
    return true;
}

const QStringList& transferValueOptions() {
    static const QStringList options{QStringLiteral("--port"), QStringLiteral("--config"),
                                     QStringLiteral("--timeout"), QStringLiteral("--trace")};
    return options;
}

TransferSession::Keeping keeping(const Arguments& args, bool backups) {
    TransferSession::Keeping k;
    if (backups)
        k.backupFolder = backupFolder();
    k.traceFile = args.option(QStringLiteral("--trace")).value_or(QString());
    return k;
}

namespace {

// A backup's path, or a warning; neither changes the exit code.
void reportKept(const TransferSession::Kept& kept, const QString& failedText, const QString& savedText) {
    if (kept.error.isError())
        printErr(failedText.arg(kept.error.description));
    else if (!kept.path.isEmpty() && !savedText.isEmpty())
        printErr(savedText.arg(QDir::toNativeSeparators(kept.path)));
}

void runJob(TransferJob& job, const QString& device) {
    const bool terminal = stderrIsTerminal();
    QString caption;
    bool progressShown = false;
    const auto endProgressLine = [&] {
        if (progressShown)
            printErr(QString());
        progressShown = false;
    };
    bool hintShown = false;
    QObject::connect(&job, &TransferJob::captionChanged, [&](TransferCaption c) {
        endProgressLine();
        if (c == TransferCaption::NoAnswer) {
            // Said once, on a line of its own, however many stages wake the radio; the wake-up goes on.
            if (!hintShown)
                printErr(TransferTexts::caption(c) + CliText::NoAnswerPort.arg(device));
            hintShown = true;
            return;
        }
        caption = TransferTexts::caption(c);
        if (!terminal)
            printErr(caption);
    });
    QObject::connect(&job, &TransferJob::progressChanged, [&](double value, int maximum) {
        if (!terminal)
            return;
        const QByteArray line =
            QStringLiteral("\r%1 %2/%3").arg(caption).arg(int(value)).arg(maximum).toUtf8();
        std::fwrite(line.constData(), 1, line.size(), stderr);
        std::fflush(stderr);
        progressShown = true;
    });
    QObject::connect(&job, &TransferJob::messageRequested, [&](const TransferMessage& m) {
        endProgressLine();
        printErr(messageLine(m));
        job.messageClosed();
    });
    QObject::connect(&job, &TransferJob::finished, [&] {
        endProgressLine();
        QCoreApplication::quit();
    });
    StopSignals stop([&] { job.cancel(); });
    job.start();
    if (!job.isFinished())
        QCoreApplication::exec();
}

} // namespace

const TransferSession::Outcome& runSession(TransferSession& session, SerialPort& port, const Arguments& args,
                                           Error* openError) {
    const QString device = portDevicePath(args.option(QStringLiteral("--port")).value_or(QString()));
    *openError = port.open(device);
    if (openError->isError())
        session.portOpenFailed(device, *openError);
    else
        runJob(session.job(), device);
    port.close();
    const TransferSession::Outcome& outcome = session.finish();
    // Before anything that can fail later: what was kept, and where.
    reportKept(outcome.radioBackup, CliText::BackupFailed, CliText::BackupSaved);
    reportKept(outcome.backup, CliText::BackupFailed, CliText::BackupSaved);
    const bool failed = openError->isError() || !outcome.result.ok();
    reportKept(outcome.trace, CliText::TraceFailed, failed ? CliText::TraceSaved : QString());
    return outcome;
}

Error openForWrite(const Arguments& args, RadioDocument* document, bool allowIncomplete) {
    LoadedChannelFile loaded;
    if (Error e = openDocument(args, args.positional[0], document, &loaded); e.isError())
        return e;
    if (!loaded.complete) {
        const int lines = blockCount(loaded.model.I_data());
        // The channels a short file lacks would reach the radio as empty ones: only on request.
        if (!allowIncomplete)
            return {ErrorCode::InputPastEnd,
                    CliText::WriteRefusesIncomplete.arg(loaded.linesRead).arg(lines)};
        printErr(CliText::WriteFileIncomplete.arg(loaded.linesRead).arg(lines));
    }
    const TransferSession::WriteRefusal refusal = TransferSession::checkWrite(*document);
    return refusal.refuses() ? TransferTexts::writeRefusalError(refusal, document->table()) : Error::none();
}

int transferExit(const TransferResult& result) {
    using O = TransferResult::Outcome;
    switch (result.outcome) {
    case O::Completed:
        return kSuccess;
    case O::Cancelled:
        printErr(CliText::Cancelled);
        return kFailure;
    default:
        // The transfer has shown its own messages; an error it did not handle is printed here.
        if (result.escaped)
            return fail(result.error);
        return kFailure;
    }
}

int writeExit(const WriteSequence::Report& report, const TransferResult& result) {
    using V = WriteSequence::Verdict;
    const QString text = TransferTexts::writeReport(report).text;
    switch (report.verdict) {
    case V::Verified:
        printOut(text);
        return kSuccess;
    case V::Differs:
        printErr(text);
        return kVerifyDiffers;
    case V::VerifyFailed:
        printErr(text);
        return kFailure;
    case V::OtherModel:
        printErr(text);
        return kOtherModel;
    case V::PreReadFailed:
        printErr(text);
        return transferExit(result);
    case V::WriteFailed: {
        const int code = transferExit(result);
        // After the transfer's own lines: what the radio now holds.
        if (!text.isEmpty())
            printErr(text);
        return code;
    }
    default:
        return transferExit(result);
    }
}

} // namespace Cli
