#pragma once

#include <QString>
#include <QStringList>
#include <utility>

// Signalling codes: "OFF", a CTCSS tone ("67.0"), or a DCS code ("D023N", "D023I").
namespace Signalling {

inline const QString Off = QStringLiteral("OFF");

const QStringList& tones();    // the 50 tones with one decimal, ascending
const QStringList& dcsCodes(); // the 105 octal codes ("023" ...), ascending

// The three selector lists of cmbZOBR: member 0 the codec's lookup list (integral tones without
// decimals, inverted codes in their fixed order), member 1 the tones, member 2 the signalling editor.
const QStringList& selectorList(int member);

// Two byte texts (low, high) -> cell text.
QString decode(const QString& lo, const QString& hi);
QString decode(quint8 lo, quint8 hi);
// Cell text -> (low, high) bytes.
std::pair<quint8, quint8> encode(const QString& text);

// True for texts that a signalling cell may hold: "OFF", an item of member 0 or of member 2.
bool isKnownCode(const QString& text);

} // namespace Signalling
