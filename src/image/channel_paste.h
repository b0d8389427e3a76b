#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "config/error.h"
#include "image/cell_rules.h"
#include "image/channel_table.h"
#include "image/delimited_text.h"

// Whole channels as text for spreadsheets, and text from spreadsheets back into channels under the rules
// of the cell editors.
namespace ChannelPaste {

// Tab-separated, one line per channel after a header line with the column titles; every column, the
// channel number first.
QString tabText(const ChannelTable& table, const QList<int>& channels);

struct Pasted {
    // Whole channels (the cells of columns 1 ... in table order), or, when `column` is set, one value per
    // channel for that column only.
    QVector<QStringList> channels;
    int column = 0;
};

// Why a paste was refused: the channel and column of the first value the editors would not take, or that
// the rows are no channel table at all (`channel` 0).
struct Refusal {
    int channel = 0;
    int column = 0;
    QString value;
};

// Reads rows into channels placed from `firstChannel` on:
// - a first row of our column titles maps the columns by title (the channel number is ignored);
// - rows of every column, or of every column but the number, are whole channels in our column order;
// - rows of one value each fill `currentColumn` (a column with an editor).
// Values pass CellRules::acceptInput; a channel with a receive frequency is completed as the editors
// complete it (the transmit frequency follows, empty fields get their defaults), one without is empty.
// The number of channels is not limited here; `apply` stops at the last channel.
std::optional<Refusal> read(const QVector<QStringList>& rows, const ChannelTable& table,
                            const CellRules::FrequencyLimits& limits, int firstChannel, int currentColumn,
                            Pasted* out);

// CHIRP rows (the first row its header), read under the same rules as a CHIRP file: whole channels in
// the order of the rows, whatever their Location.
Error readChirp(const QVector<DelimitedText::Row>& rows, const ChannelTable& table,
                const CellRules::FrequencyLimits& limits, Pasted* out);

// Cells of a whole channel completed as the editors complete a channel whose receive frequency is set.
void completeChannel(const ChannelTable& table, QStringList* cells);

// Writes the pasted channels from `firstChannel` on, as many as the table has room for.
void apply(const Pasted& pasted, int firstChannel, ChannelTable* table);

} // namespace ChannelPaste
