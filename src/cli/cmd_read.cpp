// radiocps-cli read --port DEVICE --out FILE [--config INI] [--timeout S] [--json] [--trace FILE]
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "cli/show_format.h"
#include "document/radio_document.h"
#include "link/qt_serial_port.h"
#include "link/transfer_session.h"
#include "texts/cli_texts.h"

namespace {

const QString kReadUsage =
    QStringLiteral("read --port DEVICE --out FILE [--config INI] [--timeout S] [--json] [--trace FILE]");

int runRead(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    LinkTimings timings;
    const bool parsed = Cli::parse(args, Cli::transferValueOptions() + QStringList{QStringLiteral("--out")},
                                   {QStringLiteral("--json")}, &a, &problem);
    if (!parsed || !a.positional.isEmpty() || !a.option(QStringLiteral("--port")) ||
        !a.option(QStringLiteral("--out")) || !Cli::transferTimings(a, &timings, &problem)) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kReadUsage);
    }
    RadioDocument document;
    if (Error e = Cli::prepareDocument(a, &document); e.isError())
        return Cli::fail(e);
    QtSerialPort port;
    TransferSession session(port, document.models(), Cli::keeping(a, true));
    // The user's FILE is only replaced by a completed read; a failed one leaves it as it was.
    if (Error e = session.prepareRead(*a.option(QStringLiteral("--out")), ReadJob::Keep::Completed, timings);
        e.isError())
        return Cli::fail(e);
    Error openError;
    // Whatever arrived is backed up even when FILE cannot take it.
    const TransferResult result = Cli::runSession(session, port, a, &openError).result;
    if (openError.isError())
        return Cli::fail(openError);
    const ReadJob& job = *session.readJob();
    if (job.keepError().isError())
        return Cli::fail(job.keepError());

    // Whatever arrived after the read-mode byte is decoded and shown, even when the read stopped early.
    if (job.hasReceived() && result.blocks > 0) {
        LoadedChannelFile loaded;
        if (Error e = job.decodeInto(document, &loaded); e.isError())
            return Cli::fail(e);
        Cli::printOut(Cli::describe(document, a.has(QStringLiteral("--json"))));
        if (!result.ok()) {
            Cli::printErr(CliText::ReadIncomplete.arg(result.blocks).arg(result.totalBlocks));
        }
    }
    return Cli::transferExit(result);
}

const CliCommandRegistrar readCommand(
    QStringLiteral("read"),
    {kReadUsage + QStringLiteral("   read the radio into FILE and print it"), runRead, CliText::ReadHelp});

} // namespace
