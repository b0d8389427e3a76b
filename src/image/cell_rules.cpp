#include "image/cell_rules.h"

#include <cmath>

#include "config/app_config.h"
#include "image/channel_codec.h"
#include "image/signalling.h"

namespace CellRules {

namespace {

// A number as the editors understand it: optional sign, digits, at most one point. No exponent, no spaces
// inside; surrounding spaces are allowed.
bool parseNumber(const QString& text, double* value) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    int digits = 0;
    int points = 0;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128)
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i == 0)
            continue;
        else
            return false;
    }
    if (digits == 0 || points > 1)
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

} // namespace

FrequencyLimits bandLimits(int band) {
    if (band == 0)
        return {true, 300, 650};
    if (band == 1)
        return {true, 70, 300};
    return {};
}

FrequencyLimits limitsFor(int iData, int band, const QString& rangeLabel) {
    if (iData == 2)
        return bandLimits(band);
    FrequencyLimits l;
    l.valid = BandRange{rangeLabel}.limits(&l.lower, &l.upper);
    return l;
}

std::optional<int> wholeMegahertz(const QString& text, bool allowFraction) {
    const QString head = text.left(3);
    bool ok = false;
    const int whole = head.toInt(&ok);
    if (ok)
        return whole;
    if (allowFraction) {
        const double value = head.toDouble(&ok);
        if (ok)
            return static_cast<int>(value);
    }
    return std::nullopt;
}

FrequencyVerdict checkFrequency(const QString& cell, const FrequencyLimits& limits) {
    double mhz = 0;
    // The megahertz part is read from the first three characters, so a number with more integer digits
    // ("4300.00000", one digit too many) would pass the range check with a wrong value.
    const int point = cell.indexOf(QLatin1Char('.'));
    if ((point < 0 ? cell.size() : point) > 3 && parseNumber(cell, &mhz))
        return FrequencyVerdict::OutOfRange;
    const std::optional<int> whole = wholeMegahertz(cell);
    if (!limits.valid || !whole || !parseNumber(cell, &mhz))
        return FrequencyVerdict::NotANumber;
    if (*whole < limits.lower || *whole > limits.upper)
        return FrequencyVerdict::OutOfRange;
    const qint64 hz = qRound64(mhz * 1000000.0);
    if (hz % 6250 != 0 && hz % 5000 != 0)
        return FrequencyVerdict::OffRaster;
    return FrequencyVerdict::Accepted;
}

bool isFrequencyInput(const QString& text) {
    if (text.isEmpty())
        return true;
    double v = 0;
    return parseNumber(text, &v);
}

QString formatFrequency(const QString& text) {
    double v = 0;
    if (text.isEmpty() || !parseNumber(text, &v))
        return {};
    const bool negative = v < 0;
    QString s = QString::number(std::fabs(v), 'f', 5);
    const int point = s.indexOf(QLatin1Char('.'));
    s = s.left(point).rightJustified(3, QLatin1Char('0')) + s.mid(point);
    return negative ? QLatin1Char('-') + s : s;
}

QString editorFrequency(const QString& cell) {
    if (cell.isEmpty())
        return {};
    double v = 0;
    if (!parseNumber(cell, &v))
        return cell;
    QString s = QString::number(v, 'f', 5);
    // "##.00000" drops the leading zeros, and nothing stands before the point below 1.
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString normaliseTxSignalling(const QString& cell) {
    QString t = cell;
    if (t.startsWith(QLatin1Char('0')))
        t = t.right(4);
    if (t.endsWith(QLatin1String(".0")))
        t.chop(2);
    return t;
}

bool isRawByteOf(const ChannelColumn& column, const QString& text) {
    if (!column.storage.keepsRawByte())
        return false;
    const std::optional<quint8> byte = parseRawByte(text);
    // One text per byte: a listed byte is only ever its item.
    return byte && ChannelCodec::wholeByteText(column, *byte) == text;
}

bool isAcceptedText(const ChannelColumn& column, const QString& text) {
    if (text.isEmpty() || text == CellToken::Off)
        return true;
    switch (column.editor) {
    case CellEditor::None:
        return true;
    case CellEditor::RxFrequency:
    case CellEditor::TxFrequency:
        return text.size() == 9 && formatFrequency(text) == text;
    case CellEditor::Signalling:
        return Signalling::isKnownCode(text);
    case CellEditor::List:
        return column.items.contains(text) || isRawByteOf(column, text);
    }
    return false;
}

std::optional<QString> acceptInput(const ChannelColumn& column, const QString& text,
                                   const FrequencyLimits& limits) {
    const QString value = text.trimmed();
    if (value.isEmpty())
        return QString();
    if (value.compare(CellToken::Off, Qt::CaseInsensitive) == 0)
        return CellToken::Off;
    switch (column.editor) {
    case CellEditor::None:
        return value;
    case CellEditor::RxFrequency:
    case CellEditor::TxFrequency: {
        const QString cell = formatFrequency(value);
        if (cell.isEmpty() || checkFrequency(cell, limits) != FrequencyVerdict::Accepted)
            return std::nullopt;
        return cell;
    }
    case CellEditor::Signalling: {
        const QString code = value.toUpper();
        if (!Signalling::isKnownCode(code))
            return std::nullopt;
        return code;
    }
    case CellEditor::List:
        if (isAcceptedText(column, value))
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

Problem problemOf(const ChannelColumn& column, const QString& text, const FrequencyLimits& limits) {
    if (text.isEmpty() || text == CellToken::Off)
        return Problem::None;
    switch (column.editor) {
    case CellEditor::None:
        return Problem::None;
    case CellEditor::RxFrequency:
    case CellEditor::TxFrequency:
        if (!isAcceptedText(column, text))
            return Problem::NotAFrequency;
        if (!limits.valid)
            return Problem::None;
        switch (checkFrequency(text, limits)) {
        case FrequencyVerdict::Accepted:
            return Problem::None;
        case FrequencyVerdict::OffRaster:
            return Problem::OffRaster;
        case FrequencyVerdict::OutOfRange:
            return Problem::OutOfBand;
        case FrequencyVerdict::NotANumber:
            return Problem::NotAFrequency;
        }
        return Problem::None;
    case CellEditor::Signalling:
        return Signalling::isKnownCode(text) ? Problem::None : Problem::UnknownSignalling;
    case CellEditor::List:
        return isAcceptedText(column, text) ? Problem::None : Problem::NotListed;
    }
    return Problem::None;
}

QVector<CellIssue> invalidCells(const ChannelTable& table, const FrequencyLimits& limits) {
    QVector<CellIssue> issues;
    const auto& columns = table.columns();
    for (int row = 1; row < table.rowCount(); ++row) {
        for (int column = 1; column < columns.size(); ++column) {
            const Problem p = problemOf(columns[column], table.cell(row, column), limits);
            if (p != Problem::None)
                issues.append({row, column, p});
        }
    }
    return issues;
}

} // namespace CellRules
