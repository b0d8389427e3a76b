#pragma once

#include <QString>

#include "cli/cli_support.h"

class RadioDocument;

namespace Cli {

// Reads a channel file, or its JSON form when the name ends in .json, into the document exactly as the
// desktop program would hold it: the model table of the configuration file (--config), the start-up
// settings supplying what the file leaves alone.
Error readChannelSet(const Arguments& args, const QString& path, RadioDocument* document);

} // namespace Cli
