#pragma once

#include <QObject>
#include <QPointer>

#include "print/report_data.h"
#include "ui/preview_window.h"

class PrinterAccess;
class ReportHost;

// The preview command (mnuPreview) and the print command (mnuPrint, Ctrl+P, toolbar "打印"). Both take a
// snapshot of what the main window shows; the preview shows it in the non-modal frmPreview, the print
// command sends it to the default printer. The snapshot outlives the windows until the next command.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    ReportCommands(ReportHost& host, const PrinterAccess& printers, QObject* parent = nullptr);

    const ReportData& report() const { return report_; }
    // The open preview window, nullptr when none is open.
    PreviewWindow* previewWindow() const { return preview_; }

    // Both show their own messages through the host's prompter.
    void mnuPreview();
    void mnuPrint();

private:
    void takeSnapshot();
    void offerPdf();

    ReportHost& host_;
    const PrinterAccess& printers_;
    ReportData report_;
    QPointer<PreviewWindow> preview_;
};
