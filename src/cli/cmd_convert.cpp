// radiocps-cli convert IN OUT [--config INI]: .qfd <-> .json by extension
#include <QFile>
#include <QJsonDocument>

#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "cli/json_form.h"
#include "config/error_texts.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "texts/cli_texts.h"

namespace {

bool isJson(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

// Reads a channel file or its JSON form into the document, as the desktop program would hold it.
Error readState(const Cli::Arguments& args, const QString& path, RadioDocument* document) {
    if (!isJson(path))
        return Cli::openDocument(args, path, document);
    if (Error e = Cli::prepareDocument(args, document); e.isError())
        return e;
    if (Error e = checkRegularFile(path); e.isError())
        return e;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::FileNotFound, ErrorText::fileNotFound(path)};
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject())
        return {ErrorCode::TypeMismatch, CliText::NotJson + parseError.errorString()};
    LoadedChannelFile state;
    const QString config = Cli::configPath(args);
    if (Error e = JsonForm::fromJson(doc.object(), document->models(),
                                     StartupConfig::read(config, Cli::appFolder()), &state);
        e.isError())
        return e;
    document->applyLoaded(state, path);
    return Error::none();
}

Error writeState(const QString& path, RadioDocument& document) {
    if (!isJson(path))
        return document.saveFile(path);
    return writeFileAtomically(
        path, QJsonDocument(JsonForm::toJson(document.contents())).toJson(QJsonDocument::Indented));
}

int runConvert(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    if (!Cli::parse(args, {QStringLiteral("--config")}, {}, &a, &problem) || a.positional.size() != 2) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(QStringLiteral("convert IN OUT [--config INI]"));
    }
    RadioDocument document;
    if (Error e = readState(a, a.positional[0], &document); e.isError())
        return Cli::fail(e);
    if (!document.isComplete())
        Cli::printErr(CliText::InputIncomplete);
    if (Error e = writeState(a.positional[1], document); e.isError())
        return Cli::fail(e);
    return Cli::kSuccess;
}

const CliCommandRegistrar
    reg(QStringLiteral("convert"),
        {QStringLiteral("convert IN OUT [--config INI]   between .qfd and .json (by extension)"), runConvert,
         CliText::ConvertHelp});

} // namespace
