#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "config/error.h"

struct LoadedChannelFile;
class RadioDocument;

// Small helpers shared by the commands of radiocps-cli.
namespace Cli {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

// Options of the form "--name value" and flags "--name"; the rest are positional arguments.
struct Arguments {
    QStringList positional;
    QStringList flags; // given without value
    QList<QPair<QString, QString>> options;

    bool has(const QString& flag) const { return flags.contains(flag); }
    std::optional<QString> option(const QString& name) const;
};

// Parses args; valueOptions names the options that take a value ("--config", ...).
// Returns false with a message in *error for an unknown option or a missing value.
bool parse(const QStringList& args, const QStringList& valueOptions, const QStringList& flagOptions,
           Arguments* out, QString* error);

// --config or the Sfc.ini of the data folder.
QString configPath(const Arguments& args);
// The data folder: beside the executable, or the installed one (config/data_folder.h).
QString appFolder();
// A document as the desktop program starts: the model table and band ranges of the configuration file
// (--config) and the start-up settings, which supply what a decoded file leaves alone. A --config that
// is missing, unreadable or not a regular file is refused, and so is a default one that is not a file.
Error prepareDocument(const Arguments& args, RadioDocument* document);
// Opens a channel file (a regular file only) into a prepared document exactly as the desktop program does.
Error openDocument(const Arguments& args, const QString& path, RadioDocument* document,
                   LoadedChannelFile* loaded = nullptr);

void printOut(const QString& text); // stdout, UTF-8, with a line end
void printErr(const QString& text); // stderr, UTF-8, with a line end
// One warning line on stderr for each cell the document marks (a value the editors would not take).
void warnInvalidCells(const RadioDocument& document);
int fail(const Error& error);   // prints the description (and code) on stderr, returns kFailure
int usage(const QString& text); // prints the usage on stderr, returns kUsage

} // namespace Cli
