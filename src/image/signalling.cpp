#include "image/signalling.h"

#include <QSet>

#include "image/hex.h"

namespace Signalling {

namespace {

QStringList split(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The order of the inverted codes in the codec's lookup list, as the radio family has always used it.
const char* const kInvertedOrder =
    "047 244 464 627 051 172 445 023 032 452 413 271 306 245 506 174 712 152 754 225 365 364 546 223 412 274 "
    "115 731 265 503 251 036 074 263 356 134 122 411 351 025 072 523 165 462 446 732 205 156 454 065 145 071 "
    "664 423 526 465 455 532 612 243 212 131 125 734 226 143 054 315 723 516 043 255 053 266 332 252 026 331 "
    "662 162 073 432 246 325 343 132 703 631 346 632 031 606 624 645 743 466 311 565 114 431 155 261 371 654 "
    "116";

QStringList buildMember(int member) {
    QStringList list{Off};
    for (const QString& t : tones()) {
        // Member 0 writes the four integral tones without their decimals.
        if (member == 0 && t.endsWith(QLatin1String(".0")))
            list << t.left(t.size() - 2);
        else
            list << t;
    }
    if (member == 1)
        return list;
    for (const QString& c : dcsCodes())
        list << QLatin1Char('D') + c + QLatin1Char('N');
    const QStringList inverted = member == 0 ? split(kInvertedOrder) : dcsCodes();
    for (const QString& c : inverted)
        list << QLatin1Char('D') + c + QLatin1Char('I');
    return list;
}

constexpr int kFirstNormal = 51;
constexpr int kFirstInverted = 156;

} // namespace

const QStringList& tones() {
    static const QStringList list =
        split("67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
              "118.8 123.0 "
              "127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 171.3 173.8 177.3 179.9 "
              "183.5 186.2 "
              "189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 225.7 229.1 233.6 241.8 250.3 254.1");
    return list;
}

const QStringList& dcsCodes() {
    static const QStringList list = split("023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 "
                                          "114 115 116 122 125 131 132 134 143 145 "
                                          "152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 "
                                          "251 252 255 261 263 265 266 271 274 306 "
                                          "311 315 325 331 332 343 346 351 356 364 365 371 411 412 413 423 "
                                          "431 432 445 446 452 454 455 462 464 465 "
                                          "466 503 506 516 523 526 532 546 565 606 612 624 627 631 632 645 "
                                          "654 662 664 703 712 723 731 732 734 743 "
                                          "754");
    return list;
}

const QStringList& selectorList(int member) {
    static const QStringList lists[3] = {buildMember(0), buildMember(1), buildMember(2)};
    return lists[qBound(0, member, 2)];
}

QString decode(const QString& lo, const QString& hi) {
    QString result;
    if (hi.startsWith(QLatin1Char('8'))) {
        result = QLatin1Char('D') + hi.mid(1, 1) + lo.left(2) + QLatin1Char('N');
    } else if (hi.startsWith(QLatin1Char('C'))) {
        result = QLatin1Char('D') + hi.mid(1, 1) + lo.left(2) + QLatin1Char('I');
    } else {
        result = hi + lo.left(1) + QLatin1Char('.') + lo.mid(1, 1);
        if (result.startsWith(QLatin1Char('0')))
            result = result.right(4);
    }
    if (result.contains(QLatin1String("FF")))
        return Off;
    return result;
}

QString decode(quint8 lo, quint8 hi) {
    return decode(byteText(lo), byteText(hi));
}

namespace {

quint8 byteOf(const QString& text) {
    quint8 v = 0xFF;
    parseByteText(text, &v);
    return v;
}

} // namespace

std::pair<quint8, quint8> encode(const QString& text) {
    if (text.trimmed().isEmpty() || text == Off)
        return {0xFF, 0xFF};
    const QStringList& lookup = selectorList(0);
    int found = -1;
    for (int i = 0; i < lookup.size(); ++i) {
        if (lookup[i].startsWith(text, Qt::CaseInsensitive)) {
            found = i;
            break;
        }
    }
    if (found >= kFirstNormal) {
        const QString hi =
            (found >= kFirstInverted ? QStringLiteral("C") : QStringLiteral("8")) + text.mid(1, 1);
        return {byteOf(text.mid(2, 2)), byteOf(hi)};
    }
    // A tone (or an unknown text): "000.0" gives the BCD digits.
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || value < 0 || value >= 1000)
        return {0xFF, 0xFF};
    const QString f = QString::asprintf("%05.1f", value);
    return {byteOf(f.mid(2, 1) + f.mid(4, 1)), byteOf(f.left(2))};
}

bool isKnownCode(const QString& text) {
    // Every cell of every door is checked against it: a set, not two scans of 261 items.
    static const QSet<QString> known = [] {
        QSet<QString> codes{Off};
        for (int member : {0, 2}) {
            for (const QString& code : selectorList(member))
                codes.insert(code);
        }
        return codes;
    }();
    return known.contains(text);
}

} // namespace Signalling
