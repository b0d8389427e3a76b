#include "image/channel_paste.h"

#include <algorithm>
#include <limits>

#include "image/channel_rows.h"
#include "image/chirp_csv.h"

namespace ChannelPaste {

QString tabText(const ChannelTable& table, const QList<int>& channels) {
    QVector<QStringList> rows;
    QStringList header;
    for (int c = 0; c < table.columnCount(); ++c)
        header << table.cell(0, c);
    rows << header;
    for (int channel : channels) {
        QStringList row;
        for (int c = 0; c < table.columnCount(); ++c)
            row << table.cell(channel, c);
        rows << row;
    }
    return DelimitedText::write(rows, QLatin1Char('\t'), QStringLiteral("\n"));
}

Error readChirp(const QVector<DelimitedText::Row>& rows, const ChannelTable& table,
                const CellRules::FrequencyLimits& limits, Pasted* out) {
    *out = Pasted{};
    ChirpCsv::ReadOptions options = ChirpCsv::optionsFor(table, limits);
    // The rows go where the paste starts: their Locations only need to be numbers, once each.
    options.channelCount = std::numeric_limits<int>::max() / 2;
    options.renumber = true;
    ChirpCsv::ReadResult result;
    if (Error e = ChirpCsv::readRows(rows, options, &result); e.isError())
        return e;
    for (const ChirpCsv::ImportedChannel& channel : result.channels)
        out->channels << channel.cells.mid(1);
    return Error::none();
}

void completeChannel(const ChannelTable& table, QStringList* cells) {
    const auto& columns = table.columns();
    const int rx = columnOf(table.layout(), ChannelField::RxFrequency) - 1;
    const int tx = columnOf(table.layout(), ChannelField::TxFrequency) - 1;
    while (cells->size() < columns.size() - 1)
        cells->append(QString());
    if (ChannelTable::isEmptyCell((*cells)[rx])) {
        // No receive frequency: the channel is unused, whatever else the row held.
        for (QString& cell : *cells)
            cell.clear();
        return;
    }
    if ((*cells)[tx].isEmpty())
        (*cells)[tx] = (*cells)[rx];
    for (int c = 1; c < columns.size(); ++c) {
        if ((*cells)[c - 1].isEmpty())
            (*cells)[c - 1] = columns[c].defaultValue.isEmpty() ? CellToken::Off : columns[c].defaultValue;
    }
}

std::optional<Refusal> read(const QVector<QStringList>& rows, const ChannelTable& table,
                            const CellRules::FrequencyLimits& limits, int firstChannel, int currentColumn,
                            Pasted* out) {
    *out = Pasted{};
    const auto& columns = table.columns();
    const int count = table.columnCount();
    QVector<QStringList> body = rows;
    // Which table column each field of a row goes to (-1: ignored).
    QVector<int> target;
    if (!body.isEmpty() && table.columnTitled(body.front().value(1)) > 0 &&
        table.columnTitled(body.front().value(0)) >= 0) {
        for (const QString& title : body.front())
            target << table.columnTitled(title);
        body.removeFirst();
    } else if (!body.isEmpty() &&
               std::all_of(body.cbegin(), body.cend(), [](const QStringList& r) { return r.size() == 1; })) {
        if (currentColumn < 1 || currentColumn >= count || columns[currentColumn].editor == CellEditor::None)
            return Refusal{};
        out->column = currentColumn;
        for (int i = 0; i < body.size(); ++i) {
            const auto value = CellRules::acceptInput(columns[currentColumn], body[i].front(), limits);
            if (!value)
                return Refusal{firstChannel + i, currentColumn, body[i].front().trimmed()};
            out->channels << QStringList{*value};
        }
        return std::nullopt;
    } else {
        const int width = body.isEmpty() ? 0 : body.front().size();
        if (width != count && width != count - 1)
            return Refusal{};
        for (int f = 0; f < width; ++f)
            target << (width == count ? f : f + 1);
    }
    if (target.isEmpty())
        return Refusal{};

    for (int i = 0; i < body.size(); ++i) {
        QStringList cells;
        for (int c = 1; c < count; ++c)
            cells << QString();
        for (int f = 0; f < body[i].size() && f < target.size(); ++f) {
            const int c = target[f];
            if (c < 1)
                continue;
            const auto value = CellRules::acceptInput(columns[c], body[i][f], limits);
            if (!value)
                return Refusal{firstChannel + i, c, body[i][f].trimmed()};
            cells[c - 1] = *value;
        }
        completeChannel(table, &cells);
        out->channels << cells;
    }
    return std::nullopt;
}

void apply(const Pasted& pasted, int firstChannel, ChannelTable* table) {
    for (int i = 0; i < pasted.channels.size(); ++i) {
        const int channel = firstChannel + i;
        if (channel < 1 || channel > table->channelCount())
            break;
        if (pasted.column == 0) {
            ChannelRows::setCells(table, channel, pasted.channels[i]);
            continue;
        }
        table->setCell(channel, pasted.column, pasted.channels[i].front());
        const ChannelField field = table->columns()[pasted.column].field;
        if (field == ChannelField::RxFrequency && !pasted.channels[i].front().isEmpty())
            ChannelRows::setCells(
                table, channel, ChannelRows::completedByReceive(*table, channel, pasted.channels[i].front()));
    }
}

} // namespace ChannelPaste
