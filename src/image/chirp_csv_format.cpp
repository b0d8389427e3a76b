#include "image/chirp_csv_format.h"

#include <QRegularExpression>

#include "image/channel_codec.h"
#include "image/chirp_csv.h"
#include "image/signalling.h"

namespace ChirpCsv {

const QStringList& header() {
    static const QStringList names{
        QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
        QStringLiteral("Power"),        QStringLiteral("Comment"),    QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),   QStringLiteral("DVCODE")};
    return names;
}

namespace Format {

QString columnName(Column column) {
    return header().at(column);
}

const std::array<PowerLevel, 3>& powerLevels() {
    static const std::array<PowerLevel, 3> levels{{{CellToken::High, 5.0, QStringLiteral("5.0W")},
                                                   {CellToken::Middle, 2.0, QStringLiteral("2.0W")},
                                                   {CellToken::Low, 1.0, QStringLiteral("1.0W")}}};
    return levels;
}

bool isNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    return number.match(text).hasMatch();
}

std::optional<Hertz> hertzOf(const QString& text) {
    QString t = text.trimmed();
    // Lists written by hand give the unit ("146.52 MHz"); it is the one CHIRP means.
    if (t.endsWith(QLatin1String("mhz"), Qt::CaseInsensitive))
        t = t.chopped(3).trimmed();
    if (!isNumber(t))
        return std::nullopt;
    const int point = t.indexOf(QLatin1Char('.'));
    const QString mhz = point < 0 ? t : t.left(point);
    const QString fraction = point < 0 ? QString() : t.mid(point + 1);
    Hertz hz;
    // Nine digits of megahertz are beyond every band already; more would only overflow.
    hz.value = mhz.size() > 9 ? 999999999LL * kHzPerMHz : mhz.toLongLong() * kHzPerMHz;
    hz.value += fraction.left(6).leftJustified(6, QLatin1Char('0')).toLongLong();
    for (const QChar c : fraction.mid(6))
        hz.whole = hz.whole && c == QLatin1Char('0');
    return hz;
}

QString mhzText(qint64 hz) {
    const QString sign = hz < 0 ? QStringLiteral("-") : QString();
    hz = qAbs(hz);
    return sign + QStringLiteral("%1.%2").arg(hz / kHzPerMHz).arg(hz % kHzPerMHz, 6, 10, QLatin1Char('0'));
}

QString frequencyCell(qint64 hz) {
    return QStringLiteral("%1.%2")
        .arg(hz / kHzPerMHz, 3, 10, QLatin1Char('0'))
        .arg((hz % kHzPerMHz) / 10, 5, 10, QLatin1Char('0'));
}

Code codeOfCell(const QString& cell) {
    const QString t = cell.trimmed();
    if (t.isEmpty() || t == Signalling::Off)
        return {};
    if (t.size() == 5 && t.startsWith(QLatin1Char('D'), Qt::CaseInsensitive)) {
        const QString code = t.mid(1, 3);
        const QChar polarity = t.at(4).toUpper();
        if (Signalling::dcsCodes().contains(code) &&
            (polarity == QLatin1Char('N') || polarity == QLatin1Char('I')))
            return {Code::Dcs, code, polarity == QLatin1Char('I')};
        return {};
    }
    // The editors may leave an integral tone without its decimal ("67" for "67.0").
    if (isNumber(t)) {
        const QString tone = QString::number(t.toDouble(), 'f', 1);
        if (Signalling::tones().contains(tone))
            return {Code::Tone, tone, false};
    }
    return {};
}

QString cellOfCode(const Code& code) {
    switch (code.kind) {
    case Code::None:
        return Signalling::Off;
    case Code::Tone:
        return code.value;
    case Code::Dcs:
        return QLatin1Char('D') + code.value + (code.inverted ? QLatin1Char('I') : QLatin1Char('N'));
    }
    return Signalling::Off;
}

namespace {

// Where the tag starts and the length of prefix and text up to the first space; start -1 without one.
std::pair<int, int> tagSpan(const QString& comment) {
    const int at = comment.indexOf(kTagPrefix);
    if (at < 0)
        return {-1, 0};
    int end = at + kTagPrefix.size();
    while (end < comment.size() && !comment.at(end).isSpace())
        ++end;
    return {at, end - at};
}

} // namespace

QString tagOf(const QString& comment) {
    const auto [at, length] = tagSpan(comment);
    return at < 0 ? QString() : comment.mid(at + kTagPrefix.size(), length - kTagPrefix.size());
}

QString commentWithoutTag(const QString& comment) {
    const auto [at, length] = tagSpan(comment);
    QString rest = comment;
    if (at >= 0)
        rest.remove(at, length);
    return rest.simplified();
}

} // namespace Format

} // namespace ChirpCsv
