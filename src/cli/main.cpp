#include <QCoreApplication>
#include <QGuiApplication>

#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "texts/cli_texts.h"
#include "texts/version_text.h"

std::map<QString, CliCommand>& cliCommands() {
    static std::map<QString, CliCommand> commands;
    return commands;
}

namespace {

int printHelp(int code) {
    QString text = CliText::Commands;
    for (const auto& [name, command] : cliCommands())
        text += QStringLiteral("\n  ") + command.usage;
    if (code == 0)
        Cli::printOut(text);
    else
        Cli::printErr(text);
    return code;
}

bool asksForHelp(const QStringList& args) {
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

} // namespace

int main(int argc, char* argv[]) {
    // The report command draws with fonts, which needs a GUI application; the offscreen platform needs
    // no display. Every other command is content with the core application.
    const bool needsGui = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("report");
    if (needsGui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (needsGui)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    // The desktop program's name, so that both keep their backups in the same per-user folder.
    QCoreApplication::setApplicationName(QStringLiteral("RadioCPS"));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return printHelp(Cli::kUsage);
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help"))
        return printHelp(Cli::kSuccess);
    if (name == QLatin1String("--version")) {
        Cli::printOut(versionText(QStringLiteral("radiocps-cli"), Cli::configPath({})));
        return Cli::kSuccess;
    }
    const auto it = cliCommands().find(name);
    if (it == cliCommands().end()) {
        Cli::printErr(CliText::UnknownCommand.arg(name));
        return printHelp(Cli::kUsage);
    }
    if (asksForHelp(args)) {
        Cli::printOut(CliText::Usage.arg(it->second.usage) + QLatin1Char('\n') + it->second.help);
        return Cli::kSuccess;
    }
    return it->second.run(args);
}
