#include "print/report_data.h"

#include "document/radio_document.h"

#include "image/channel_columns.h"

RadioSettings::List ReportData::listOf(Text t) {
    switch (t) {
    case FuncM:
        return RadioSettings::FuncMoni;
    case Sd:
        return RadioSettings::Sd;
    case FuncT:
        return RadioSettings::FuncTOT;
    case FuncS:
        return RadioSettings::FuncSQL;
    case FuncSa:
        return RadioSettings::FuncSave;
    case Yybp:
        return RadioSettings::YYBP;
    case RPGN:
        return RadioSettings::RPGN;
    case TSY:
        return RadioSettings::TSY;
    case YXXD:
        return RadioSettings::YXXD;
    case PCmodel:
    case Lable2:
    case TextCount:
        break;
    }
    return RadioSettings::ListCount;
}

QVector<QStringList> ReportData::tableFrom(const ChannelTable& grid) {
    QVector<QStringList> table;
    table.reserve(grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList row;
        row.reserve(grid.columnCount());
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QString cell = grid.cell(r, c);
            row << (cell.isEmpty() ? CellToken::Off : cell);
        }
        table.append(row);
    }
    return table;
}

ReportData ReportData::snapshot(const QString& bandText, const QString& rangeLabel,
                                const std::function<QString(RadioSettings::List)>& listText,
                                const ChannelTable& grid) {
    ReportData data;
    for (int t = 0; t < TextCount; ++t) {
        const Text which = static_cast<Text>(t);
        if (which == PCmodel)
            data.texts[t] = bandText;
        else if (which == Lable2)
            data.texts[t] = rangeLabel;
        else
            data.texts[t] = listText(listOf(which));
    }
    data.table = tableFrom(grid);
    return data;
}

ReportData ReportData::snapshot(const QString& bandText, const QString& rangeLabel,
                                const RadioSettings& settings, const ChannelTable& grid) {
    return snapshot(
        bandText, rangeLabel, [&settings](RadioSettings::List list) { return settings.text(list); }, grid);
}

QString reportBandText(const CurrentModel& model) {
    if (model.band == 0)
        return model.strPc + QStringLiteral("(U)");
    if (model.band == 1)
        return model.strPc + QStringLiteral("(V)");
    return model.strPc;
}

ReportData reportOf(const RadioDocument& document) {
    return ReportData::snapshot(reportBandText(document.model()), document.rangeText(), document.settings(),
                                document.table());
}
