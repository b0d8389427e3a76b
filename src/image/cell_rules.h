#pragma once

#include <QString>
#include <optional>

#include <QVector>

#include "image/channel_columns.h"
#include "image/channel_table.h"

// The rules of the cell editors, shared by the grid and by the command line's import.
namespace CellRules {

struct FrequencyLimits {
    bool valid = false; // false when the range label holds no numbers
    int lower = 0;
    int upper = 0;
};

// The whole-megahertz limits of a band entry: 0 "(U)" 300-650, 1 "(V)" 70-300; any other band 0-0 (not
// valid). Models of more than 16 channels edit against these, and every write is checked against them.
FrequencyLimits bandLimits(int band);
// 16-channel models (I_data 1) use the band range label; others the limits of their band.
FrequencyLimits limitsFor(int iData, int band, const QString& rangeLabel);

// The whole megahertz of a frequency text: its first three characters read as a whole number. With
// `allowFraction` those three may also read as a decimal ("43.") and count by their whole part, as the
// check before a write has always read them. Nothing when they are not a number.
std::optional<int> wholeMegahertz(const QString& text, bool allowFraction = false);

enum class FrequencyVerdict { Accepted, NotANumber, OutOfRange, OffRaster };
// The leave-cell check of a frequency cell: whole megahertz within the limits, on the 6.25 or 5 kHz raster.
FrequencyVerdict checkFrequency(const QString& cell, const FrequencyLimits& limits);

// Pattern "000.00000": 43 -> "043.00000"; an empty text gives "". Non-numbers give "".
QString formatFrequency(const QString& text);
// Pattern "##.00000" for the editor: "070.00000" -> "70.00000"; non-numbers unchanged; "" stays "".
QString editorFrequency(const QString& cell);
// Whether the editor text is a number the pattern can format (empty counts as valid: it empties the cell).
bool isFrequencyInput(const QString& text);

// The transmit signalling normalisation made when its editor opens ("067.0" -> "67", "100.0" -> "100").
QString normaliseTxSignalling(const QString& cell);

// Whether the text is the raw form a whole-byte list cell shows for a byte its list does not name ("3C"
// in the power column; not "FF", which is "高"). The list editor offers it as the cell's own value.
bool isRawByteOf(const ChannelColumn& column, const QString& text);

// Whether a cell of a column may hold the text after the editors have done their work (used by imports):
// a listed value or, where the column keeps raw bytes, a raw byte text. Frequencies are checked for form
// only here; the range needs the limits (checkFrequency).
bool isAcceptedText(const ChannelColumn& column, const QString& text);

// A value typed or pasted into a cell from outside (a spreadsheet, the clipboard) as the cell would hold
// it after its editor: frequencies formatted and checked against the limits, list items and signalling
// codes as listed ("d023n" reads "D023N"). Blank gives an empty cell, "off" in any case "OFF". Nothing
// when the editors would refuse the value.
std::optional<QString> acceptInput(const ChannelColumn& column, const QString& text,
                                   const FrequencyLimits& limits);

// Why a cell holds a value the editors would not leave in it. A file or a radio may bring such a value:
// it is kept as it came, and marked.
enum class Problem {
    None,
    NotAFrequency,     // not in the form "000.00000"
    OutOfBand,         // whole megahertz outside the limits
    OffRaster,         // on neither the 6.25 kHz nor the 5 kHz raster
    UnknownSignalling, // no CTCSS tone or DCS code of the list
    NotListed,         // not an item of the column's list
};
// Frequencies are checked for range only while the limits are valid (without them the editors refuse
// every frequency, and nothing says which range was meant).
Problem problemOf(const ChannelColumn& column, const QString& text, const FrequencyLimits& limits);

struct CellIssue {
    int row = 0;
    int column = 0;
    Problem problem = Problem::None;
};
// Every marked cell of a table, channel by channel, left to right.
QVector<CellIssue> invalidCells(const ChannelTable& table, const FrequencyLimits& limits);

} // namespace CellRules
