#include "cli/channel_input.h"

#include "document/radio_document.h"

namespace Cli {

Error readChannelSet(const Arguments& args, const QString& path, RadioDocument* document) {
    if (!path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return openDocument(args, path, document);
    if (Error e = prepareDocument(args, document); e.isError())
        return e;
    return document->openJson(path, path);
}

} // namespace Cli
