// radiocps-cli fleet FILE --port P [--port P2 ...] [--no-verify] [--backup] [--count N] [--gap S]
//                    [--log FILE] [--config INI] [--timeout S]
#include "cli/cli_backup.h"
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "cli/stop_signals.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "link/fleet_run.h"
#include "link/port_list.h"
#include "texts/cli_texts.h"
#include "texts/fleet_texts.h"

#include <QCoreApplication>
#include <QHash>
#include <utility>

namespace {

const QString kFleetUsage = QStringLiteral(
    "fleet FILE --port DEVICE [--port DEVICE ...] [--no-verify] [--backup] [--count N] [--gap S] "
    "[--log FILE] [--config INI] [--timeout S]");

struct FleetArguments {
    QStringList devices;
    FleetOptions options;
    int count = 0;
    QString log;
};

// False with a message for a value out of range.
bool fleetArguments(const Cli::Arguments& a, FleetArguments* out, QString* problem) {
    for (const auto& [name, value] : a.options) {
        if (name == QStringLiteral("--port"))
            out->devices << portDevicePath(value);
    }
    bool ok = true;
    if (auto n = a.option(QStringLiteral("--count")); n && ((out->count = n->toInt(&ok)) <= 0 || !ok)) {
        *problem = CliText::FleetCount;
        return false;
    }
    if (auto g = a.option(QStringLiteral("--gap"))) {
        const double s = g->toDouble(&ok);
        if (!ok || s < 1 || s > 3600) {
            *problem = CliText::FleetGap;
            return false;
        }
        out->options.gapMs = int(s * 1000);
    }
    out->options.verify = !a.has(QStringLiteral("--no-verify"));
    out->options.backup = a.has(QStringLiteral("--backup"));
    out->options.keeping.backupFolder = Cli::backupFolder();
    out->log = a.option(QStringLiteral("--log")).value_or(QString());
    return Cli::transferTimings(a, &out->options.timings, problem);
}

void writeLog(const QString& path, const QList<FleetRecord>& records) {
    if (path.isEmpty())
        return;
    if (const Error e = writeFileAtomically(path, FleetTexts::csv(records)); e.isError())
        Cli::printErr(CliText::FleetLogFailed.arg(path) + QStringLiteral("：") + e.description);
}

// Runs until every port has ended; true when a port failed.
bool runFleet(FleetRun& run, const QString& log) {
    bool portFailed = false;
    QObject::connect(&run, &FleetRun::radioFinished, [&](const FleetRecord& r) {
        Cli::printOut(FleetTexts::cells(r).join(QStringLiteral("  ")));
        writeLog(log, run.records());
    });
    QHash<int, QString> shown;
    QObject::connect(&run, &FleetRun::portChanged, [&](int port, const FleetPortStatus& s) {
        FleetPortStatus line = s;
        line.maximum = 0; // a line per stage, not per block
        const QString text = FleetTexts::portStatus(line);
        if (std::exchange(shown[port], text) == text)
            return;
        portFailed = portFailed || s.error.isError();
        Cli::printErr(CliText::FleetPort.arg(run.port(port).device(), text));
    });
    QObject::connect(&run, &FleetRun::finished, [] { QCoreApplication::quit(); });
    int signalsSeen = 0;
    Cli::StopSignals stop([&] {
        if (signalsSeen++ == 0) {
            Cli::printErr(CliText::FleetStopping);
            run.stop();
        } else {
            run.stopNow();
        }
    });
    run.start();
    if (!run.isFinished())
        QCoreApplication::exec();
    return portFailed;
}

int runFleetCommand(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    FleetArguments f;
    const QStringList values{QStringLiteral("--port"),    QStringLiteral("--config"),
                             QStringLiteral("--timeout"), QStringLiteral("--count"),
                             QStringLiteral("--gap"),     QStringLiteral("--log")};
    const bool parsed =
        Cli::parse(args, values, {QStringLiteral("--no-verify"), QStringLiteral("--backup")}, &a, &problem);
    if (!parsed || a.positional.size() != 1 || !a.option(QStringLiteral("--port")) ||
        !fleetArguments(a, &f, &problem)) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kFleetUsage + QLatin1Char('\n') + CliText::FleetHelp);
    }
    RadioDocument document;
    if (Error e = Cli::openForWrite(a, &document, false); e.isError())
        return Cli::fail(e);
    if (!f.log.isEmpty()) {
        if (Error e = writeFileAtomically(f.log, FleetTexts::csv({})); e.isError())
            return Cli::fail(e);
    }
    FleetRun run(document, f.devices, f.options, f.count);
    const bool portFailed = runFleet(run, f.log);
    Cli::printErr(CliText::FleetSummary.arg(FleetTexts::counter(run.succeeded(), run.failed())));
    return run.failed() > 0 || portFailed ? Cli::kFailure : Cli::kSuccess;
}

const CliCommandRegistrar fleetCommand(
    QStringLiteral("fleet"),
    {kFleetUsage +
         QStringLiteral("   write FILE to one radio after another on each port (fleet --help for the "
                        "options and exit codes)"),
     runFleetCommand, CliText::FleetHelp});

} // namespace
