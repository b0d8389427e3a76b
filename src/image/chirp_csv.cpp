#include "image/chirp_csv.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <optional>

#include "config/error_texts.h"
#include "image/channel_codec.h"
#include "image/signalling.h"

namespace ChirpCsv {

namespace {

// CHIRP's columns, in the order of header().
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

// CHIRP checks the tone, code, polarity and cross-mode columns even where the tone mode does not use them,
// so unused ones carry its defaults; a reader takes the same defaults for columns that are missing.
const QString kDefaultTone = QStringLiteral("88.5");
const QString kDefaultCode = QStringLiteral("023");
const QString kDefaultPolarity = QStringLiteral("NN");
const QString kDefaultCrossMode = QStringLiteral("Tone->Tone");
const QString kTuningStep = QStringLiteral("5.00");
const QString kTagPrefix = QStringLiteral("radiocps:");
// A transmit frequency this close to the receive one is written as a repeater shift, farther as a split.
constexpr qint64 kMaxShiftHz = 70000000;
constexpr qint64 kHzPerMHz = 1000000;

struct PowerLevel {
    QString cell;
    double watts;
    QString text;
};
const std::array<PowerLevel, 3>& powerLevels() {
    static const std::array<PowerLevel, 3> levels{{{CellToken::High, 5.0, QStringLiteral("5.0W")},
                                                   {CellToken::Middle, 2.0, QStringLiteral("2.0W")},
                                                   {CellToken::Low, 1.0, QStringLiteral("1.0W")}}};
    return levels;
}

QString columnName(Column column) {
    return header().at(column);
}

bool isNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    return number.match(text).hasMatch();
}

// A frequency in megahertz, read digit by digit so no rounding can put it on the raster.
struct Hertz {
    qint64 value = 0;
    bool whole = true; // false when digits below one hertz are not zero
};

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

// Megahertz with six decimals, as CHIRP writes frequencies and offsets.
QString mhzText(qint64 hz) {
    const QString sign = hz < 0 ? QStringLiteral("-") : QString();
    hz = qAbs(hz);
    return sign + QStringLiteral("%1.%2").arg(hz / kHzPerMHz).arg(hz % kHzPerMHz, 6, 10, QLatin1Char('0'));
}

// Our frequency cell "438.50000" of a frequency with no digit below 10 Hz.
QString frequencyCell(qint64 hz) {
    return QStringLiteral("%1.%2")
        .arg(hz / kHzPerMHz, 3, 10, QLatin1Char('0'))
        .arg((hz % kHzPerMHz) / 10, 5, 10, QLatin1Char('0'));
}

// A signalling cell as tone or code.
struct Code {
    enum Kind { None, Tone, Dcs } kind = None;
    QString value; // the tone ("67.0") or the octal code ("023")
    bool inverted = false;
};

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

// CHIRP's polarity letter: N normal, R reversed (our "I"); a tone or nothing counts as N.
QChar polarityLetter(const Code& code) {
    return code.kind == Code::Dcs && code.inverted ? QLatin1Char('R') : QLatin1Char('N');
}

QString crossPart(const Code& code) {
    switch (code.kind) {
    case Code::None:
        return {};
    case Code::Tone:
        return QStringLiteral("Tone");
    case Code::Dcs:
        return QStringLiteral("DTCS");
    }
    return {};
}

void writeSignalling(const Code& tx, const Code& rx, QStringList& f) {
    f[ToneMode].clear();
    f[RToneFreq] = kDefaultTone;
    f[CToneFreq] = kDefaultTone;
    f[DtcsCode] = kDefaultCode;
    f[RxDtcsCode] = kDefaultCode;
    f[DtcsPolarity] = kDefaultPolarity;
    f[CrossMode] = kDefaultCrossMode;
    if (tx.kind == Code::None && rx.kind == Code::None)
        return;
    if (tx.kind == Code::Tone && rx.kind == Code::None) {
        f[ToneMode] = QStringLiteral("Tone");
        f[RToneFreq] = tx.value;
        return;
    }
    if (tx.kind == Code::Tone && rx.kind == Code::Tone && tx.value == rx.value) {
        f[ToneMode] = QStringLiteral("TSQL");
        f[RToneFreq] = tx.value;
        f[CToneFreq] = tx.value;
        return;
    }
    f[DtcsPolarity] = QString(polarityLetter(tx)) + polarityLetter(rx);
    if (tx.kind == Code::Dcs && rx.kind == Code::Dcs && tx.value == rx.value) {
        f[ToneMode] = QStringLiteral("DTCS");
        f[DtcsCode] = tx.value;
        f[RxDtcsCode] = tx.value;
        return;
    }
    f[ToneMode] = QStringLiteral("Cross");
    f[CrossMode] = crossPart(tx) + QStringLiteral("->") + crossPart(rx);
    if (tx.kind == Code::Tone)
        f[RToneFreq] = tx.value;
    if (rx.kind == Code::Tone)
        f[CToneFreq] = rx.value;
    if (tx.kind == Code::Dcs)
        f[DtcsCode] = tx.value;
    if (rx.kind == Code::Dcs)
        f[RxDtcsCode] = rx.value;
}

QString flagTag(const QString& cell) {
    if (cell == CellToken::Yes)
        return QStringLiteral("1");
    if (cell == CellToken::No || cell.isEmpty())
        return QStringLiteral("0");
    return cell; // a raw byte, or a text no list has
}

// The record of one data line, looked up by column; a missing column reads as empty.
class Record {
public:
    Record(const DelimitedText::Row& row, const std::array<int, ColumnCount>& at) : row_(row), at_(at) {}
    int line() const { return row_.line; }
    bool has(Column column) const { return at_[column] >= 0; }
    QString value(Column column) const {
        const int i = at_[column];
        return i >= 0 && i < row_.fields.size() ? row_.fields[i].trimmed() : QString();
    }
    // The value, or CHIRP's default for an empty or missing column.
    QString value(Column column, const QString& fallback) const {
        const QString v = value(column);
        return v.isEmpty() ? fallback : v;
    }

private:
    const DelimitedText::Row& row_;
    const std::array<int, ColumnCount>& at_;
};

// The byte of a tag value that the cell keeps behind the text it shows ("FD" for the bandwidth, "窄");
// nothing for any other value, the raw form of a listed byte included.
std::optional<quint8> keptByteOf(const ChannelColumn& column, const QString& value) {
    const std::optional<quint8> byte = parseRawByte(value);
    if (!byte || !ChannelCodec::isKeptBehindText(column.storage, *byte))
        return std::nullopt;
    return byte;
}

// Reads one line into our cells; the channel number is already in cells[0].
class LineReader {
public:
    LineReader(const Record& record, const ReadOptions& options, ImportedChannel* channel)
        : r_(record), o_(options), cells_(&channel->cells), kept_(&channel->keptBytes) {}

    Error read() {
        const std::optional<Hertz> rx = hertzOf(r_.value(Frequency, QStringLiteral("0")));
        if (!rx)
            return notANumber(Frequency);
        if (rx->value == 0)
            return Error::none(); // an empty channel
        QString rxCell;
        if (Error e = frequency(*rx, columnName(Frequency), &rxCell); e.isError())
            return e;
        set(ChannelField::RxFrequency, rxCell);
        QString txCell;
        if (Error e = transmit(*rx, &txCell); e.isError())
            return e;
        set(ChannelField::TxFrequency, txCell);
        Code tx;
        Code rxCode;
        if (Error e = signalling(&tx, &rxCode); e.isError())
            return e;
        set(ChannelField::RxSignalling, cellOfCode(rxCode));
        set(ChannelField::TxSignalling, cellOfCode(tx));
        for (Error e : {mode(), power(), skip(), tags()}) {
            if (e.isError())
                return e;
        }
        return Error::none();
    }

private:
    void set(ChannelField field, const QString& text, std::optional<quint8> kept = std::nullopt) {
        const int c = columnOf(o_.layout, field);
        if (c < 0 || c >= cells_->size())
            return;
        (*cells_)[c] = text;
        if (kept)
            kept_->insert(c, *kept);
        else
            kept_->remove(c);
    }
    Error notANumber(Column column) const {
        return {ErrorCode::TypeMismatch,
                ErrorText::csvNotANumber(r_.line(), columnName(column), r_.value(column))};
    }
    Error noSuchChoice(Column column, const QString& choices) const {
        return {ErrorCode::InvalidPropertyValue,
                ErrorText::csvNoSuchChoice(r_.line(), columnName(column), r_.value(column), choices)};
    }

    Error frequency(const Hertz& frequency, const QString& column, QString* cell) const {
        const qint64 hz = frequency.value;
        if (!o_.limits.valid)
            return {ErrorCode::InvalidArgument, ErrorText::noModelChosen()};
        const auto outOfBand = [&] {
            return Error{
                ErrorCode::InvalidPropertyValue,
                ErrorText::csvOutOfBand(r_.line(), column, mhzText(hz), o_.limits.lower, o_.limits.upper)};
        };
        if (hz < 0)
            return outOfBand();
        if (!frequency.whole || hz % 10 != 0)
            return {ErrorCode::InvalidPropertyValue, ErrorText::csvOffRaster(r_.line(), column, mhzText(hz))};
        *cell = frequencyCell(hz);
        switch (CellRules::checkFrequency(*cell, o_.limits)) {
        case CellRules::FrequencyVerdict::Accepted:
            return Error::none();
        case CellRules::FrequencyVerdict::OffRaster:
            return {ErrorCode::InvalidPropertyValue, ErrorText::csvOffRaster(r_.line(), column, mhzText(hz))};
        case CellRules::FrequencyVerdict::OutOfRange:
        case CellRules::FrequencyVerdict::NotANumber:
            break;
        }
        return outOfBand();
    }

    Error transmit(const Hertz& rx, QString* cell) const {
        const QString duplex = r_.value(Duplex).toLower();
        if (duplex == QLatin1String("off")) {
            *cell = CellToken::Off;
            return Error::none();
        }
        if (!duplex.isEmpty() && duplex != QLatin1String("+") && duplex != QLatin1String("-") &&
            duplex != QLatin1String("split"))
            return noSuchChoice(Duplex, QStringLiteral("（空）、+、-、split、off"));
        const std::optional<Hertz> offset = hertzOf(r_.value(Offset, QStringLiteral("0")));
        if (!offset)
            return notANumber(Offset);
        Hertz tx = rx;
        if (duplex == QLatin1String("+"))
            tx = {rx.value + offset->value, rx.whole && offset->whole};
        else if (duplex == QLatin1String("-"))
            tx = {rx.value - offset->value, rx.whole && offset->whole};
        else if (duplex == QLatin1String("split"))
            tx = *offset;
        return frequency(tx, columnName(Duplex) + QLatin1Char('/') + columnName(Offset), cell);
    }

    Error tone(Column column, Code* code) const {
        // A file with one tone column means that tone both ways, as CHIRP copies the column there is.
        const Column other = column == RToneFreq ? CToneFreq : RToneFreq;
        const Column from = !r_.has(column) && r_.has(other) ? other : column;
        const QString text = r_.value(from, kDefaultTone);
        if (!isNumber(text))
            return notANumber(column);
        const QString t = QString::number(text.toDouble(), 'f', 1);
        if (!Signalling::tones().contains(t))
            return {ErrorCode::InvalidPropertyValue,
                    ErrorText::csvNoSuchTone(r_.line(), columnName(column), text)};
        *code = {Code::Tone, t, false};
        return Error::none();
    }

    // polarityAt: 0 the transmit letter of DtcsPolarity, 1 the receive letter.
    Error dcs(Column column, int polarityAt, Code* code) const {
        const QString text = r_.value(column, kDefaultCode);
        static const QRegularExpression digits(QStringLiteral("^\\d{1,3}$"));
        if (!isNumber(text))
            return notANumber(column);
        const QString padded = text.rightJustified(3, QLatin1Char('0'));
        if (!digits.match(text).hasMatch() || !Signalling::dcsCodes().contains(padded))
            return {ErrorCode::InvalidPropertyValue,
                    ErrorText::csvNoSuchCode(r_.line(), columnName(column), text)};
        const QString polarity = r_.value(DtcsPolarity, kDefaultPolarity).toUpper();
        static const QRegularExpression letters(QStringLiteral("^[NR]{2}$"));
        if (!letters.match(polarity).hasMatch())
            return noSuchChoice(DtcsPolarity, QStringLiteral("NN、NR、RN、RR"));
        *code = {Code::Dcs, padded, polarity.at(polarityAt) == QLatin1Char('R')};
        return Error::none();
    }

    Error signalling(Code* tx, Code* rx) const {
        const QString mode = r_.value(ToneMode);
        const auto is = [&](const char* name) {
            return mode.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
        };
        if (mode.isEmpty())
            return Error::none();
        if (is("Tone"))
            return tone(RToneFreq, tx);
        if (is("TSQL")) {
            const Error e = tone(CToneFreq, tx);
            *rx = *tx;
            return e;
        }
        if (is("DTCS")) {
            // CHIRP takes the one code of DtcsCode both ways here; RxDtcsCode counts only in Cross.
            if (Error e = dcs(DtcsCode, 0, tx); e.isError())
                return e;
            return dcs(DtcsCode, 1, rx);
        }
        if (is("TSQL-R") || is("DTCS-R"))
            return {ErrorCode::InvalidPropertyValue, ErrorText::csvReverseSquelch(r_.line(), mode)};
        if (is("Cross"))
            return cross(tx, rx);
        return noSuchChoice(ToneMode, QStringLiteral("（空）、Tone、TSQL、DTCS、Cross"));
    }

    Error cross(Code* tx, Code* rx) const {
        const QStringList parts = r_.value(CrossMode, kDefaultCrossMode).split(QStringLiteral("->"));
        const auto kindOf = [](const QString& part) -> std::optional<Code::Kind> {
            if (part.isEmpty())
                return Code::None;
            if (part.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
                return Code::Tone;
            if (part.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0)
                return Code::Dcs;
            return std::nullopt;
        };
        const std::optional<Code::Kind> txKind =
            parts.size() == 2 ? kindOf(parts[0].trimmed()) : std::nullopt;
        const std::optional<Code::Kind> rxKind =
            parts.size() == 2 ? kindOf(parts[1].trimmed()) : std::nullopt;
        const Code::Kind txAs = txKind.value_or(Code::None);
        const Code::Kind rxAs = rxKind.value_or(Code::None);
        if (!txKind || !rxKind || (txAs == Code::None && rxAs == Code::None))
            return noSuchChoice(CrossMode, QStringLiteral("Tone->Tone、Tone->DTCS、DTCS->Tone、DTCS->DTCS、"
                                                          "Tone->、DTCS->、->Tone、->DTCS"));
        if (txAs == Code::Tone) {
            if (Error e = tone(RToneFreq, tx); e.isError())
                return e;
        } else if (txAs == Code::Dcs) {
            if (Error e = dcs(DtcsCode, 0, tx); e.isError())
                return e;
        }
        if (rxAs == Code::Tone)
            return tone(CToneFreq, rx);
        if (rxAs == Code::Dcs)
            return dcs(RxDtcsCode, 1, rx);
        return Error::none();
    }

    Error mode() {
        const QString mode = r_.value(Mode, QStringLiteral("FM"));
        if (mode.compare(QLatin1String("FM"), Qt::CaseInsensitive) == 0)
            set(ChannelField::Bandwidth, CellToken::Wide);
        else if (mode.compare(QLatin1String("NFM"), Qt::CaseInsensitive) == 0)
            set(ChannelField::Bandwidth, CellToken::Narrow);
        else
            return noSuchChoice(Mode, QStringLiteral("FM、NFM"));
        return Error::none();
    }

    Error power() {
        QString text = r_.value(Power);
        if (text.isEmpty()) {
            set(ChannelField::Power, CellToken::High);
            return Error::none();
        }
        if (text.endsWith(QLatin1Char('W'), Qt::CaseInsensitive))
            text = text.chopped(1).trimmed();
        if (!isNumber(text))
            return notANumber(Power);
        const double watts = text.toDouble();
        const PowerLevel* nearest = &powerLevels()[0];
        for (const PowerLevel& level : powerLevels()) {
            if (qAbs(level.watts - watts) < qAbs(nearest->watts - watts))
                nearest = &level;
        }
        set(ChannelField::Power, nearest->cell);
        return Error::none();
    }

    Error skip() {
        // CHIRP knows "" (scanned), "S" (skipped) and "P" (scanned first); nothing else.
        const QString value = r_.value(Skip).toUpper();
        if (!value.isEmpty() && value != QLatin1String("S") && value != QLatin1String("P"))
            return {ErrorCode::InvalidPropertyValue,
                    ErrorText::csvNoSuchValue(r_.line(), columnName(Skip), value)};
        const bool skipped = value == QLatin1String("S");
        set(ChannelField::ScanAdd, skipped ? CellToken::No : CellToken::Yes);
        return Error::none();
    }

    // The Comment tag restores what CHIRP has no column for; without it those cells take the column defaults.
    Error tags() {
        set(ChannelField::BusyLock, CellToken::No);
        set(ChannelField::Compander, CellToken::No);
        set(ChannelField::Scrambler, CellToken::NoScrambler);
        const QString comment = r_.value(Comment);
        const int at = comment.indexOf(kTagPrefix);
        if (at < 0)
            return Error::none();
        QString tag = comment.mid(at + kTagPrefix.size());
        for (int i = 0; i < tag.size(); ++i) {
            if (tag.at(i).isSpace()) {
                tag.truncate(i);
                break;
            }
        }
        for (const QString& piece : tag.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const int eq = piece.indexOf(QLatin1Char('='));
            if (eq <= 0 || !applyTag(piece.left(eq), piece.mid(eq + 1)))
                return {ErrorCode::InvalidPropertyValue, ErrorText::csvBadTag(r_.line(), piece)};
        }
        return Error::none();
    }

    // False for a value the field cannot take; keys of fields the layout lacks, or unknown keys, are passed
    // over.
    bool applyTag(const QString& key, const QString& value) {
        static const QHash<QString, ChannelField> fields{{QStringLiteral("bcl"), ChannelField::BusyLock},
                                                         {QStringLiteral("comp"), ChannelField::Compander},
                                                         {QStringLiteral("scr"), ChannelField::Scrambler},
                                                         {QStringLiteral("pwr"), ChannelField::Power},
                                                         {QStringLiteral("bw"), ChannelField::Bandwidth}};
        const auto it = fields.find(key);
        if (it == fields.end())
            return true;
        const int c = columnOf(o_.layout, *it);
        if (c < 0)
            return true;
        const ChannelColumn& column = channelColumns(o_.layout)[c];
        QString text;
        const std::optional<quint8> kept = keptByteOf(column, value);
        if (CellRules::isRawByteOf(column, value))
            text = value;
        else if (kept)
            text = ChannelCodec::wholeByteText(column, *kept);
        else if ((*it == ChannelField::BusyLock || *it == ChannelField::Compander) &&
                 value == QLatin1String("1"))
            text = CellToken::Yes;
        else if ((*it == ChannelField::BusyLock || *it == ChannelField::Compander) &&
                 value == QLatin1String("0"))
            text = CellToken::No;
        else if (*it == ChannelField::Scrambler && value == QLatin1String("0"))
            text = CellToken::NoScrambler;
        else if (*it == ChannelField::Scrambler && value.size() == 1 && column.items.contains(value))
            text = value;
        else
            return false;
        set(*it, text, kept);
        return true;
    }

    const Record& r_;
    const ReadOptions& o_;
    QStringList* cells_;
    QMap<int, quint8>* kept_;
};

bool isBlank(const QStringList& fields) {
    for (const QString& f : fields) {
        if (!f.trimmed().isEmpty())
            return false;
    }
    return true;
}

} // namespace

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

bool isChirpHeader(const QStringList& fields) {
    bool location = false;
    bool frequency = false;
    for (const QString& f : fields) {
        location = location || f.trimmed().compare(columnName(Location), Qt::CaseInsensitive) == 0;
        frequency = frequency || f.trimmed().compare(columnName(Frequency), Qt::CaseInsensitive) == 0;
    }
    return location && frequency;
}

ReadOptions optionsFor(const ChannelTable& table, const CellRules::FrequencyLimits& limits) {
    ReadOptions options;
    options.layout = table.layout();
    options.channelCount = table.channelCount();
    options.limits = limits;
    return options;
}

Error read(const QByteArray& bytes, const ReadOptions& options, ReadResult* out) {
    DelimitedText::ParseOptions parse;
    parse.skipComments = true;
    return readRows(DelimitedText::parse(DelimitedText::decode(bytes), parse), options, out);
}

Error readRows(const QVector<DelimitedText::Row>& rows, const ReadOptions& options, ReadResult* out) {
    *out = {};
    QVector<DelimitedText::Row> records;
    for (const DelimitedText::Row& row : rows) {
        if (!isBlank(row.fields))
            records.append(row);
    }
    if (records.isEmpty())
        return {ErrorCode::InputPastEnd, ErrorText::csvNoHeader()};

    std::array<int, ColumnCount> at;
    at.fill(-1);
    const DelimitedText::Row& head = records.first();
    for (int i = head.fields.size() - 1; i >= 0; --i) {
        for (int c = 0; c < ColumnCount; ++c) {
            if (head.fields[i].trimmed().compare(header()[c], Qt::CaseInsensitive) == 0)
                at[c] = i;
        }
    }
    for (Column required : {Location, Frequency}) {
        if (at[required] < 0)
            return {ErrorCode::TypeMismatch, ErrorText::csvMissingColumn(head.line, columnName(required))};
    }

    // The locations first: whether the file counts from 0 decides the numbering of every line.
    static const QRegularExpression digits(QStringLiteral("^-?\\d{1,9}$"));
    QVector<int> locations;
    for (int i = 1; i < records.size(); ++i) {
        const Record record(records[i], at);
        // A row of another length has lost or gained a field (a separator inside a value): every value
        // after it would land in the wrong column.
        if (records[i].fields.size() != head.fields.size())
            return {ErrorCode::TypeMismatch,
                    ErrorText::csvFieldCount(record.line(), records[i].fields.size(), head.fields.size())};
        const QString text = record.value(Location);
        if (!digits.match(text).hasMatch())
            return {ErrorCode::TypeMismatch,
                    ErrorText::csvNotANumber(record.line(), columnName(Location), text)};
        locations.append(text.toInt());
    }
    out->startsAtZero = !locations.isEmpty() && *std::min_element(locations.begin(), locations.end()) == 0;
    const int shift = options.renumber && out->startsAtZero ? 1 : 0;

    const int columnCount = channelColumns(options.layout).size();
    QHash<int, int> lineOf;
    for (int i = 1; i < records.size(); ++i) {
        const Record record(records[i], at);
        const int location = locations[i - 1] + shift;
        if (location < 1 || location > options.channelCount)
            return {ErrorCode::SubscriptOutOfRange,
                    ErrorText::csvLocationOutOfRange(record.line(), location, options.channelCount)};
        if (lineOf.contains(location))
            return {ErrorCode::InvalidPropertyValue,
                    ErrorText::csvLocationRepeated(record.line(), location, lineOf.value(location))};
        lineOf.insert(location, record.line());
        ImportedChannel channel;
        channel.line = record.line();
        channel.location = location;
        for (int c = 0; c < columnCount; ++c)
            channel.cells << QString();
        channel.cells[0] = QString::number(location);
        if (Error e = LineReader(record, options, &channel).read(); e.isError())
            return e;
        out->channels.append(channel);
    }
    return Error::none();
}

ChannelTable tableOf(const QVector<ImportedChannel>& channels, Layout layout, int channelCount) {
    ChannelTable table;
    table.layOut(layout, channelCount);
    for (const ImportedChannel& channel : channels) {
        for (int c = 1; c < channel.cells.size() && c < table.columnCount(); ++c)
            table.setCell(channel.location, c, channel.cells[c]);
        for (auto it = channel.keptBytes.cbegin(); it != channel.keptBytes.cend(); ++it)
            table.keepByte(channel.location, it.key(), it.value());
    }
    return table;
}

QStringList rowOf(const ChannelTable& table, int channel) {
    const Layout layout = table.layout();
    const auto cell = [&](ChannelField field) {
        const int c = columnOf(layout, field);
        return c < 0 ? QString() : table.cell(channel, c);
    };
    const auto kept = [&](ChannelField field) { return table.keptByte(channel, columnOf(layout, field)); };
    const QString rxCell = cell(ChannelField::RxFrequency);
    if (channel < 1 || channel > table.channelCount() || ChannelTable::isEmptyCell(rxCell))
        return {};
    const std::optional<Hertz> rxHz = hertzOf(rxCell);
    if (!rxHz)
        return {};
    const qint64 rx = rxHz->value;
    QStringList f;
    for (int c = 0; c < ColumnCount; ++c)
        f << QString();
    f[Location] = QString::number(channel);
    f[Frequency] = mhzText(rx);

    const QString txCell = cell(ChannelField::TxFrequency);
    const std::optional<Hertz> txHz = ChannelTable::isEmptyCell(txCell) ? std::nullopt : hertzOf(txCell);
    const qint64 tx = txHz ? txHz->value : rx;
    f[Offset] = mhzText(0);
    if (!txHz) {
        f[Duplex] = QStringLiteral("off");
    } else if (tx != rx && qAbs(tx - rx) <= kMaxShiftHz) {
        f[Duplex] = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
        f[Offset] = mhzText(qAbs(tx - rx));
    } else if (tx != rx) {
        f[Duplex] = QStringLiteral("split");
        f[Offset] = mhzText(tx);
    }

    writeSignalling(codeOfCell(cell(ChannelField::TxSignalling)),
                    codeOfCell(cell(ChannelField::RxSignalling)), f);

    // Raw and kept bytes travel in the tag; the CHIRP column then shows the column's default or, for a kept
    // byte, the meaning it is shown with.
    const std::optional<quint8> busyByte = kept(ChannelField::BusyLock);
    QStringList tag{QStringLiteral("bcl=") +
                    (busyByte ? rawByteText(*busyByte) : flagTag(cell(ChannelField::BusyLock)))};
    if (columnOf(layout, ChannelField::Compander) >= 0)
        tag << QStringLiteral("comp=") + flagTag(cell(ChannelField::Compander));
    if (columnOf(layout, ChannelField::Scrambler) >= 0) {
        const QString scrambler = cell(ChannelField::Scrambler);
        tag << QStringLiteral("scr=") + (scrambler == CellToken::NoScrambler || scrambler.isEmpty()
                                             ? QStringLiteral("0")
                                             : scrambler);
    }
    const QString bandwidth = cell(ChannelField::Bandwidth);
    f[Mode] = bandwidth == CellToken::Narrow ? QStringLiteral("NFM") : QStringLiteral("FM");
    if (const std::optional<quint8> byte = kept(ChannelField::Bandwidth))
        tag << QStringLiteral("bw=") + rawByteText(*byte);
    f[TStep] = kTuningStep;
    if (columnOf(layout, ChannelField::ScanAdd) >= 0 && cell(ChannelField::ScanAdd) == CellToken::No)
        f[Skip] = QStringLiteral("S");
    const QString power = cell(ChannelField::Power);
    f[Power] = powerLevels()[0].text;
    for (const PowerLevel& level : powerLevels()) {
        if (level.cell == power)
            f[Power] = level.text;
    }
    if (parseRawByte(power))
        tag << QStringLiteral("pwr=") + power;
    f[Comment] = kTagPrefix + tag.join(QLatin1Char(';'));
    return f;
}

QByteArray write(const ChannelTable& table, const QVector<int>& channels) {
    QVector<int> wanted = channels;
    if (wanted.isEmpty()) {
        for (int channel = 1; channel <= table.channelCount(); ++channel)
            wanted << channel;
    }
    QVector<QStringList> rows{header()};
    for (int channel : wanted) {
        const QStringList row = rowOf(table, channel);
        if (!row.isEmpty())
            rows << row;
    }
    return DelimitedText::write(rows, QLatin1Char(','), QStringLiteral("\r\n")).toUtf8();
}

} // namespace ChirpCsv
