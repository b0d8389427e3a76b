#include "cli/channel_input.h"

#include <QFile>
#include <QJsonDocument>

#include "cli/json_form.h"
#include "config/error_texts.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "texts/cli_texts.h"

namespace Cli {

Error readChannelSet(const Arguments& args, const QString& path, RadioDocument* document) {
    if (!path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return openDocument(args, path, document);
    if (Error e = prepareDocument(args, document); e.isError())
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
    if (Error e = JsonForm::fromJson(doc.object(), document->models(),
                                     StartupConfig::read(configPath(args), appFolder()), &state);
        e.isError())
        return e;
    document->applyLoaded(state, path);
    return Error::none();
}

} // namespace Cli
