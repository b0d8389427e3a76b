#pragma once

#include <QJsonObject>
#include <QString>

class RadioDocument;

namespace Cli {

// What `show` and `read` print of a document: a readable listing, or the JSON form (one object) when json
// is true. The range shown is the document's (the configuration file's PL1 or PL2 for its band).
QString describe(const RadioDocument& document, bool json);

} // namespace Cli
