// radiocps-cli verify --port DEVICE FILE [--config INI] [--timeout S] [--trace FILE]: reads the radio and
// compares it with FILE, writing nothing.
#include "cli/channel_input.h"
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "document/radio_document.h"
#include "image/block_address.h"
#include "link/qt_serial_port.h"
#include "link/transfer_session.h"
#include "texts/cli_texts.h"
#include "texts/transfer_texts.h"

namespace {

const QString kVerifyUsage =
    QStringLiteral("verify --port DEVICE FILE [--config INI] [--timeout S] [--trace FILE]");

int verdictExit(const WriteSequence::Report& report, const TransferResult& result) {
    using V = WriteSequence::Verdict;
    const WriteSequence::Models& m = report.models;
    switch (report.verdict) {
    case V::Verified:
        Cli::printOut(CliText::VerifySame);
        return Cli::kSuccess;
    case V::Differs:
        Cli::printErr(CliText::VerifyDiffers.arg(TransferTexts::differencesText(report.differences)));
        return Cli::kVerifyDiffers;
    case V::OtherModel:
        Cli::printErr(
            CliText::VerifyOtherModel.arg(TransferTexts::modelText(m.radioModel, m.radioCode),
                                          TransferTexts::modelText(m.documentModel, m.documentCode)));
        return Cli::kOtherModel;
    default:
        break;
    }
    return Cli::transferExit(result);
}

int runVerify(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    LinkTimings timings;
    const bool parsed = Cli::parse(args, Cli::transferValueOptions(), {}, &a, &problem);
    if (!parsed || a.positional.size() != 1 || !a.option(QStringLiteral("--port")) ||
        !Cli::transferTimings(a, &timings, &problem)) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kVerifyUsage);
    }
    RadioDocument document;
    if (Error e = Cli::readChannelSet(a, a.positional[0], &document); e.isError())
        return Cli::fail(e);
    // The channels a short file lacks are compared as the empty ones a write of it would send.
    if (!document.isComplete())
        Cli::printErr(CliText::InputIncomplete);
    QtSerialPort port;
    // A comparison changes nothing on the radio: no backup.
    TransferSession session(port, document.models(), Cli::keeping(a, false));
    if (Error e = session.prepareCompare(document, timings); e.isError())
        return Cli::fail(e);
    Error openError;
    const TransferResult result = Cli::runSession(session, port, a, &openError).result;
    if (openError.isError())
        return Cli::fail(openError);
    return verdictExit(session.writeJob()->report(), result);
}

const CliCommandRegistrar verifyCommand(
    QStringLiteral("verify"),
    {kVerifyUsage + QStringLiteral("   read the radio and compare it with FILE, writing nothing"), runVerify,
     CliText::VerifyHelp});

} // namespace
