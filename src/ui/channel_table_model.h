#pragma once

#include <QAbstractTableModel>

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
    void layOut(const QString& layout, int channelCount);

    // Cell access in table coordinates (row 0 = headers, column 0 = numbers).
    QString cell(int row, int column) const { return table_.cell(row, column); }
    void setCell(int row, int column, const QString& text);

    static int tableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex indexOf(int tableRow, int column) const { return index(tableRow - 1, column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    ChannelTable table_;
};
