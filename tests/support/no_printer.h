#pragma once

#include <QPrinter>
#include <memory>

#include "ui/printer_surface.h"

// A system without printers: the report commands offer a PDF instead.
class NoPrinter : public PrinterAccess {
public:
    bool hasDefaultPrinter() const override { return false; }
    QString defaultPrinterName() const override { return {}; }
    PaperInfo paper() const override { return PaperInfo::a4Portrait(); }
    std::unique_ptr<QPrinter> createPrinter() const override { return nullptr; }
};
