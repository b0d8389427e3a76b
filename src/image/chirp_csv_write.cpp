#include <QHash>

#include "image/channel_codec.h"
#include "image/chirp_csv.h"
#include "image/chirp_csv_format.h"

namespace ChirpCsv {

using namespace Format;

namespace {

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

// The cells of one channel by field; an empty text for a field the layout lacks.
class ChannelCells {
public:
    ChannelCells(const ChannelTable& table, int channel) : table_(table), channel_(channel) {}
    bool has(ChannelField field) const { return columnOf(table_.layout(), field) >= 0; }
    QString cell(ChannelField field) const {
        const int c = columnOf(table_.layout(), field);
        return c < 0 ? QString() : table_.cell(channel_, c);
    }
    std::optional<quint8> kept(ChannelField field) const {
        return table_.keptByte(channel_, columnOf(table_.layout(), field));
    }

private:
    const ChannelTable& table_;
    int channel_;
};

// Duplex and Offset: a transmit frequency switched off, a repeater shift, or a split.
void writeTransmit(qint64 rx, const ChannelCells& c, QStringList& f) {
    const QString txCell = c.cell(ChannelField::TxFrequency);
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
}

// Mode, TStep, Skip, Power and the Comment tag. Raw and kept bytes travel in the tag; the CHIRP column then
// shows the column's default or, for a kept byte, the meaning it is shown with.
void writeOthers(const ChannelCells& c, QStringList& f) {
    const std::optional<quint8> busyByte = c.kept(ChannelField::BusyLock);
    QStringList tag{QStringLiteral("bcl=") +
                    (busyByte ? rawByteText(*busyByte) : flagTag(c.cell(ChannelField::BusyLock)))};
    if (c.has(ChannelField::Compander))
        tag << QStringLiteral("comp=") + flagTag(c.cell(ChannelField::Compander));
    if (c.has(ChannelField::Scrambler)) {
        const QString scrambler = c.cell(ChannelField::Scrambler);
        tag << QStringLiteral("scr=") + (scrambler == CellToken::NoScrambler || scrambler.isEmpty()
                                             ? QStringLiteral("0")
                                             : scrambler);
    }
    f[Mode] =
        c.cell(ChannelField::Bandwidth) == CellToken::Narrow ? QStringLiteral("NFM") : QStringLiteral("FM");
    if (const std::optional<quint8> byte = c.kept(ChannelField::Bandwidth))
        tag << QStringLiteral("bw=") + rawByteText(*byte);
    f[TStep] = kTuningStep;
    if (c.has(ChannelField::ScanAdd) && c.cell(ChannelField::ScanAdd) == CellToken::No)
        f[Skip] = QStringLiteral("S");
    const QString power = c.cell(ChannelField::Power);
    f[Power] = powerLevels()[0].text;
    for (const PowerLevel& level : powerLevels()) {
        if (level.cell == power)
            f[Power] = level.text;
    }
    if (parseRawByte(power))
        tag << QStringLiteral("pwr=") + power;
    f[Comment] = kTagPrefix + tag.join(QLatin1Char(';'));
}

} // namespace

QStringList rowOf(const ChannelTable& table, int channel) {
    const ChannelCells cells(table, channel);
    const QString rxCell = cells.cell(ChannelField::RxFrequency);
    if (channel < 1 || channel > table.channelCount() || ChannelTable::isEmptyCell(rxCell))
        return {};
    const std::optional<Hertz> rx = hertzOf(rxCell);
    if (!rx)
        return {};
    QStringList f;
    for (int c = 0; c < ColumnCount; ++c)
        f << QString();
    f[Location] = QString::number(channel);
    f[Frequency] = mhzText(rx->value);
    writeTransmit(rx->value, cells, f);
    writeSignalling(codeOfCell(cells.cell(ChannelField::TxSignalling)),
                    codeOfCell(cells.cell(ChannelField::RxSignalling)), f);
    writeOthers(cells, f);
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
