// radiocps-cli show FILE [--config INI] [--json]
#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "cli/show_format.h"
#include "document/radio_document.h"
#include "image/block_address.h"
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
    RadioDocument document;
    LoadedChannelFile loaded;
    if (Error e = Cli::openDocument(a, a.positional[0], &document, &loaded); e.isError())
        return Cli::fail(e);
    Cli::printOut(Cli::describe(document, a.has(QStringLiteral("--json"))));
    Cli::warnInvalidCells(document);
    if (!loaded.complete) {
        Cli::printErr(CliText::FileIncomplete.arg(loaded.linesRead).arg(blockCount(loaded.model.I_data())));
    }
    return Cli::kSuccess;
}

const CliCommandRegistrar
    showCommand(QStringLiteral("show"),
                {QStringLiteral("show FILE [--config INI] [--json]   decode a channel file and print it"),
                 runShow, CliText::ShowHelp});

} // namespace
