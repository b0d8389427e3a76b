#pragma once

#include <QList>
#include <QStringList>

#include "image/channel_table.h"

// Whole channels of a table moved, emptied or replaced as one unit. Channel numbers (column 0) stay where
// they are: a channel that moves takes its cells, and the bytes kept for them, to the number of its new
// place.
namespace ChannelRows {

// The cells of a channel after the number (columns 1 ...).
QStringList cells(const ChannelTable& table, int channel);
// Writes the cells of a channel (columns 1 ..., as many as given and the table has).
void setCells(ChannelTable* table, int channel, const QStringList& cells);
// Every cell of the channel empty, as a newly laid-out table has it.
void clear(ChannelTable* table, int channel);
// The channel's cells (after the number) once `rx` is its receive frequency: a receive frequency completes
// the channel, the transmit frequency follows it and every cell not yet set gets its column's default. The
// one rule for typing, pasting and importing a frequency into a channel.
QStringList completedByReceive(const ChannelTable& table, int channel, const QString& rx);
// Whether the channel holds no receive frequency (the rule that makes a channel count as used).
bool isUnused(const ChannelTable& table, int channel);
// How many channels hold a receive frequency.
int usedCount(const ChannelTable& table);

// An empty channel at `channel`: it and the following channels move down one; the last one falls off.
void insertEmpty(ChannelTable* table, int channel);
// The channels are taken out; the following move up and the freed channels at the end are empty.
void remove(ChannelTable* table, QList<int> channels);
// Each channel changes place with its neighbour above (by -1) or below (by +1), the whole selection moving
// one step; false, and nothing moved, when a channel would leave the table.
bool move(ChannelTable* table, QList<int> channels, int by);

} // namespace ChannelRows
