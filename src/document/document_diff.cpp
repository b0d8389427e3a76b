#include "document/document_diff.h"

#include <QStringList>
#include <optional>

namespace {

using Kind = DocumentDifference::Kind;

void noteIfDifferent(DocumentDifferences& out, Kind kind, const QString& name, const QString& a,
                     const QString& b, int channel = 0) {
    if (a != b)
        out.append({kind, channel, name, a, b});
}

QString byteText(const std::optional<int>& byte) {
    return byte ? QStringLiteral("%1").arg(*byte, 2, 16, QLatin1Char('0')).toUpper() : QString();
}

// The headers of both tables, those of `a` first, each once; column 0 (the channel number) left out.
QStringList unionOfHeaders(const ChannelTable& a, const ChannelTable& b) {
    QStringList headers;
    for (const ChannelTable* t : {&a, &b}) {
        for (int c = 1; c < t->columnCount(); ++c) {
            if (!headers.contains(t->cell(0, c)))
                headers << t->cell(0, c);
        }
    }
    return headers;
}

QString cellOf(const ChannelTable& t, int channel, int column) {
    if (column < 0 || channel >= t.rowCount())
        return QString();
    // Two files may differ only in the byte behind a text ("窄" from FD or from FC).
    if (const std::optional<quint8> kept = t.keptByte(channel, column))
        return QStringLiteral("%1 (%2)").arg(t.cell(channel, column), rawByteText(*kept));
    return t.cell(channel, column);
}

} // namespace

DocumentDifferences compareModels(const CurrentModel& a, const CurrentModel& b) {
    DocumentDifferences out;
    noteIfDifferent(out, Kind::Model, QStringLiteral("model"), a.strPc, b.strPc);
    noteIfDifferent(out, Kind::Model, QStringLiteral("code"), a.strBandCode.toUpper(),
                    b.strBandCode.toUpper());
    noteIfDifferent(out, Kind::Model, QStringLiteral("channels"), QString::number(a.strType),
                    QString::number(b.strType));
    noteIfDifferent(out, Kind::Model, QStringLiteral("layout"), a.layoutName(), b.layoutName());
    return out;
}

DocumentDifferences compareTables(const ChannelTable& a, const ChannelTable& b) {
    DocumentDifferences out;
    const QStringList headers = unionOfHeaders(a, b);
    QVector<QPair<int, int>> columns; // (column in a, column in b) per header
    for (const QString& h : headers)
        columns.append({a.columnTitled(h), b.columnTitled(h)});
    const int channels = qMax(a.channelCount(), b.channelCount());
    for (int ch = 1; ch <= channels; ++ch) {
        for (int i = 0; i < headers.size(); ++i) {
            const QString x = cellOf(a, ch, columns[i].first);
            const QString y = cellOf(b, ch, columns[i].second);
            if (ChannelTable::isEmptyCell(x) && ChannelTable::isEmptyCell(y))
                continue;
            noteIfDifferent(out, Kind::Cell, headers[i], x, y, ch);
        }
    }
    return out;
}

DocumentDifferences compareSettings(const RadioSettings& a, const RadioSettings& b) {
    DocumentDifferences out;
    for (int l = 0; l < RadioSettings::ListCount; ++l) {
        const auto list = RadioSettings::List(l);
        noteIfDifferent(out, Kind::List, RadioSettings::label(list), a.text(list), b.text(list));
    }
    const TuneValues& s = a.tune;
    const TuneValues& t = b.tune;
    noteIfDifferent(out, Kind::Tune, QStringLiteral("optJT"), QString::number(s.optJT),
                    QString::number(t.optJT));
    noteIfDifferent(out, Kind::Tune, QStringLiteral("Option1"), QString::number(s.Option1),
                    QString::number(t.Option1));
    noteIfDifferent(out, Kind::Tune, QStringLiteral("sPower"), QString::number(s.sPower),
                    QString::number(t.sPower));
    noteIfDifferent(out, Kind::KeptByte, QStringLiteral("function"), byteText(a.functionByte()),
                    byteText(b.functionByte()));
    noteIfDifferent(out, Kind::KeptByte, QStringLiteral("voice"), byteText(a.voiceByte()),
                    byteText(b.voiceByte()));
    return out;
}

DocumentDifferences compareChannelSets(const LoadedChannelFile& a, const LoadedChannelFile& b) {
    DocumentDifferences out = compareModels(a.model, b.model);
    out += compareTables(a.table, b.table);
    out += compareSettings(a.settings, b.settings);
    return out;
}
