#include "image/hex.h"

namespace {

int hexDigit(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return -1;
}

QChar nibbleChar(int v) {
    return QLatin1Char("0123456789ABCDEF"[v & 0xF]);
}

} // namespace

QString BinToHex(const QString& bits) {
    if (bits.size() < 8)
        return {};
    int hi = 0;
    int lo = 0;
    for (int i = 0; i < 4; ++i) {
        hi = hi * 2 + (bits[i] == QLatin1Char('1') ? 1 : 0);
        lo = lo * 2 + (bits[i + 4] == QLatin1Char('1') ? 1 : 0);
    }
    return QString(nibbleChar(hi)) + nibbleChar(lo);
}

int HexToInt(const QString& text) {
    if (text.isEmpty() || text.size() > 2)
        return -1;
    int v = 0;
    for (QChar c : text) {
        const int d = hexDigit(c);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

QString IntToBin4(int value) {
    if (value == 0)
        return QStringLiteral("0000");
    return QString::number(value, 2).rightJustified(4, QLatin1Char('0'));
}

QString byteToBits(quint8 value) {
    return IntToBin4(value >> 4) + IntToBin4(value & 0xF);
}

QString byteText(quint8 value) {
    return QString(nibbleChar(value >> 4)) + nibbleChar(value);
}

bool parseByteText(const QString& text, quint8* value) {
    if (text.size() != 2)
        return false;
    const int hi = hexDigit(text[0]);
    const int lo = hexDigit(text[1]);
    if (hi < 0 || lo < 0)
        return false;
    *value = quint8(hi * 16 + lo);
    return true;
}

bool isDecimal(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (!c.isDigit())
            return false;
    }
    return true;
}
