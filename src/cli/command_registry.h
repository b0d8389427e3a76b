#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>

// Each command of radiocps-cli lives in its own file and registers itself here.
// A command returns the exit code: 0 success, 1 failure (message on stderr), 2 bad usage.
struct CliCommand {
    QString usage; // one line, shown by --help
    std::function<int(const QStringList& args)> run;
    // What "radiocps-cli COMMAND --help" prints after the usage line: the options, the exit codes.
    QString help;
};

std::map<QString, CliCommand>& cliCommands();

struct CliCommandRegistrar {
    CliCommandRegistrar(const QString& name, CliCommand command) { cliCommands()[name] = std::move(command); }
};
