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

// The texts of the report commands.
namespace ReportText {
inline const QString NoPrinterTitle = QStringLiteral("提示");
inline const QString NoPrinter =
    QStringLiteral("没有设置默认打印机，无法打印。\n是否将报表另存为 PDF 文件？");
inline const QString PdfDialogTitle = QStringLiteral("另存为 PDF");
inline const QString PdfFilter = QStringLiteral("PDF 文件(*.pdf)|*.pdf|所有文件(*.*)|*.*");
inline const QString PrintFailedTitle = QStringLiteral("错误");
inline const QString PrintFailed = QStringLiteral("打印失败：%1");
inline const QString PdfFailed = QStringLiteral("无法保存 PDF 文件：%1");
} // namespace ReportText
