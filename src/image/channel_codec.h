#pragma once

#include <utility>

#include "image/channel_table.h"
#include "image/memory_image.h"

// A channel record: blocks 2n and 2n+1 of the image <-> the cells of row n, as the column table of the
// table's layout declares them.
namespace ChannelCodec {

// Writes the cells of row `row` from its two blocks. Every byte decodes, and encode writes a byte its list
// does not name back as it was: a whole-byte cell shows such a byte as its raw text or, where every such
// byte has the meaning of the last entry, as that entry with the byte kept in the table.
void decode(const Block& first, const Block& second, ChannelTable& table, int row);

// The two blocks of row `row`.
std::pair<Block, Block> encode(const ChannelTable& table, int row);

// The text a whole-byte list cell (CellStorage::ownsWholeByte) shows for a stored byte: the listed value
// that names it, else the last entry or the raw text, as the cell's unnamed bytes read.
QString wholeByteText(const ChannelColumn& column, quint8 byte);
// Whether a stored byte is one the cell shows by the meaning of its last entry, so that the table keeps it
// (CellStorage::keepsByteBehindText): a byte its list does not name.
bool isKeptBehindText(const CellStorage& storage, quint8 byte);

// Frequency text "438.50000" <-> four BCD bytes, least significant first.
QString decodeFrequency(const quint8* bytes);
void encodeFrequency(const QString& text, quint8* bytes);

} // namespace ChannelCodec
