#pragma once

#include <QAbstractTableModel>
#include <QHash>

#include "image/channel_table.h"

// The grid gridXDSZ shows this model: one view row per channel (view row r-1 is channel r), one view column
// per table column (column 0 the channel number, read-only). The horizontal header shows row 0 of the table.
// The cell texts of the ChannelTable are the data; setCell stores and emits dataChanged.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(QObject* parent = nullptr);

    const ChannelTable& table() const { return table_; }
    // Replaces the whole table (layout, rows) and resets the view.
    void setTable(const ChannelTable& table);
    // LayoutChannelGrid: empty table for the layout with channelCount rows.
    void layOut(Layout layout, int channelCount);

    // Cell access in table coordinates (row 0 = headers, column 0 = numbers).
    QString cell(int row, int column) const { return table_.cell(row, column); }
    void setCell(int row, int column, const QString& text);

    // The mark the editors leave on a cell they wrote (2 after frequency edits, 3 after list edits), shown as
    // a text colour; 0 for none. Laying out or replacing the table clears every mark.
    enum CellMark { NoMark = 0, FrequencyMark = 2, ListMark = 3 };
    int cellMark(int row, int column) const { return marks_.value(markKey(row, column), NoMark); }
    void setCellMark(int row, int column, int mark);

    static int tableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex indexOf(int tableRow, int column) const { return index(tableRow - 1, column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    static quint32 markKey(int row, int column) { return quint32(row) << 8 | quint32(column & 0xff); }
    void cellChanged(int row, int column);

    ChannelTable table_;
    QHash<quint32, int> marks_;
};
