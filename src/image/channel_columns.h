#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "image/layout.h"

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
    None,        // the channel number, never edited
    RxFrequency, // txtTxFreq
    TxFrequency, // txtRecFreq
    Signalling,  // cmbZOBR_2
    List,        // cmbZOBR_1
};

// How a cell is coded in the channel record.
enum class CellCoding {
    None,       // not stored (the channel number)
    Frequency,  // four BCD bytes, least significant first; any FF byte reads "OFF"
    Signalling, // two bytes, low then high
    Choice,     // the bits under `mask` name one of `choices`
    Scrambler,  // FF "无", else the byte's two hex digits read as a decimal number, when the list has it
};

// One value of a Choice cell: the bits stored under the mask, and the cell text.
struct StoredChoice {
    quint8 bits;
    QString text;
};

// What a whole-byte list cell shows for a byte its list does not name.
enum class UnnamedByte {
    RawText,    // the byte's raw text: such a byte has no meaning of its own
    LastChoice, // the last entry, which every such byte means; the table keeps the byte behind the text
};

// Where a cell lives in the 16-byte channel record (bytes 0-7 the first block, 8-15 the second) and how it
// is coded. The codec is a loop over these declarations in both directions.
struct CellStorage {
    CellCoding coding = CellCoding::None;
    int offset = 0;     // first byte in the record
    int size = 0;       // bytes
    quint8 mask = 0xFF; // Choice: the bits this cell owns; a byte shared by several cells starts from 00
    // Choice: written as the entry whose text the cell holds, else as the last entry; read as the entry
    // whose bits are stored, else as the last entry. A whole-byte cell keeps a byte no entry names instead,
    // as `unnamedByte` says.
    QVector<StoredChoice> choices;
    // The cell is written only when this field's cell is not empty; otherwise the fill stays. Always
    // written when unset.
    std::optional<ChannelField> writtenWith;
    UnnamedByte unnamedByte = UnnamedByte::RawText;

    // Whether the cell owns a whole byte, so that any stored value can be kept. A bit field has no value
    // outside its list.
    bool ownsWholeByte() const {
        return size == 1 && mask == 0xFF && (coding == CellCoding::Choice || coding == CellCoding::Scrambler);
    }
    // Whether a byte the list does not name shows as its raw text, which is written back unchanged.
    bool keepsRawByte() const { return ownsWholeByte() && unnamedByte == UnnamedByte::RawText; }
    // Whether a byte the list does not name shows as the last entry while the table keeps the byte itself
    // (ChannelTable::keptByte), written back until the cell changes.
    bool keepsByteBehindText() const {
        return ownsWholeByte() && coding == CellCoding::Choice && unnamedByte == UnnamedByte::LastChoice;
    }
};

// The text of a byte that a whole-byte cell's list does not name: two upper-case hex digits ("3C"). No
// list item has this form, so it is never taken for a listed value.
QString rawByteText(quint8 byte);
// The byte of a raw text; nothing unless the text is exactly two upper-case hex digits.
std::optional<quint8> parseRawByte(const QString& text);

// One channel column, described once: the grid, the cell editors, the codec and the report read it.
struct ChannelColumn {
    ChannelField field;
    QString header;
    CellEditor editor;
    QStringList items;    // the list editor's items (empty for the other editors)
    QString defaultValue; // written into an empty cell after a valid receive frequency
    CellStorage storage;
};

constexpr int kChannelRecordSize = 16;

// Column descriptions of a layout: layout 1 has 11 columns, the others 8.
const QVector<ChannelColumn>& channelColumns(Layout layout);
// Index of the column holding a field, -1 when the layout has none.
int columnOf(Layout layout, ChannelField field);
