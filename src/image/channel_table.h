#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "image/channel_columns.h"

// The channel table as the grid shows it: row 0 the headers, row r channel r, column 0 the channel number.
// The cell texts are the canonical data; a cell whose text names a byte it was read from only by meaning
// keeps that byte beside it (keptByte).
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
    // A text other than the cell's forgets the byte kept for the cell.
    void setCell(int row, int column, const QString& text);
    // The byte a cell was read from when its text names that byte only by meaning (a bandwidth byte FD
    // reads "窄", whose own byte is FC): written back in place of the listed byte until the text changes.
    std::optional<quint8> keptByte(int row, int column) const;
    // Keeps `byte` behind the cell's present text; std::nullopt forgets the byte kept there.
    void keepByte(int row, int column, std::optional<quint8> byte);
    // Channel `to` takes the cells of channel `from` (columns 1 ...), kept bytes included; the numbers stay.
    void copyChannel(int from, int to);
    void swapChannels(int a, int b);
    // The column whose header is `title` (surrounding spaces ignored); -1 when none is.
    int columnTitled(const QString& title) const;

    // A cell counts as empty when it is blank after trimming or holds "OFF".
    static bool isEmptyCell(const QString& text);
    // Highest channel whose receive frequency is filled; 0 when none is.
    int lastUsedChannel() const;

    bool operator==(const ChannelTable& other) const {
        return layout_ == other.layout_ && rows_ == other.rows_ && kept_ == other.kept_;
    }

private:
    bool isCell(int row, int column) const;
    bool isChannel(int row) const { return row >= 1 && row < rows_.size(); }

    Layout layout_ = Layout::Zero;
    QVector<QStringList> rows_;
    QVector<QMap<int, quint8>> kept_; // per row: column -> kept byte
};
