#include "image/channel_table.h"

void ChannelTable::layOut(Layout layout, int channelCount) {
    layout_ = layout;
    const auto& cols = columns();
    rows_.clear();
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
}

QString ChannelTable::cell(int row, int column) const {
    if (row < 0 || row >= rows_.size() || column < 0 || column >= rows_[row].size())
        return {};
    return rows_[row][column];
}

void ChannelTable::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rows_.size() || column < 0 || column >= rows_[row].size())
        return;
    rows_[row][column] = text;
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
