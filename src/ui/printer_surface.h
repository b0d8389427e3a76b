#pragma once

#include <QString>
#include <memory>

#include "print/painter_surface.h"
#include "print/report_layout.h"

class QPrinter;

// The printer as a page surface: one document, pages on request, sent when the document ends.
class PrinterSurface : public PagedPainterSurface {
public:
    explicit PrinterSurface(QPrinter& printer);

    bool endDocument() override;
    void abort() override;

private:
    QPrinter& printer_;
};

// Where the print command gets its printer from; tests put a PDF-backed printer or none in its place.
class PrinterAccess {
public:
    virtual ~PrinterAccess() = default;

    virtual bool hasDefaultPrinter() const = 0;
    virtual QString defaultPrinterName() const = 0;
    // The default printer's paper, font and colour; A4 portrait when there is no printer.
    virtual PaperInfo paper() const = 0;
    // A printer set up for the default printer and its current paper; nullptr when there is none.
    virtual std::unique_ptr<QPrinter> createPrinter() const = 0;
};

// The system's default printer through Qt's printer support.
class SystemPrinterAccess : public PrinterAccess {
public:
    bool hasDefaultPrinter() const override;
    QString defaultPrinterName() const override;
    PaperInfo paper() const override;
    std::unique_ptr<QPrinter> createPrinter() const override;
};

// The paper a printer is set up with (A4 portrait when it reports none).
PaperInfo paperOf(const QPrinter& printer);
