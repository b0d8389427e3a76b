#pragma once

#include <utility>

#include "image/channel_table.h"
#include "image/memory_image.h"

// A channel record: blocks 2n and 2n+1 of the image <-> the cells of row n, as the column table of the
// table's layout declares them.
namespace ChannelCodec {

// Writes the cells of row `row` from its two blocks. Every byte decodes: a whole-byte cell shows a value
// its list does not name as the byte's raw text, and encode writes that byte back.
void decode(const Block& first, const Block& second, ChannelTable& table, int row);

// The two blocks of row `row`.
std::pair<Block, Block> encode(const ChannelTable& table, int row);

// The text a whole-byte list cell (CellStorage::keepsRawByte) shows for a stored byte: the listed value
// that names it, else its raw text.
QString wholeByteText(const ChannelColumn& column, quint8 byte);

// Frequency text "438.50000" <-> four BCD bytes, least significant first.
QString decodeFrequency(const quint8* bytes);
void encodeFrequency(const QString& text, quint8* bytes);

} // namespace ChannelCodec
