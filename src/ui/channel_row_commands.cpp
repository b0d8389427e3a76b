#include "ui/channel_row_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>

#include "document/radio_document.h"
#include "image/channel_paste.h"
#include "image/channel_rows.h"
#include "image/chirp_csv.h"
#include "image/delimited_text.h"
#include "texts/ui_texts.h"
#include "ui/bulk_edit_dialog.h"
#include "ui/channel_editing.h"
#include "ui/channel_table_model.h"
#include "ui/document_history.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

ChannelRowCommands::ChannelRowCommands(MainWindow& window, QTableView* grid)
    : QObject(&window), window_(window), grid_(grid) {}

QList<int> ChannelRowCommands::channels() const {
    return window_.channelEditing()->selectedChannels();
}

void ChannelRowCommands::information(const QString& text) {
    window_.prompter()->message(&window_, Prompter::Icon::Information, UiText::TitleNotice, text);
}

void ChannelRowCommands::changeTable(const std::function<void(ChannelTable*)>& edit) {
    window_.channelEditing()->hideEditors();
    RadioDocument& document = window_.document();
    ChannelTable table = document.table();
    edit(&table);
    window_.history().change([&] { document.changeTable(table); });
}

void ChannelRowCommands::selectChannels(const QList<int>& channels) {
    QTableView* grid = grid_;
    QItemSelectionModel* selection = grid->selectionModel();
    const auto* model = grid->model();
    if (!selection || channels.isEmpty())
        return;
    const int current = grid->currentIndex().isValid() ? grid->currentIndex().column() : 0;
    grid->setCurrentIndex(model->index(channels.front() - 1, current));
    QItemSelection rows;
    for (int channel : channels) {
        if (channel >= 1 && channel <= model->rowCount())
            rows.select(model->index(channel - 1, 0), model->index(channel - 1, model->columnCount() - 1));
    }
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
}

QMimeData* ChannelRowCommands::mimeDataOf(const ChannelTable& table, const QList<int>& channels) {
    auto* data = new QMimeData;
    data->setText(ChannelPaste::tabText(table, channels));
    // CHIRP and the programs that share its format take the same channels as CSV.
    data->setData(QStringLiteral("text/csv"),
                  ChirpCsv::write(table, QVector<int>(channels.begin(), channels.end())));
    return data;
}

void ChannelRowCommands::copy() {
    const QList<int> selected = channels();
    if (selected.isEmpty())
        return;
    QApplication::clipboard()->setMimeData(mimeDataOf(window_.document().table(), selected));
}

void ChannelRowCommands::cut() {
    const QList<int> selected = channels();
    if (selected.isEmpty())
        return;
    copy();
    changeTable([&](ChannelTable* table) {
        for (int channel : selected)
            ChannelRows::clear(table, channel);
    });
}

void ChannelRowCommands::paste() {
    const QList<int> selected = channels();
    if (selected.isEmpty())
        return;
    RadioDocument& document = window_.document();
    const ChannelTable& table = document.table();
    QTableView* grid = grid_;
    const int first = selected.front();
    const int currentColumn = grid->currentIndex().isValid() ? grid->currentIndex().column() : 0;
    ChannelPaste::Pasted pasted;
    if (!readClipboard(table, first, currentColumn, &pasted))
        return;
    const int room = table.channelCount() - first + 1;
    if (pasted.channels.size() > room &&
        window_.prompter()->message(&window_, Prompter::Icon::Question, UiText::TitleNotice,
                                    RowText::PastePastEnd.arg(pasted.channels.size()).arg(first).arg(room),
                                    Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    changeTable([&](ChannelTable* t) { ChannelPaste::apply(pasted, first, t); });
    QList<int> filled;
    for (int i = 0; i < pasted.channels.size() && i < room; ++i)
        filled << first + i;
    if (pasted.column == 0)
        selectChannels(filled);
}

bool ChannelRowCommands::readClipboard(const ChannelTable& table, int first, int currentColumn,
                                       ChannelPaste::Pasted* pasted) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const QString text = !data ? QString()
                         : data->hasFormat(QStringLiteral("text/csv")) && !data->hasText()
                             ? QString::fromUtf8(data->data(QStringLiteral("text/csv")))
                             : data->text();
    const QVector<DelimitedText::Row> rows = DelimitedText::parse(text);
    if (rows.isEmpty()) {
        information(RowText::PasteEmpty);
        return false;
    }
    const CellRules::FrequencyLimits limits = window_.document().frequencyLimits();
    if (ChirpCsv::isChirpHeader(rows.front().fields)) {
        if (const Error e = ChannelPaste::readChirp(rows, table, limits, pasted); e.isError()) {
            information(CsvText::PasteRefused.arg(e.description));
            return false;
        }
        return true;
    }
    QVector<QStringList> fields;
    for (const DelimitedText::Row& row : rows)
        fields << row.fields;
    if (const auto refused = ChannelPaste::read(fields, table, limits, first, currentColumn, pasted)) {
        if (refused->channel == 0)
            information(RowText::PasteUnknown.arg(table.columnCount()).arg(table.columnCount() - 1));
        else
            information(RowText::PasteRefused.arg(refused->channel)
                            .arg(table.cell(0, refused->column), refused->value));
        return false;
    }
    return true;
}

void ChannelRowCommands::insertRow() {
    const QList<int> selected = channels();
    if (selected.isEmpty())
        return;
    const ChannelTable& table = window_.document().table();
    const int last = table.channelCount();
    if (!ChannelRows::isUnused(table, last) &&
        window_.prompter()->message(&window_, Prompter::Icon::Question, UiText::TitleNotice,
                                    RowText::LastChannelFallsOff.arg(last),
                                    Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    changeTable([&](ChannelTable* t) { ChannelRows::insertEmpty(t, selected.front()); });
    selectChannels({selected.front()});
}

void ChannelRowCommands::deleteRows() {
    const QList<int> selected = channels();
    if (selected.isEmpty())
        return;
    changeTable([&](ChannelTable* t) { ChannelRows::remove(t, selected); });
    selectChannels({selected.front()});
}

void ChannelRowCommands::move(int by) {
    const QList<int> selected = channels();
    ChannelTable moved = window_.document().table();
    // A selection that would leave the table moves nothing and records no step.
    if (selected.isEmpty() || !ChannelRows::move(&moved, selected, by))
        return;
    changeTable([&](ChannelTable* t) { *t = moved; });
    QList<int> movedTo;
    for (int channel : selected)
        movedTo << channel + by;
    selectChannels(movedTo);
}

void ChannelRowCommands::moveUp() {
    move(-1);
}

void ChannelRowCommands::moveDown() {
    move(1);
}

void ChannelRowCommands::clearRows() {
    const QList<int> selected = channels();
    if (selected.isEmpty())
        return;
    changeTable([&](ChannelTable* t) {
        for (int channel : selected)
            ChannelRows::clear(t, channel);
    });
}

void ChannelRowCommands::bulkEdit() {
    QList<int> selected;
    const ChannelTable& table = window_.document().table();
    for (int channel : channels()) {
        if (!ChannelRows::isUnused(table, channel))
            selected << channel;
    }
    if (selected.isEmpty()) {
        information(RowText::BulkNoChannels);
        return;
    }
    QTableView* grid = grid_;
    BulkEditDialog dialog(table, selected.size(), grid->currentIndex().column(), &window_);
    if (window_.execDialog(&dialog) != QDialog::Accepted)
        return;
    const int column = dialog.column();
    ChannelTable changed = table;
    if (dialog.isFrequencyColumn()) {
        bool ok = false;
        const double offset = dialog.offset().toDouble(&ok);
        if (!ok) {
            information(RowText::BulkBadOffset);
            return;
        }
        const CellRules::FrequencyLimits limits = window_.document().frequencyLimits();
        for (int channel : selected) {
            const QString old = table.cell(channel, column);
            if (ChannelTable::isEmptyCell(old))
                continue; // a transmit frequency switched off stays off
            const QString moved =
                CellRules::formatFrequency(QString::number(old.toDouble() + offset, 'f', 5));
            const auto accepted = CellRules::acceptInput(table.columns()[column], moved, limits);
            if (!accepted) {
                information(RowText::BulkRefused.arg(channel).arg(table.cell(0, column), moved));
                return;
            }
            changed.setCell(channel, column, *accepted);
        }
    } else {
        for (int channel : selected)
            changed.setCell(channel, column, dialog.value());
    }
    changeTable([&](ChannelTable* t) { *t = changed; });
}
