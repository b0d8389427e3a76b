#include "image/channel_rows.h"

#include <algorithm>

namespace ChannelRows {

QStringList cells(const ChannelTable& table, int channel) {
    QStringList out;
    for (int column = 1; column < table.columnCount(); ++column)
        out << table.cell(channel, column);
    return out;
}

void setCells(ChannelTable* table, int channel, const QStringList& cells) {
    const int count = std::min<int>(cells.size(), table->columnCount() - 1);
    for (int i = 0; i < count; ++i)
        table->setCell(channel, i + 1, cells[i]);
}

void clear(ChannelTable* table, int channel) {
    for (int column = 1; column < table->columnCount(); ++column)
        table->setCell(channel, column, QString());
}

QStringList completedByReceive(const ChannelTable& table, int channel, const QString& rx) {
    QStringList out = cells(table, channel);
    out[columnOf(table.layout(), ChannelField::RxFrequency) - 1] = rx;
    out[columnOf(table.layout(), ChannelField::TxFrequency) - 1] = rx;
    for (int c = 1; c < table.columnCount(); ++c) {
        if (out[c - 1].isEmpty() && !table.columns()[c].defaultValue.isEmpty())
            out[c - 1] = table.columns()[c].defaultValue;
    }
    return out;
}

bool isUnused(const ChannelTable& table, int channel) {
    return ChannelTable::isEmptyCell(
        table.cell(channel, columnOf(table.layout(), ChannelField::RxFrequency)));
}

int usedCount(const ChannelTable& table) {
    int used = 0;
    for (int channel = 1; channel <= table.channelCount(); ++channel)
        used += isUnused(table, channel) ? 0 : 1;
    return used;
}

void insertEmpty(ChannelTable* table, int channel) {
    if (channel < 1 || channel > table->channelCount())
        return;
    for (int r = table->channelCount(); r > channel; --r)
        table->copyChannel(r - 1, r);
    clear(table, channel);
}

void remove(ChannelTable* table, QList<int> channels) {
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    const int count = table->channelCount();
    int to = 1;
    for (int from = 1; from <= count; ++from) {
        if (std::binary_search(channels.begin(), channels.end(), from))
            continue;
        if (to != from)
            table->copyChannel(from, to);
        ++to;
    }
    for (; to <= count; ++to)
        clear(table, to);
}

bool move(ChannelTable* table, QList<int> channels, int by) {
    if (channels.isEmpty() || (by != -1 && by != 1))
        return false;
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    if (channels.front() + by < 1 || channels.back() + by > table->channelCount())
        return false;
    // Moving up walks from the top, moving down from the bottom, so that a block moves as a whole.
    if (by > 0)
        std::reverse(channels.begin(), channels.end());
    for (int channel : channels)
        table->swapChannels(channel, channel + by);
    return true;
}

} // namespace ChannelRows
