#pragma once

#include <QObject>
#include <QPointer>

#include "print/report_data.h"
#include "ui/preview_window.h"

class PrinterAccess;
class Prompter;
class RadioDocument;
class QWidget;

// The preview command (mnuPreview) and the print command (mnuPrint, Ctrl+P, toolbar "打印"). Both take a
// snapshot of the document as the main window shows it; the preview shows it in the non-modal frmPreview,
// the print command sends it to the default printer. The snapshot outlives the windows until the next
// command. The windows and messages belong to `window`.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    ReportCommands(const RadioDocument& document, Prompter& prompter, const PrinterAccess& printers,
                   QWidget* window);

    const ReportData& report() const { return report_; }
    // The open preview window, nullptr when none is open.
    PreviewWindow* previewWindow() const { return preview_; }

    // Both show their own messages.
    void mnuPreview();
    void mnuPrint();

Q_SIGNALS:
    // A report command has begun (the main window stops its housekeeping timer).
    void started();

private:
    void takeSnapshot();
    void offerPdf();

    const RadioDocument& document_;
    Prompter& prompter_;
    const PrinterAccess& printers_;
    QWidget* window_;
    ReportData report_;
    QPointer<PreviewWindow> preview_;
};
