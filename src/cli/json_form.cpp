#include "cli/json_form.h"

#include <QJsonArray>

#include "image/cell_rules.h"
#include "image/hex.h"
#include "texts/cli_texts.h"

namespace JsonForm {

namespace {

Error invalid(const QString& what) {
    return {ErrorCode::InvalidPropertyValue, what};
}

} // namespace

QJsonObject toJson(const LoadedChannelFile& loaded) {
    const CurrentModel& m = loaded.model;
    QJsonObject settings;
    for (int l = 0; l < RadioSettings::ListCount; ++l) {
        const auto list = RadioSettings::List(l);
        const QString text = loaded.settings.text(list);
        settings.insert(RadioSettings::objectName(list), text.isEmpty() ? QJsonValue() : QJsonValue(text));
    }
    QJsonObject tune{{QStringLiteral("optJT"), loaded.settings.tune.optJT},
                     {QStringLiteral("Option1"), loaded.settings.tune.Option1},
                     {QStringLiteral("sPower"), loaded.settings.tune.sPower}};
    QJsonArray grid;
    for (int r = 0; r < loaded.table.rowCount(); ++r) {
        QJsonArray row;
        for (int c = 0; c < loaded.table.columnCount(); ++c)
            row.append(loaded.table.cell(r, c));
        grid.append(row);
    }
    return {{QStringLiteral("model"), m.strPc},
            {QStringLiteral("band"), m.band},
            {QStringLiteral("layout"), m.layoutName()},
            {QStringLiteral("channelCount"), m.strType},
            {QStringLiteral("blocks"), blockCount(m.I_data)},
            {QStringLiteral("modelCode"), m.strBandCode},
            {QStringLiteral("complete"), loaded.complete},
            {QStringLiteral("settings"), settings},
            {QStringLiteral("tune"), tune},
            {QStringLiteral("grid"), grid}};
}

Error fromJson(const QJsonObject& json, const ModelTable& table, const StartupConfig& config,
               LoadedChannelFile* out) {
    LoadedChannelFile r;
    CurrentModel& m = r.model;
    m.strPc = json.value(QStringLiteral("model")).toString();
    m.strStype = json.value(QStringLiteral("layout")).toString();
    // Only the texts of layouts 0 and 1 come back from their own parse.
    if (layoutText(parseLayout(m.strStype)) != m.strStype)
        return invalid(CliText::JsonLayout);
    m.strType = json.value(QStringLiteral("channelCount")).toInt(-1);
    if (m.strType < 1 || m.strType > 126)
        return invalid(CliText::JsonChannelCount);
    m.I_data = imageFactor(m.strType);
    const QJsonValue bandValue = json.value(QStringLiteral("band"));
    m.band = bandValue.toInt(-1);
    if (m.band != 0 && m.band != 1)
        return invalid(CliText::JsonBand);
    for (int i = 0; i < ModelTable::kSize; ++i) {
        if (!table.entries[i].name.isEmpty() && table.entries[i].name == m.strPc) {
            m.modelIndex = i;
            break;
        }
    }
    m.strBandCode = json.value(QStringLiteral("modelCode")).toString();
    if (m.strBandCode.isEmpty())
        m.selectBand(table, m.band);
    quint8 code = 0;
    if (!m.modelCodeByte(&code))
        return invalid(CliText::JsonModelCode.arg(m.strPc));

    RadioSettings& s = r.settings;
    s.setLayout(m.layout());
    const QJsonObject settings = json.value(QStringLiteral("settings")).toObject();
    for (int l = 0; l < RadioSettings::ListCount; ++l) {
        const auto list = RadioSettings::List(l);
        const QJsonValue v = settings.value(RadioSettings::objectName(list));
        int index = -1;
        if (!v.isNull() && !v.isUndefined()) {
            index = RadioSettings::items(list).indexOf(v.toString());
            if (index < 0)
                return invalid(CliText::JsonNoSuchItem.arg(RadioSettings::objectName(list), v.toString()));
        }
        s.setIndex(list, index);
    }
    const QJsonObject tune = json.value(QStringLiteral("tune")).toObject();
    s.tune.optJT = tune.value(QStringLiteral("optJT")).toInt(0);
    s.tune.Option1 = tune.value(QStringLiteral("Option1")).toInt(0);
    s.tune.sPower = tune.value(QStringLiteral("sPower")).toInt(5);
    if ((s.tune.optJT != 0 && s.tune.optJT != 1) || (s.tune.Option1 != 0 && s.tune.Option1 != 1) ||
        s.tune.sPower < 0 || s.tune.sPower > 10)
        return invalid(CliText::JsonTune);
    s.recomputeFunctionByte();
    s.recomputeVoiceByte();

    r.table.layOut(m.layout(), m.strType);
    const QJsonArray grid = json.value(QStringLiteral("grid")).toArray();
    if (grid.size() != r.table.rowCount())
        return invalid(CliText::JsonGridRows.arg(r.table.rowCount()).arg(grid.size()));
    const auto& columns = r.table.columns();
    const int bandIndex = m.band;
    const QString range = config.bandRanges[bandIndex];
    const CellRules::FrequencyLimits limits = CellRules::limitsFor(m.I_data, bandIndex, range);
    for (int row = 1; row < grid.size(); ++row) {
        const QJsonArray cells = grid[row].toArray();
        if (cells.size() != columns.size())
            return invalid(CliText::JsonRowColumns.arg(row).arg(columns.size()).arg(cells.size()));
        for (int c = 1; c < columns.size(); ++c) {
            const QString text = cells[c].toString();
            bool accepted = CellRules::isAcceptedText(columns[c], text);
            const bool isFrequency =
                columns[c].editor == CellEditor::RxFrequency || columns[c].editor == CellEditor::TxFrequency;
            if (accepted && isFrequency && !ChannelTable::isEmptyCell(text))
                accepted = CellRules::checkFrequency(text, limits) == CellRules::FrequencyVerdict::Accepted;
            if (!accepted) {
                return invalid(CliText::JsonCell.arg(row).arg(c).arg(columns[c].header, text));
            }
            r.table.setCell(row, c, text);
        }
    }
    r.linesRead = blockCount(m.I_data);
    *out = r;
    return Error::none();
}

} // namespace JsonForm
