#pragma once

#include <QDialog>

#include "image/channel_table.h"

class QComboBox;
class QLabel;
class QLineEdit;

// "批量修改": one column of the selected channels at once. A list or signalling column takes a value from
// its list; a frequency column takes an offset in megahertz.
class BulkEditDialog : public QDialog {
    Q_OBJECT
public:
    BulkEditDialog(const ChannelTable& table, int channelCount, int column, QWidget* parent = nullptr);

    int column() const;
    bool isFrequencyColumn() const;
    QString value() const;  // a list or signalling column
    QString offset() const; // a frequency column, as typed

private:
    void columnChosen();

    const ChannelTable& table_;
    QVector<int> columns_; // the table column of each entry of the column list
    QComboBox* column_ = nullptr;
    QComboBox* value_ = nullptr;
    QLineEdit* offset_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QLabel* offsetLabel_ = nullptr;
};
