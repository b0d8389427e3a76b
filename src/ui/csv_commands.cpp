#include "ui/csv_commands.h"

#include <QDir>

#include "config/safe_file.h"
#include "document/radio_document.h"
#include "image/channel_rows.h"
#include "image/chirp_csv.h"
#include "texts/import_texts.h"
#include "texts/ui_texts.h"
#include "ui/channel_editing.h"
#include "ui/document_history.h"
#include "ui/file_choice.h"
#include "ui/import_report_dialog.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

CsvCommands::CsvCommands(MainWindow& window) : QObject(&window), window_(window) {}

void CsvCommands::importCsv() {
    const QString path =
        FileChoice::openFile(*window_.prompter(), &window_, CsvText::ImportTitle, CsvText::Filter);
    if (!path.isEmpty())
        importFile(path);
}

void CsvCommands::importFile(const QString& path) {
    Prompter& prompter = *window_.prompter();
    auto refuse = [&](const Error& e) { prompter.showError(&window_, e, TransferTexts::ErrorForm::Failed); };
    QByteArray bytes;
    if (const Error e = readRegularFile(path, &bytes); e.isError())
        return refuse(e);

    RadioDocument& document = window_.document();
    ChirpCsv::ReadOptions options = ChirpCsv::optionsFor(document.table(), document.frequencyLimits());
    ChirpCsv::ReadResult result;
    const Error error = ChirpCsv::read(bytes, options, &result);
    if (!result.isChirpFile)
        return refuse(error);
    if (result.startsAtZero &&
        prompter.message(&window_, Prompter::Icon::Question, UiText::TitleNotice, CsvText::StartsAtZero,
                         Prompter::Buttons::YesNo) == Prompter::Answer::Yes) {
        options.renumber = true;
        ChirpCsv::read(bytes, options, &result);
    }
    if (ImportTexts::hasNews(result)) {
        // What would be left out or lost is shown before anything changes; the same list in file order is
        // one tick away, for long lists and lists of several bands.
        ChirpCsv::ReadOptions inOrder = options;
        inOrder.inFileOrder = true;
        ChirpCsv::ReadResult ordered;
        ChirpCsv::read(bytes, inOrder, &ordered);
        ImportReportDialog dialog(result, ordered, &window_);
        if (window_.execDialog(&dialog) != QDialog::Accepted)
            return;
        result = dialog.chosen();
    } else if (ImportTexts::usableCount(result) == 0) {
        prompter.message(&window_, Prompter::Icon::Information, UiText::TitleNotice,
                         ImportTexts::NothingToImport);
        return;
    }

    window_.channelEditing()->hideEditors();
    const ChannelTable table = ChirpCsv::tableOf(result.channels, options.layout, options.channelCount);
    window_.history().change([&] { document.changeTable(table); });
    window_.showStatusNote(
        CsvText::Imported.arg(ChannelRows::usedCount(table)).arg(QDir::toNativeSeparators(path)));
}

void CsvCommands::exportCsv() {
    Prompter& prompter = *window_.prompter();
    const ChannelTable& table = window_.document().table();
    if (table.lastUsedChannel() == 0) {
        prompter.message(&window_, Prompter::Icon::Information, UiText::TitleNotice,
                         CsvText::NothingToExport);
        return;
    }
    const QString path = FileChoice::saveFile(prompter, &window_, CsvText::ExportTitle, CsvText::Filter,
                                              QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const QByteArray bytes = ChirpCsv::write(table);
    if (const Error e = writeFileAtomically(path, bytes); e.isError()) {
        prompter.showError(&window_, e, TransferTexts::ErrorForm::Failed);
        return;
    }
    window_.showStatusNote(
        CsvText::Exported.arg(ChannelRows::usedCount(table)).arg(QDir::toNativeSeparators(path)));
}
