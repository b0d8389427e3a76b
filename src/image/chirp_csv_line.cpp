#include "image/chirp_csv_line.h"

#include <QHash>
#include <QRegularExpression>

#include "config/error_texts.h"
#include "image/channel_codec.h"
#include "image/signalling.h"

namespace ChirpCsv::Line {

using namespace Format;

namespace {

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
    LineReader(const Record& record, const ReadOptions& options, ImportedChannel* channel,
               QVector<Error>* problems, QVector<Loss>* losses)
        : r_(record), o_(options), cells_(&channel->cells), kept_(&channel->keptBytes), problems_(problems),
          losses_(losses) {}

    void read() {
        const std::optional<Hertz> rx = hertzOf(r_.value(Frequency, QStringLiteral("0")));
        if (!rx)
            return report(notANumber(Frequency));
        if (rx->value == 0)
            return; // an empty channel
        QString rxCell;
        if (Error e = frequency(*rx, columnName(Frequency), &rxCell); e.isError())
            return report(e); // nothing else of a channel outside the band matters
        set(ChannelField::RxFrequency, rxCell);
        QString txCell;
        report(transmit(*rx, &txCell));
        set(ChannelField::TxFrequency, txCell);
        Code tx;
        Code rxCode;
        report(signalling(&tx, &rxCode));
        set(ChannelField::RxSignalling, cellOfCode(rxCode));
        set(ChannelField::TxSignalling, cellOfCode(tx));
        noteLosses();
        for (const Error& e : {mode(), power(), skip(), tags()})
            report(e);
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
    void report(const Error& e) {
        if (e.isError())
            problems_->append(e);
    }
    void lose(Loss::Kind kind, const QString& value, const QString& cell = {}) {
        losses_->append({r_.line(), kind, value, cell});
    }
    // What the radio has no place for: the name, the comment, the tuning step.
    void noteLosses() {
        if (const QString name = r_.value(Name); !name.isEmpty())
            lose(Loss::Kind::Name, name);
        if (const QString comment = commentWithoutTag(r_.value(Comment)); !comment.isEmpty())
            lose(Loss::Kind::Comment, comment);
        const QString step = r_.value(TStep);
        if (!step.isEmpty() && !(isNumber(step) && step.toDouble() == kTuningStep.toDouble()))
            lose(Loss::Kind::TuningStep, step);
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
        if (nearest->watts != watts)
            lose(Loss::Kind::Power, r_.value(Power), nearest->cell);
        return Error::none();
    }

    Error skip() {
        // CHIRP knows "" (scanned), "S" (skipped) and "P" (scanned first); nothing else.
        const QString value = r_.value(Skip).toUpper();
        if (!value.isEmpty() && value != QLatin1String("S") && value != QLatin1String("P"))
            return {ErrorCode::InvalidPropertyValue,
                    ErrorText::csvNoSuchValue(r_.line(), columnName(Skip), value)};
        const bool skipped = value == QLatin1String("S");
        if (columnOf(o_.layout, ChannelField::ScanAdd) < 0) {
            if (!value.isEmpty())
                lose(Loss::Kind::Skip, value);
            return Error::none();
        }
        set(ChannelField::ScanAdd, skipped ? CellToken::No : CellToken::Yes);
        if (value == QLatin1String("P"))
            lose(Loss::Kind::PriorityScan, value);
        return Error::none();
    }

    // The Comment tag restores what CHIRP has no column for; without it those cells take the column defaults.
    Error tags() {
        set(ChannelField::BusyLock, CellToken::No);
        set(ChannelField::Compander, CellToken::No);
        set(ChannelField::Scrambler, CellToken::NoScrambler);
        const QString tag = tagOf(r_.value(Comment));
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
    QVector<Error>* problems_;
    QVector<Loss>* losses_;
};

} // namespace

void read(const Record& record, const ReadOptions& options, ImportedChannel* channel,
          QVector<Error>* problems, QVector<Loss>* losses) {
    LineReader(record, options, channel, problems, losses).read();
}

} // namespace ChirpCsv::Line
