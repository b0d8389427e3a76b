// radiocps-cli read --port DEVICE --out FILE [--config INI] [--timeout S] [--json]
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "cli/show_format.h"
#include "image/channel_file.h"
#include "link/read_transfer.h"
#include "link/received_file.h"

namespace {

const QString kUsage = QStringLiteral("read --port DEVICE --out FILE [--config INI] [--timeout S] [--json]");

int runRead(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    LinkTimings timings;
    const bool parsed = Cli::parse(args,
                                   {QStringLiteral("--port"), QStringLiteral("--out"),
                                    QStringLiteral("--config"), QStringLiteral("--timeout")},
                                   {QStringLiteral("--json")}, &a, &problem);
    if (!parsed || !a.positional.isEmpty() || !a.option(QStringLiteral("--port")) ||
        !a.option(QStringLiteral("--out")) || !Cli::transferTimings(a, &timings, &problem)) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kUsage);
    }
    const QString config = Cli::configPath(a);
    ModelTable table;
    table.readFrom(config);

    const ReceivedFile received(*a.option(QStringLiteral("--out")));
    if (Error e = received.reset(); e.isError())
        return Cli::fail(e);
    ReadTransfer machine(table, {timings});
    Error openError;
    const TransferResult result = Cli::runTransfer(
        machine, *a.option(QStringLiteral("--port")),
        [&received](const QByteArray& reply) { return received.append(reply); }, &openError);
    if (openError.isError())
        return Cli::fail(openError);

    // Whatever arrived after the read-mode byte is decoded and shown, even when the read stopped early.
    if (result.decode && result.blocks > 0) {
        RadioSettings before;
        before.selectStartupDefaults();
        LoadedChannelFile loaded;
        if (Error e = LoadChannelFile(received.path(), table, before, &loaded); e.isError())
            return Cli::fail(e);
        Cli::printOut(Cli::describeLoaded(loaded, a.has(QStringLiteral("--json")), config));
        if (!result.ok()) {
            Cli::printErr(QStringLiteral("注意：读频未完成，只收到 %1 块（应有 %2 块）")
                              .arg(result.blocks)
                              .arg(result.totalBlocks));
        }
    }
    return Cli::transferExit(result);
}

const CliCommandRegistrar reg(QStringLiteral("read"),
                              {kUsage + QStringLiteral("   read the radio into FILE and print it"), runRead});

} // namespace
