#include "cli/cli_transfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "link/port_list.h"
#include "link/serial_port.h"
#include "link/transfer_job.h"
#include "link/transfer_trace.h"
#include "texts/cli_texts.h"
#include "texts/transfer_texts.h"

namespace Cli {

namespace {

int interruptPipe[2] = {-1, -1};

void onInterrupt(int) {
    const int saved = errno;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(interruptPipe[1], &b, 1);
    errno = saved;
}

// Ctrl+C becomes a byte on a pipe that the event loop watches, for as long as this object lives.
class InterruptWatch {
public:
    explicit InterruptWatch(std::function<void()> onCtrlC) {
        if (::pipe(interruptPipe) != 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(interruptPipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [onCtrlC] {
            char b;
            [[maybe_unused]] const ssize_t n = ::read(interruptPipe[0], &b, 1);
            onCtrlC();
        });
        struct sigaction sa = {};
        sa.sa_handler = onInterrupt;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGINT, &sa, &old_);
        sigaction(SIGTERM, &sa, &oldTerm_);
    }
    ~InterruptWatch() {
        if (!notifier_)
            return;
        sigaction(SIGINT, &old_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
        notifier_.reset();
        ::close(interruptPipe[0]);
        ::close(interruptPipe[1]);
        interruptPipe[0] = interruptPipe[1] = -1;
    }

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction old_ = {};
    struct sigaction oldTerm_ = {};
};

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
            *problem = QStringLiteral("--timeout needs a number of seconds above 0");
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

namespace {

// Writes the trace when asked to (--trace) and names it after a failure; a trace that cannot be written is
// a warning and never changes the exit code.
void saveTrace(const TransferTrace& trace, const Arguments& args, bool failed) {
    const auto path = args.option(QStringLiteral("--trace"));
    if (!path)
        return;
    if (const Error e = trace.save(*path); e.isError())
        printErr(CliText::TraceFailed.arg(e.description));
    else if (failed)
        printErr(CliText::TraceSaved.arg(QDir::toNativeSeparators(*path)));
}

} // namespace

TransferResult runJob(TransferJob& job, SerialPort& port, const Arguments& args, Error* openError) {
    TransferTrace trace;
    const QString device = portDevicePath(args.option(QStringLiteral("--port")).value_or(QString()));
    *openError = port.open(device);
    if (openError->isError()) {
        trace.openFailed(device, *openError);
        saveTrace(trace, args, true);
        return {};
    }
    job.setTrace(&trace);
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
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
    InterruptWatch interrupt([&] { job.cancel(); });
    job.start();
    if (!job.isFinished())
        QCoreApplication::exec();
    port.close();
    job.setTrace(nullptr);
    saveTrace(trace, args, !job.result().ok());
    return job.result();
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
