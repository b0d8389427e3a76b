#include "image/channel_table.h"

#include <utility>

void ChannelTable::layOut(Layout layout, int channelCount) {
    layout_ = layout;
    const auto& cols = columns();
    rows_.clear();
    kept_.clear();
    QStringList header;
    for (const auto& c : cols)
        header << c.header;
    rows_.append(header);
    for (int r = 1; r <= qMax(0, channelCount); ++r) {
        QStringList row;
        row.reserve(cols.size());
        row << QString::number(r);
        for (int c = 1; c < cols.size(); ++c)
            row << QString();
        rows_.append(row);
    }
    kept_.resize(rows_.size());
}

bool ChannelTable::isCell(int row, int column) const {
    return row >= 0 && row < rows_.size() && column >= 0 && column < rows_[row].size();
}

QString ChannelTable::cell(int row, int column) const {
    if (!isCell(row, column))
        return {};
    return rows_[row][column];
}

void ChannelTable::setCell(int row, int column, const QString& text) {
    if (!isCell(row, column))
        return;
    if (rows_[row][column] != text)
        kept_[row].remove(column);
    rows_[row][column] = text;
}

std::optional<quint8> ChannelTable::keptByte(int row, int column) const {
    if (!isCell(row, column))
        return std::nullopt;
    const auto it = kept_[row].constFind(column);
    return it == kept_[row].cend() ? std::nullopt : std::optional<quint8>(*it);
}

void ChannelTable::keepByte(int row, int column, std::optional<quint8> byte) {
    if (!isCell(row, column))
        return;
    if (byte)
        kept_[row].insert(column, *byte);
    else
        kept_[row].remove(column);
}

void ChannelTable::copyChannel(int from, int to) {
    if (!isChannel(from) || !isChannel(to) || from == to)
        return;
    const QString number = rows_[to].first();
    rows_[to] = rows_[from];
    rows_[to].first() = number;
    kept_[to] = kept_[from];
}

void ChannelTable::swapChannels(int a, int b) {
    if (!isChannel(a) || !isChannel(b) || a == b)
        return;
    // The numbers stay in place: swap the rows whole, then swap the numbers back.
    std::swap(rows_[a], rows_[b]);
    std::swap(rows_[a].first(), rows_[b].first());
    std::swap(kept_[a], kept_[b]);
}

bool ChannelTable::isEmptyCell(const QString& text) {
    return text.trimmed().isEmpty() || text == CellToken::Off;
}

int ChannelTable::columnTitled(const QString& title) const {
    const QString wanted = title.trimmed();
    for (int c = 0; c < columnCount(); ++c) {
        if (cell(0, c) == wanted)
            return c;
    }
    return -1;
}

int ChannelTable::lastUsedChannel() const {
    const int column = columnOf(layout_, ChannelField::RxFrequency);
    for (int r = channelCount(); r >= 1; --r) {
        if (!isEmptyCell(cell(r, column)))
            return r;
    }
    return 0;
}
