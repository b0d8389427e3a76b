// radiocps-cli convert IN OUT [--config INI]: .qfd <-> .json by extension
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "cli/json_form.h"
#include "config/error_texts.h"
#include "texts/cli_texts.h"

namespace {

bool isJson(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

Error readState(const QString& path, const QString& config, LoadedChannelFile* out) {
    ModelTable table;
    table.readFrom(config);
    if (!isJson(path)) {
        RadioSettings before;
        before.selectStartupDefaults();
        return LoadChannelFile(path, table, before, out);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::FileNotFound, ErrorText::fileNotFound(path)};
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject())
        return {ErrorCode::TypeMismatch, CliText::NotJson + parseError.errorString()};
    return JsonForm::fromJson(doc.object(), table, StartupConfig::read(config, Cli::appFolder()), out);
}

Error writeState(const QString& path, const LoadedChannelFile& state) {
    if (!isJson(path))
        return SaveChannelFile(path, state.model, state.table, state.settings);
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(JsonForm::toJson(state)).toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(file.errorString())};
    return Error::none();
}

int runConvert(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    if (!Cli::parse(args, {QStringLiteral("--config")}, {}, &a, &problem) || a.positional.size() != 2) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(QStringLiteral("convert IN OUT [--config INI]"));
    }
    LoadedChannelFile state;
    if (Error e = readState(a.positional[0], Cli::configPath(a), &state); e.isError())
        return Cli::fail(e);
    if (!state.complete)
        Cli::printErr(CliText::InputIncomplete);
    if (Error e = writeState(a.positional[1], state); e.isError())
        return Cli::fail(e);
    return Cli::kSuccess;
}

const CliCommandRegistrar reg(
    QStringLiteral("convert"),
    {QStringLiteral("convert IN OUT [--config INI]   between .qfd and .json (by extension)"), runConvert});

} // namespace
