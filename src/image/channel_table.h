#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "image/channel_columns.h"

// The channel table as the grid shows it: row 0 the headers, row r channel r, column 0 the channel number.
// The cell texts are the canonical data.
class ChannelTable {
public:
    ChannelTable() { layOut(Layout::Zero, 16); }

    // Empties every cell, writes the headers of the layout and numbers the rows 1 ... channelCount.
    void layOut(Layout layout, int channelCount);

    Layout layout() const { return layout_; }
    int channelCount() const { return rows_.size() - 1; }
    int rowCount() const { return rows_.size(); }
    int columnCount() const { return columns().size(); }
    const QVector<ChannelColumn>& columns() const { return channelColumns(layout_); }

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    // The column whose header is `title` (surrounding spaces ignored); -1 when none is.
    int columnTitled(const QString& title) const;

    // A cell counts as empty when it is blank after trimming or holds "OFF".
    static bool isEmptyCell(const QString& text);
    // Highest channel whose receive frequency is filled; 0 when none is.
    int lastUsedChannel() const;

    bool operator==(const ChannelTable& other) const {
        return layout_ == other.layout_ && rows_ == other.rows_;
    }

private:
    Layout layout_ = Layout::Zero;
    QVector<QStringList> rows_;
};
