#pragma once

#include <QJsonObject>
#include <QString>

#include "config/app_config.h"
#include "image/channel_file.h"

namespace Cli {

// The band range shown beside a loaded model: PL1 for band 0, PL2 for band 1.
QString bandRangeText(const LoadedChannelFile& loaded, const StartupConfig& config);

// What `show` prints: a readable listing, or the JSON form (one object) when json is true.
// configPath supplies the band ranges; empty means the Sfc.ini beside the executable.
QString describeLoaded(const LoadedChannelFile& loaded, bool json, const QString& configPath = QString());

} // namespace Cli
