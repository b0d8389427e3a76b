#pragma once

#include <QByteArray>
#include <QString>

#include "config/app_config.h"
#include "config/error.h"
#include "image/channel_table.h"
#include "image/current_model.h"
#include "image/memory_image.h"
#include "image/radio_settings.h"

// What a channel file decodes to; applied to a document only when decoding succeeded.
struct LoadedChannelFile {
    CurrentModel model;     // from the model code of line 0 (entry, band, code of the band)
    ChannelTable table;     // laid out afresh for the model, filled with the channels present
    RadioSettings settings; // the settings before loading, with the decoded ones applied
    int linesRead = 0;      // data lines in the file
    bool complete = true;   // false when the file ended before I_data x 128 lines
};

namespace ChannelFile {

// Splits the text into lines of twelve tokens; data tokens 4-11 must be two hex digits. Header tokens and
// trailing spaces are ignored. Fails with 13 naming line and token of the first malformed token.
Error parse(const QByteArray& bytes, QVector<Block>* blocks);

// Decodes parsed blocks. `before` supplies the values that odd bytes leave unchanged.
Error decode(const QVector<Block>& blocks, const ModelTable& table, const RadioSettings& before,
             LoadedChannelFile* out);

// The whole image of the current window state: settings, channels, filler.
Error encodeImage(const CurrentModel& model, const ChannelTable& table, const RadioSettings& settings,
                  MemoryImage* image);

// Lines of the file: "52 PP OO 08 d0 ... d7" with CRLF.
QByteArray format(const MemoryImage& image);

} // namespace ChannelFile

// Reads and decodes a file. A missing file gives FileNotFound and changes nothing (the caller stays silent).
// On an error `out` must not be applied. An incomplete file succeeds with out->complete false.
Error LoadChannelFile(const QString& path, const ModelTable& table, const RadioSettings& before,
                      LoadedChannelFile* out);

// Encodes and writes through writeFileAtomically, so a failure keeps an existing file whole.
Error SaveChannelFile(const QString& path, const CurrentModel& model, const ChannelTable& table,
                      const RadioSettings& settings);
