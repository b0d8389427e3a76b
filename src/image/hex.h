#pragma once

#include <QString>
#include <QtGlobal>

// Small conversions between bytes, hexadecimal text and bit text shared by every codec.

// 8 characters "0"/"1", most significant first -> two upper-case hex digits; shorter text gives "".
QString BinToHex(const QString& bits);
// One or two hexadecimal digits -> number ("A" -> 10, "1E" -> 30); -1 when the text is not hexadecimal.
int HexToInt(const QString& text);
// 0 -> "0000"; otherwise the binary digits padded on the left to four characters.
QString IntToBin4(int value);
// A byte as its eight bit characters, bit 7 first.
QString byteToBits(quint8 value);
// A byte as two upper-case hex digits ("0A").
QString byteText(quint8 value);
// Two hex digits (either case) -> byte; false when the text is not exactly two hex digits.
bool parseByteText(const QString& text, quint8* value);
// A byte text the stored decimal fields accept: one or more digits, nothing else; empty is not decimal.
bool isDecimal(const QString& text);
