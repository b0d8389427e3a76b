// radiocps-cli write --port DEVICE FILE [--config INI] [--timeout S]
#include "cli/cli_support.h"
#include "cli/cli_transfer.h"
#include "cli/command_registry.h"
#include "image/channel_file.h"
#include "link/frequency_check.h"
#include "link/write_image.h"
#include "link/write_transfer.h"

namespace {

const QString kUsage = QStringLiteral("write --port DEVICE FILE [--config INI] [--timeout S]");

int runWrite(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    LinkTimings timings;
    const bool parsed =
        Cli::parse(args, {QStringLiteral("--port"), QStringLiteral("--config"), QStringLiteral("--timeout")},
                   {}, &a, &problem);
    if (!parsed || a.positional.size() != 1 || !a.option(QStringLiteral("--port")) ||
        !Cli::transferTimings(a, &timings, &problem)) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kUsage);
    }
    ModelTable table;
    table.readFrom(Cli::configPath(a));
    RadioSettings before;
    before.selectStartupDefaults();
    LoadedChannelFile loaded;
    if (Error e = LoadChannelFile(a.positional[0], table, before, &loaded); e.isError())
        return Cli::fail(e);
    if (!loaded.complete) {
        Cli::printErr(QStringLiteral("注意：文件不完整，只有 %1 行（应有 %2 行），缺少的信道按空信道写入。")
                          .arg(loaded.linesRead)
                          .arg(blockCount(loaded.model.I_data)));
    }
    if (const FrequencyCheck check = ValidateFrequencies(loaded.table, loaded.model.band); !check)
        return Cli::fail(check.error);
    MemoryImage image;
    if (Error e = buildWriteImage(loaded.model, loaded.table, loaded.settings, &image); e.isError())
        return Cli::fail(e);

    WriteTransfer machine(image, loaded.model.strType, {timings});
    Error openError;
    const TransferResult result =
        Cli::runTransfer(machine, *a.option(QStringLiteral("--port")), {}, &openError);
    if (openError.isError())
        return Cli::fail(openError);
    return Cli::transferExit(result);
}

const CliCommandRegistrar
    reg(QStringLiteral("write"),
        {kUsage + QStringLiteral("   check FILE's frequencies and write it to the radio"), runWrite});

} // namespace
