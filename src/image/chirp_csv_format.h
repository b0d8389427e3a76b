#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What the CHIRP reader and writer share: the columns, their defaults, frequencies in megahertz, the power
// levels and the signalling cells as tones or codes.
namespace ChirpCsv::Format {

// CHIRP's columns, in the order of ChirpCsv::header().
enum Column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    ToneMode,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
    ColumnCount
};

QString columnName(Column column);

// CHIRP checks the tone, code, polarity and cross-mode columns even where the tone mode does not use them,
// so unused ones carry its defaults; a reader takes the same defaults for columns that are missing.
inline const QString kDefaultTone = QStringLiteral("88.5");
inline const QString kDefaultCode = QStringLiteral("023");
inline const QString kDefaultPolarity = QStringLiteral("NN");
inline const QString kDefaultCrossMode = QStringLiteral("Tone->Tone");
// Our channels have no tuning step; this is what we write, and a file that gives it loses nothing.
inline const QString kTuningStep = QStringLiteral("5.00");
inline const QString kTagPrefix = QStringLiteral("radiocps:");
// A transmit frequency this close to the receive one is written as a repeater shift, farther as a split.
constexpr qint64 kMaxShiftHz = 70000000;
constexpr qint64 kHzPerMHz = 1000000;

struct PowerLevel {
    QString cell;
    double watts;
    QString text;
};
const std::array<PowerLevel, 3>& powerLevels();

bool isNumber(const QString& text);

// A frequency in megahertz, read digit by digit so no rounding can put it on the raster.
struct Hertz {
    qint64 value = 0;
    bool whole = true; // false when digits below one hertz are not zero
};
std::optional<Hertz> hertzOf(const QString& text);

// Megahertz with six decimals, as CHIRP writes frequencies and offsets.
QString mhzText(qint64 hz);
// Our frequency cell "438.50000" of a frequency with no digit below 10 Hz.
QString frequencyCell(qint64 hz);

// A signalling cell as tone or code.
struct Code {
    enum Kind { None, Tone, Dcs } kind = None;
    QString value; // the tone ("67.0") or the octal code ("023")
    bool inverted = false;
};
Code codeOfCell(const QString& cell);
QString cellOfCode(const Code& code);

// The Comment column without our tag: what a person wrote there.
QString commentWithoutTag(const QString& comment);
// The tag's text after its prefix, up to the first space; empty when the comment has none.
QString tagOf(const QString& comment);

} // namespace ChirpCsv::Format
