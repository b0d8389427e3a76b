#include "cli/cli_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "config/app_config.h"
#include "config/config_check.h"
#include "config/data_folder.h"
#include "config/error_texts.h"
#include "config/ini_file.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "texts/cli_texts.h"
#include "texts/ui_texts.h"
#include "texts/validity_texts.h"

namespace Cli {

std::optional<QString> Arguments::option(const QString& name) const {
    for (const auto& o : options) {
        if (o.first == name)
            return o.second;
    }
    return std::nullopt;
}

bool parse(const QStringList& args, const QStringList& valueOptions, const QStringList& flagOptions,
           Arguments* out, QString* error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            QString name = a;
            QString value;
            bool inlineValue = false;
            const int eq = a.indexOf(QLatin1Char('='));
            if (eq > 0) {
                name = a.left(eq);
                value = a.mid(eq + 1);
                inlineValue = true;
            }
            if (valueOptions.contains(name)) {
                if (!inlineValue) {
                    if (i + 1 >= args.size()) {
                        *error = CliText::OptionNeedsValue.arg(name);
                        return false;
                    }
                    value = args[++i];
                }
                out->options.append({name, value});
            } else if (flagOptions.contains(name) && !inlineValue) {
                out->flags << name;
            } else {
                *error = CliText::UnknownOption.arg(a);
                return false;
            }
        } else {
            out->positional << a;
        }
    }
    return true;
}

QString appFolder() {
    return dataFolder();
}

Error prepareDocument(const Arguments& args, RadioDocument* document) {
    const QString config = configPath(args);
    if (Error e = checkRegularFile(config); e.isError())
        return e;
    // A configuration the user named must be there: an empty model table would only fail later, unnamed.
    if (args.option(QStringLiteral("--config"))) {
        QFile file(config);
        if (!file.exists())
            return {ErrorCode::FileNotFound, ErrorText::fileNotFound(config)};
        if (!file.open(QIODevice::ReadOnly))
            return {ErrorCode::PathFileAccess, ErrorText::fileAccess(config, file.errorString())};
    }
    // Checked as it is read: a bad entry is named here, not later as the fault of some cell.
    if (const QVector<ConfigProblem> problems = checkConfig(IniFile::load(config)); !problems.isEmpty())
        return {ErrorCode::InvalidPropertyValue,
                UiText::configProblems(QDir::toNativeSeparators(config), problems)};
    document->models().readFrom(config);
    document->setBandRanges(StartupConfig::read(config, appFolder()).bandRanges);
    document->selectStartupSettings();
    return Error::none();
}

Error openDocument(const Arguments& args, const QString& path, RadioDocument* document,
                   LoadedChannelFile* loaded) {
    if (Error e = prepareDocument(args, document); e.isError())
        return e;
    if (Error e = checkRegularFile(path); e.isError())
        return e;
    return document->openFile(path, loaded);
}

QString configPath(const Arguments& args) {
    if (auto c = args.option(QStringLiteral("--config")))
        return *c;
    return configFilePath(appFolder());
}

void printOut(const QString& text) {
    const QByteArray b = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, b.size(), stdout);
    std::fflush(stdout);
}

void printErr(const QString& text) {
    const QByteArray b = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, b.size(), stderr);
    std::fflush(stderr);
}

void warnInvalidCells(const RadioDocument& document) {
    for (const CellRules::CellIssue& issue : document.invalidCells())
        printErr(CliText::InvalidCell.arg(
            ValidityText::cell(document.table(), issue, document.frequencyLimits())));
}

int fail(const Error& error) {
    printErr(CliText::Failure.arg(error.code).arg(error.description));
    return kFailure;
}

int usage(const QString& text) {
    printErr(CliText::Usage.arg(text));
    return kUsage;
}

} // namespace Cli
