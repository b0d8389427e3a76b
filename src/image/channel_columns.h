#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The data tokens a channel cell holds, defined once next to the codec that stores them.
namespace CellToken {
inline const QString Off = QStringLiteral("OFF");
inline const QString Yes = QStringLiteral("是");
inline const QString No = QStringLiteral("否");
inline const QString Wide = QStringLiteral("宽");
inline const QString Narrow = QStringLiteral("窄");
inline const QString High = QStringLiteral("高");
inline const QString Middle = QStringLiteral("中");
inline const QString Low = QStringLiteral("低");
inline const QString NoScrambler = QStringLiteral("无");
} // namespace CellToken

enum class ChannelField {
    Number,
    RxFrequency,
    TxFrequency,
    RxSignalling,
    TxSignalling,
    BusyLock,
    Bandwidth,
    ScanAdd,
    Compander,
    Scrambler,
    Power,
};

enum class CellEditor {
    None,        // column 0, never edited
    RxFrequency, // txtTxFreq
    TxFrequency, // txtRecFreq
    Signalling,  // cmbZOBR_2
    List,        // cmbZOBR_1
};

// One channel column, described once: the grid, the cell editors, the codec and the report read it.
struct ChannelColumn {
    ChannelField field;
    QString header;
    CellEditor editor;
    QStringList items;    // the list editor's items (empty for the other editors)
    QString defaultValue; // written into an empty cell after a valid receive frequency
};

// Column descriptions of a layout: "1" gives layout 1 (11 columns), anything else layout 0 (8 columns).
const QVector<ChannelColumn>& channelColumns(const QString& layout);
// Index of the column holding a field, -1 when the layout has none.
int columnOf(const QString& layout, ChannelField field);
