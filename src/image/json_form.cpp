#include "image/json_form.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <utility>

#include "config/error_texts.h"
#include "config/safe_file.h"
#include "image/cell_rules.h"
#include "image/channel_codec.h"
#include "image/hex.h"

namespace JsonForm {

namespace {

Error invalid(const QString& what) {
    return {ErrorCode::InvalidPropertyValue, what};
}

// The model code as a byte, as CurrentModel reads it.
bool codeByte(const QString& text, quint8* value) {
    CurrentModel m;
    m.strBandCode = text;
    return m.modelCodeByte(value);
}

// A whole number within int; 2.5, "5", true and a missing key are not.
bool integer(const QJsonValue& v, int* out) {
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d != std::trunc(d) || d < -1e9 || d > 1e9)
        return false;
    *out = int(d);
    return true;
}

QJsonArray keptBytesOf(const ChannelTable& table) {
    QJsonArray kept;
    for (int r = 1; r < table.rowCount(); ++r) {
        for (int c = 1; c < table.columnCount(); ++c) {
            if (const std::optional<quint8> byte = table.keptByte(r, c)) {
                kept.append(QJsonObject{{QStringLiteral("row"), r},
                                        {QStringLiteral("column"), c},
                                        {QStringLiteral("byte"), rawByteText(*byte)}});
            }
        }
    }
    return kept;
}

// Each kept byte must be one its cell shows by the meaning the cell's text gives it.
Error readKeptBytes(const QJsonValue& value, ChannelTable* table) {
    if (value.isUndefined())
        return Error::none();
    if (!value.isArray())
        return invalid(JsonText::JsonKeptBytesType);
    const QJsonArray items = value.toArray();
    for (int i = 0; i < items.size(); ++i) {
        const QJsonObject item = items[i].toObject();
        int row = -1;
        int column = -1;
        const std::optional<quint8> byte = parseRawByte(item.value(QStringLiteral("byte")).toString());
        const bool inTable = integer(item.value(QStringLiteral("row")), &row) &&
                             integer(item.value(QStringLiteral("column")), &column) && row >= 1 &&
                             row < table->rowCount() && column >= 1 && column < table->columnCount();
        if (!inTable || !byte || !ChannelCodec::isKeptBehindText(table->columns()[column].storage, *byte) ||
            ChannelCodec::wholeByteText(table->columns()[column], *byte) != table->cell(row, column))
            return invalid(JsonText::JsonKeptByte.arg(i + 1));
        table->keepByte(row, column, byte);
    }
    return Error::none();
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
    QJsonObject json{{QStringLiteral("model"), m.strPc},
                     {QStringLiteral("band"), m.band},
                     {QStringLiteral("layout"), m.layoutName()},
                     {QStringLiteral("channelCount"), m.strType},
                     {QStringLiteral("blocks"), blockCount(m.I_data())},
                     {QStringLiteral("modelCode"), m.strBandCode},
                     {QStringLiteral("complete"), loaded.complete},
                     {QStringLiteral("settings"), settings},
                     {QStringLiteral("tune"), tune},
                     {QStringLiteral("grid"), grid}};
    const QJsonArray kept = keptBytesOf(loaded.table);
    if (!kept.isEmpty())
        json.insert(QStringLiteral("keptBytes"), kept);
    return json;
}

namespace {

// The entry found for the file's model name must have the file's channel count, layout and band code.
Error checkModelEntry(const ModelTable& table, const QString& givenCode, quint8 given, CurrentModel* model) {
    CurrentModel& m = *model;
    const ModelEntry& entry = table.entries[m.modelIndex];
    CurrentModel named;
    named.applyEntry(entry);
    if (named.strType != m.strType) {
        return invalid(JsonText::JsonChannelCountOfModel.arg(QString::number(m.strType), entry.name,
                                                             QString::number(named.strType)));
    }
    if (named.layoutName() != m.strStype)
        return invalid(JsonText::JsonLayoutOfModel.arg(m.strStype, entry.name, named.layoutName()));
    m.selectBand(table, m.band);
    quint8 code = 0;
    if (!m.modelCodeByte(&code))
        return invalid(JsonText::JsonModelCode.arg(m.strPc));
    if (!givenCode.isEmpty() && given != code) {
        return invalid(JsonText::JsonModelCodeOfModel.arg(givenCode, entry.name, QString::number(m.band),
                                                          m.strBandCode));
    }
    return Error::none();
}

// The model the file names, with its channel count, layout and band code as the configuration has them: a
// file written otherwise would open as another model and lose or misplace channels.
Error readModel(const QJsonObject& json, const ModelTable& table, CurrentModel* model) {
    CurrentModel& m = *model;
    m.strPc = json.value(QStringLiteral("model")).toString();
    m.strStype = json.value(QStringLiteral("layout")).toString();
    // Only the texts of layouts 0 and 1 come back from their own parse.
    if (layoutText(parseLayout(m.strStype)) != m.strStype)
        return invalid(JsonText::JsonLayout);
    m.strType = json.value(QStringLiteral("channelCount")).toInt(-1);
    if (m.strType < 1 || m.strType > 126)
        return invalid(JsonText::JsonChannelCount);
    m.band = json.value(QStringLiteral("band")).toInt(-1);
    if (m.band != 0 && m.band != 1)
        return invalid(JsonText::JsonBand);
    const QJsonValue codeValue = json.value(QStringLiteral("modelCode"));
    if (!codeValue.isUndefined() && !codeValue.isString())
        return invalid(JsonText::JsonModelCodeType);
    const QString givenCode = codeValue.toString();
    quint8 given = 0;
    if (!givenCode.isEmpty() && !codeByte(givenCode, &given))
        return invalid(JsonText::JsonModelCode.arg(m.strPc));
    auto bandCode = [&](const ModelEntry& e) { return m.band == 0 ? e.codeA : e.codeB; };
    for (int i = 0; i < ModelTable::kSize; ++i) {
        const ModelEntry& e = table.entries[i];
        if (e.isEmpty() || e.name != m.strPc)
            continue;
        if (m.modelIndex < 0)
            m.modelIndex = i;
        quint8 own = 0;
        // A name given twice: the entry whose code was given.
        if (!givenCode.isEmpty() && codeByte(bandCode(e), &own) && own == given) {
            m.modelIndex = i;
            break;
        }
    }
    if (m.modelIndex < 0)
        return invalid(JsonText::JsonModel.arg(m.strPc));
    return checkModelEntry(table, givenCode, given, model);
}

// The nine lists by their texts and the tune options, every one present: a missing one would become a byte
// nobody chose.
Error readSettings(const QJsonObject& json, Layout layout, RadioSettings* settings) {
    RadioSettings& s = *settings;
    s.setLayout(layout);
    const QJsonObject lists = json.value(QStringLiteral("settings")).toObject();
    for (int l = 0; l < RadioSettings::ListCount; ++l) {
        const auto list = RadioSettings::List(l);
        const QJsonValue v = lists.value(RadioSettings::objectName(list));
        if (!v.isString())
            return invalid(JsonText::JsonSetting.arg(RadioSettings::objectName(list)));
        const int index = RadioSettings::items(list).indexOf(v.toString());
        if (index < 0)
            return invalid(JsonText::JsonNoSuchItem.arg(RadioSettings::objectName(list), v.toString()));
        s.setIndex(list, index);
    }
    const QJsonObject tune = json.value(QStringLiteral("tune")).toObject();
    for (auto [key, value] : {std::pair{"optJT", &s.tune.optJT}, std::pair{"Option1", &s.tune.Option1},
                              std::pair{"sPower", &s.tune.sPower}}) {
        if (!integer(tune.value(QLatin1String(key)), value))
            return invalid(JsonText::JsonTuneType.arg(QLatin1String(key)));
    }
    if ((s.tune.optJT != 0 && s.tune.optJT != 1) || (s.tune.Option1 != 0 && s.tune.Option1 != 1) ||
        s.tune.sPower < 0 || s.tune.sPower > 10)
        return invalid(JsonText::JsonTune);
    s.recomputeFunctionByte();
    s.recomputeVoiceByte();
    return Error::none();
}

// Columns are read by their titles, so that a file whose columns are in another order (or swapped in the
// title row and every row) keeps each value in its column. `at`: table column -> position in the rows.
Error readTitles(const QJsonArray& titles, const ChannelTable& table, QVector<int>* at) {
    const auto& columns = table.columns();
    *at = QVector<int>(columns.size(), -1);
    for (int i = 0; i < titles.size(); ++i) {
        const QString title = titles[i].toString();
        const int c = table.columnTitled(title);
        if (c < 0)
            return invalid(JsonText::JsonUnknownColumn.arg(title));
        if ((*at)[c] >= 0)
            return invalid(JsonText::JsonRepeatedColumn.arg(title));
        (*at)[c] = i;
    }
    for (int c = 0; c < columns.size(); ++c) {
        if ((*at)[c] < 0)
            return invalid(JsonText::JsonMissingColumn.arg(columns[c].header));
    }
    return Error::none();
}

// One channel's row, each cell as the cell editors would take it.
Error readRow(const QJsonArray& cells, int row, const QVector<int>& at,
              const CellRules::FrequencyLimits& limits, ChannelTable* table) {
    const auto& columns = table->columns();
    if (cells.size() != columns.size())
        return invalid(JsonText::JsonRowColumns.arg(row).arg(columns.size()).arg(cells.size()));
    // Channels in order, each once: a row out of place would land in another channel.
    const QJsonValue number = cells[at[0]];
    if (number.toVariant().toString() != QString::number(row))
        return invalid(JsonText::JsonChannelNumber.arg(row).arg(number.toVariant().toString()));
    for (int c = 1; c < columns.size(); ++c) {
        const QJsonValue cell = cells[at[c]];
        if (!cell.isString())
            return invalid(
                JsonText::JsonCellType.arg(QString::number(row), QString::number(c), columns[c].header));
        const QString text = cell.toString();
        bool accepted = CellRules::isAcceptedText(columns[c], text);
        const bool isFrequency =
            columns[c].editor == CellEditor::RxFrequency || columns[c].editor == CellEditor::TxFrequency;
        if (accepted && isFrequency && !ChannelTable::isEmptyCell(text))
            accepted = CellRules::checkFrequency(text, limits) == CellRules::FrequencyVerdict::Accepted;
        if (!accepted)
            return invalid(JsonText::JsonCell.arg(row).arg(c).arg(columns[c].header, text));
        table->setCell(row, c, text);
    }
    return Error::none();
}

// The grid and what is said about its size; `table` is laid out for the model already.
Error readGrid(const QJsonObject& json, const CurrentModel& m, const StartupConfig& config,
               ChannelTable* table) {
    // Said once and checked: a file whose size contradicts its model was not written by us.
    const QJsonValue blocks = json.value(QStringLiteral("blocks"));
    if (!blocks.isUndefined() && blocks.toInt(-1) != blockCount(m.I_data()))
        return invalid(JsonText::JsonBlocks.arg(blockCount(m.I_data())));
    const QJsonValue complete = json.value(QStringLiteral("complete"));
    if (!complete.isUndefined() && !complete.isBool())
        return invalid(JsonText::JsonComplete);
    const QJsonArray grid = json.value(QStringLiteral("grid")).toArray();
    if (grid.size() != table->rowCount())
        return invalid(JsonText::JsonGridRows.arg(table->rowCount()).arg(grid.size()));
    QVector<int> at;
    if (Error e = readTitles(grid[0].toArray(), *table, &at); e.isError())
        return e;
    const CellRules::FrequencyLimits limits =
        CellRules::limitsFor(m.I_data(), m.band, config.bandRanges[m.band]);
    for (int row = 1; row < grid.size(); ++row) {
        if (Error e = readRow(grid[row].toArray(), row, at, limits, table); e.isError())
            return e;
    }
    return readKeptBytes(json.value(QStringLiteral("keptBytes")), table);
}

} // namespace

Error fromJson(const QJsonObject& json, const ModelTable& table, const StartupConfig& config,
               LoadedChannelFile* out) {
    LoadedChannelFile r;
    if (Error e = readModel(json, table, &r.model); e.isError())
        return e;
    if (Error e = readSettings(json, r.model.layout(), &r.settings); e.isError())
        return e;
    r.table.layOut(r.model.layout(), r.model.strType);
    if (Error e = readGrid(json, r.model, config, &r.table); e.isError())
        return e;
    r.linesRead = blockCount(r.model.I_data());
    *out = r;
    return Error::none();
}

Error readFile(const QString& path, const ModelTable& table, const StartupConfig& config,
               LoadedChannelFile* out) {
    QByteArray bytes;
    if (Error e = readRegularFile(path, &bytes); e.isError())
        return e;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (!doc.isObject())
        return {ErrorCode::TypeMismatch, JsonText::NotJson + parseError.errorString()};
    return fromJson(doc.object(), table, config, out);
}

} // namespace JsonForm
