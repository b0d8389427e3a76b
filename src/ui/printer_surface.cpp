#include "ui/printer_surface.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "texts/ui_texts.h"

PrinterSurface::PrinterSurface(QPrinter& printer) : PagedPainterSurface(&printer), printer_(printer) {}

bool PrinterSurface::endDocument() {
    // The painter ends quietly even when the spooler refused the job; the printer's state tells.
    return PagedPainterSurface::endDocument() && printer_.printerState() != QPrinter::Error &&
           printer_.printerState() != QPrinter::Aborted;
}

void PrinterSurface::abort() {
    if (isActive())
        printer_.abort();
    PagedPainterSurface::abort();
}

PaperInfo paperOf(const QPrinter& printer) {
    PaperInfo paper = PaperInfo::a4Portrait();
    const QSizeF inches = printer.pageLayout().fullRect(QPageLayout::Inch).size();
    if (inches.width() > 0 && inches.height() > 0)
        paper.inches = inches;
    return paper;
}

bool SystemPrinterAccess::hasDefaultPrinter() const {
    return !QPrinterInfo::defaultPrinter().isNull();
}

QString SystemPrinterAccess::defaultPrinterName() const {
    return QPrinterInfo::defaultPrinter().printerName();
}

PaperInfo SystemPrinterAccess::paper() const {
    const std::unique_ptr<QPrinter> printer = createPrinter();
    return printer ? paperOf(*printer) : PaperInfo::a4Portrait();
}

std::unique_ptr<QPrinter> SystemPrinterAccess::createPrinter() const {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(ReportText::DocumentName);
    return printer;
}
