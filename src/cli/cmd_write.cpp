// radiocps-cli write --port DEVICE FILE [--config INI] [--timeout S] [--allow-incomplete] [--backup]
//                    [--verify] [--trace FILE]
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "document/radio_document.h"
#include "link/qt_serial_port.h"
#include "link/transfer_session.h"
#include "link/write_sequence.h"
#include "texts/cli_texts.h"

namespace {

const QString kWriteUsage =
    QStringLiteral("write --port DEVICE FILE [--config INI] [--timeout S] [--allow-incomplete] [--backup] "
                   "[--verify] [--trace FILE]");

int runWrite(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    LinkTimings timings;
    const bool parsed = Cli::parse(
        args, Cli::transferValueOptions(),
        {QStringLiteral("--allow-incomplete"), QStringLiteral("--backup"), QStringLiteral("--verify")}, &a,
        &problem);
    if (!parsed || a.positional.size() != 1 || !a.option(QStringLiteral("--port")) ||
        !Cli::transferTimings(a, &timings, &problem)) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kWriteUsage + QLatin1Char('\n') + CliText::WriteHelp);
    }
    RadioDocument document;
    if (Error e = Cli::openForWrite(a, &document, a.has(QStringLiteral("--allow-incomplete"))); e.isError())
        return Cli::fail(e);
    QtSerialPort port;
    TransferSession session(port, document.models(), Cli::keeping(a, true));
    if (Error e = session.prepareWrite(
            document, {a.has(QStringLiteral("--backup")), a.has(QStringLiteral("--verify")), timings});
        e.isError())
        return Cli::fail(e);
    Error openError;
    const TransferResult result = Cli::runSession(session, port, a, &openError).result;
    if (openError.isError())
        return Cli::fail(openError);
    return Cli::writeExit(session.writeJob()->report(), result);
}

const CliCommandRegistrar writeCommand(
    QStringLiteral("write"),
    {kWriteUsage + QStringLiteral("   check FILE's frequencies and write it to the radio (write --help "
                                  "for the options and exit codes)"),
     runWrite, CliText::WriteHelp});

} // namespace
