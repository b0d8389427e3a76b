#include "ui/report_commands.h"

#include "document/radio_document.h"
#include "print/report_print.h"
#include "texts/ui_texts.h"
#include "ui/file_choice.h"
#include "ui/preview_window.h"
#include "ui/printer_surface.h"
#include "ui/prompter.h"

ReportCommands::ReportCommands(const RadioDocument& document, Prompter& prompter,
                               const PrinterAccess& printers, QWidget* window)
    : QObject(window), document_(document), prompter_(prompter), printers_(printers), window_(window) {}

void ReportCommands::takeSnapshot() {
    // The cell editors write into the grid as the user types, so the grid needs no flushing first.
    report_ = reportOf(document_);
}

void ReportCommands::mnuPreview() {
    takeSnapshot();
    Q_EMIT started();
    if (preview_) {
        // An open preview keeps the picture it was drawn with.
        preview_->raise();
        preview_->activateWindow();
        return;
    }
    auto* window = new PreviewWindow(window_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setReport(report_);
    // Without a printer the page is prepared against A4 portrait, so the preview still works.
    window->setPaper(printers_.paper());
    window->blnPrint = false;
    window->load();
    preview_ = window;
    window->show();
}

void ReportCommands::mnuPrint() {
    takeSnapshot();
    Q_EMIT started();
    if (!printers_.hasDefaultPrinter()) {
        offerPdf();
        return;
    }

    // A fresh hidden window prints, so that the font scale factor comes from the page at its design size
    // and not from an open preview's page that was enlarged or scrolled taller.
    PreviewWindow printing(window_);
    printing.setReport(report_);
    printing.blnPrint = true;
    printing.load();
    const Error e = printing.PrintF(printers_);
    if (e.isError()) {
        prompter_.showError(window_, {e.code, ReportText::PrintFailed.arg(e.description)},
                            TransferTexts::ErrorForm::Failed);
        return;
    }
    if (preview_)
        preview_->close();
}

void ReportCommands::offerPdf() {
    Prompter& prompter = prompter_;
    QWidget* parent = window_;
    if (prompter.message(parent, Prompter::Icon::Question, UiText::TitleNotice, ReportText::NoPrinter,
                         Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    const QString path = FileChoice::saveFile(prompter, parent, ReportText::PdfDialogTitle,
                                              ReportText::PdfFilter, QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const Error e = writeReportPdf(path, report_, printers_.paper());
    if (e.isError()) {
        prompter.showError(parent, {e.code, ReportText::PdfFailed.arg(e.description)},
                           TransferTexts::ErrorForm::Failed);
    }
}
