// radiocps-cli show FILE [--config INI] [--json]
#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "cli/show_format.h"
#include "texts/cli_texts.h"

namespace {

int runShow(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    if (!Cli::parse(args, {QStringLiteral("--config")}, {QStringLiteral("--json")}, &a, &problem) ||
        a.positional.size() != 1) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(QStringLiteral("show FILE [--config INI] [--json]"));
    }
    const QString config = Cli::configPath(a);
    ModelTable table;
    table.readFrom(config);
    RadioSettings before;
    before.selectStartupDefaults();
    LoadedChannelFile loaded;
    if (Error e = LoadChannelFile(a.positional[0], table, before, &loaded); e.isError())
        return Cli::fail(e);
    Cli::printOut(Cli::describeLoaded(loaded, a.has(QStringLiteral("--json")), config));
    if (!loaded.complete) {
        Cli::printErr(CliText::FileIncomplete.arg(loaded.linesRead).arg(blockCount(loaded.model.I_data)));
    }
    return Cli::kSuccess;
}

const CliCommandRegistrar
    reg(QStringLiteral("show"),
        {QStringLiteral("show FILE [--config INI] [--json]   decode a channel file and print it"), runShow});

} // namespace
