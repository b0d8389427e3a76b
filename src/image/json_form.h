#pragma once

#include <QJsonObject>

#include "config/app_config.h"
#include "config/error.h"
#include "image/channel_file.h"

// The JSON form of a channel file:
// {"model", "band", "layout", "channelCount", "blocks", "modelCode", "complete",
//  "settings": {"cboFuncMoni": text|null, ...}, "tune": {"optJT", "Option1", "sPower"}, "grid": [[...], ...],
//  "keptBytes": [{"row", "column", "byte": "FD"}, ...]}, the last only when the table keeps a byte behind a
// cell's text (ChannelTable::keptByte).
namespace JsonForm {

QJsonObject toJson(const LoadedChannelFile& loaded);

// Reads the JSON form back into the document state that SaveChannelFile encodes. Refuses anything a document
// could not hold: unknown list texts, cell texts the cell editors would not accept (naming row and column),
// a grid of the wrong shape. The kept bytes are recomputed from the settings and the tune options.
Error fromJson(const QJsonObject& json, const ModelTable& table, const StartupConfig& config,
               LoadedChannelFile* out);
// The same for a file (a regular file only) holding the JSON form.
Error readFile(const QString& path, const ModelTable& table, const StartupConfig& config,
               LoadedChannelFile* out);

} // namespace JsonForm
