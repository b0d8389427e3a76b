// radiocps-cli write --port DEVICE FILE [--config INI] [--timeout S] [--allow-incomplete] [--backup]
//                    [--verify] [--trace FILE]
#include "cli/cli_backup.h"
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "document/radio_document.h"
#include "image/block_address.h"
#include "link/qt_serial_port.h"
#include "link/write_job.h"
#include "link/write_sequence.h"
#include "texts/cli_texts.h"
#include "texts/transfer_texts.h"
#include "texts/validity_texts.h"

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
    LoadedChannelFile loaded;
    if (Error e = Cli::openDocument(a, a.positional[0], &document, &loaded); e.isError())
        return Cli::fail(e);
    if (!loaded.complete) {
        // The channels a short file lacks would reach the radio as empty ones: only on request.
        if (!a.has(QStringLiteral("--allow-incomplete"))) {
            return Cli::fail(
                {ErrorCode::InputPastEnd,
                 CliText::WriteRefusesIncomplete.arg(loaded.linesRead).arg(blockCount(loaded.model.I_data))});
        }
        Cli::printErr(
            CliText::WriteFileIncomplete.arg(loaded.linesRead).arg(blockCount(loaded.model.I_data)));
    }
    if (const FrequencyCheck check = WriteJob::check(document); !check) {
        if (check.verdict == FrequencyCheck::Verdict::NotANumber)
            return Cli::fail(check.error);
        return Cli::fail({ErrorCode::InvalidArgument, TransferTexts::frequencyOutOfBand(check)});
    }
    if (document.invalidCount() > 0) {
        return Cli::fail({ErrorCode::InvalidArgument,
                          ValidityText::writeRefused(document.table(), document.invalidCells().constFirst(),
                                                     document.frequencyLimits(), document.invalidCount())});
    }
    QtSerialPort port;
    WriteSequence job(port, document.models(),
                      {a.has(QStringLiteral("--backup")), a.has(QStringLiteral("--verify")), timings});
    if (Error e = job.prepare(document); e.isError())
        return Cli::fail(e);
    job.setBackupHook(&Cli::backUpRadio);

    Error openError;
    const TransferResult result = Cli::runJob(job, port, a, &openError);
    if (openError.isError())
        return Cli::fail(openError);
    Cli::backUpWrite(job, document.model().strPc);
    return Cli::writeExit(job.report(), result);
}

const CliCommandRegistrar writeCommand(
    QStringLiteral("write"),
    {kWriteUsage + QStringLiteral("   check FILE's frequencies and write it to the radio (write --help "
                                  "for the options and exit codes)"),
     runWrite, CliText::WriteHelp});

} // namespace
