#include "image/channel_paste.h"

#include <algorithm>

#include "image/channel_rows.h"

namespace ChannelPaste {

namespace {

QString joinedRow(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields) {
        const bool needsQuotes = f.contains(QLatin1Char('\t')) || f.contains(QLatin1Char('"')) ||
                                 f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r'));
        quoted << (needsQuotes
                       ? QLatin1Char('"') + QString(f).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                             QLatin1Char('"')
                       : f);
    }
    return quoted.join(QLatin1Char('\t'));
}

QChar separatorOf(const QString& text) {
    if (text.contains(QLatin1Char('\t')))
        return QLatin1Char('\t');
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    return first.count(QLatin1Char(';')) > first.count(QLatin1Char(',')) ? QLatin1Char(';')
                                                                         : QLatin1Char(',');
}

int columnTitled(const ChannelTable& table, const QString& title) {
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.cell(0, c) == title.trimmed())
            return c;
    }
    return -1;
}

} // namespace

QString tabText(const ChannelTable& table, const QList<int>& channels) {
    QStringList lines;
    QStringList header;
    for (int c = 0; c < table.columnCount(); ++c)
        header << table.cell(0, c);
    lines << joinedRow(header);
    for (int channel : channels) {
        QStringList row;
        for (int c = 0; c < table.columnCount(); ++c)
            row << table.cell(channel, c);
        lines << joinedRow(row);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QVector<QStringList> splitRows(const QString& text) {
    const QChar separator = separatorOf(text);
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool rowHasContent = false;
    auto endRow = [&] {
        row << field;
        if (rowHasContent || row.size() > 1 || !row.front().isEmpty())
            rows << row;
        row.clear();
        field.clear();
        rowHasContent = false;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += ch;
                ++i;
            } else if (ch == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            rowHasContent = true;
        } else if (ch == separator) {
            row << field;
            field.clear();
        } else if (ch == QLatin1Char('\r')) {
            continue;
        } else if (ch == QLatin1Char('\n')) {
            endRow();
        } else if (ch != QChar(0xFEFF)) {
            field += ch;
        }
    }
    if (!field.isEmpty() || !row.isEmpty() || rowHasContent)
        endRow();
    return rows;
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
    if (!body.isEmpty() && columnTitled(table, body.front().value(1)) > 0 &&
        columnTitled(table, body.front().value(0)) >= 0) {
        for (const QString& title : body.front())
            target << columnTitled(table, title);
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
        if (field == ChannelField::RxFrequency && !pasted.channels[i].front().isEmpty()) {
            // As the editor does: the transmit frequency follows and the channel gets its defaults.
            table->setCell(channel, columnOf(table->layout(), ChannelField::TxFrequency),
                           pasted.channels[i].front());
            QStringList cells = ChannelRows::cells(*table, channel);
            for (int c = 1; c < table->columnCount(); ++c) {
                if (cells[c - 1].isEmpty() && !table->columns()[c].defaultValue.isEmpty())
                    cells[c - 1] = table->columns()[c].defaultValue;
            }
            ChannelRows::setCells(table, channel, cells);
        }
    }
}

} // namespace ChannelPaste
