#include "cli/channel_input.h"

#include <QFile>
#include <QJsonDocument>

#include "config/error_texts.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "image/json_form.h"
#include "texts/cli_texts.h"

namespace Cli {

Error readChannelSet(const Arguments& args, const QString& path, RadioDocument* document) {
    if (!path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return openDocument(args, path, document);
    if (Error e = prepareDocument(args, document); e.isError())
        return e;
    LoadedChannelFile state;
    if (Error e = JsonForm::readFile(path, document->models(),
                                     StartupConfig::read(configPath(args), appFolder()), &state);
        e.isError())
        return e;
    document->applyLoaded(state, path);
    return Error::none();
}

} // namespace Cli
