#pragma once

#include <utility>

#include "config/error.h"
#include "image/channel_table.h"
#include "image/memory_image.h"

// A channel record: blocks 2n and 2n+1 of the image <-> the cells of row n, as the column table of the
// table's layout declares them.
namespace ChannelCodec {

// Writes the cells of row `row` from its two blocks. Fails (type mismatch) on a scrambler byte that is
// neither FF nor decimal; that cell keeps its text, every other cell is written.
Error decode(const Block& first, const Block& second, ChannelTable& table, int row);

// The two blocks of row `row`.
std::pair<Block, Block> encode(const ChannelTable& table, int row);

// Frequency text "438.50000" <-> four BCD bytes, least significant first.
QString decodeFrequency(const quint8* bytes);
void encodeFrequency(const QString& text, quint8* bytes);

} // namespace ChannelCodec
