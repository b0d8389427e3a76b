#pragma once

#include <QPainter>
#include <memory>

#include "print/page_surface.h"

class QPagedPaintDevice;

// Every paper page keeps its texts this far from its edges.
constexpr double kPaperMarginMm = 10;

// Draws a text item with a painter whose device is deviceSize pixels wide and high: the item's coordinate
// space is stretched over the whole device and the text's top-left corner lands on the position.
void drawTextItem(QPainter& painter, const QSizeF& deviceSize, const TextItem& item);

// A surface on a paged device (a PDF writer or a printer): one painter for the whole document.
class PagedPainterSurface : public PageSurfaceBase {
public:
    explicit PagedPainterSurface(QPagedPaintDevice* device);
    ~PagedPainterSurface() override;

    // Starts the document with margins of at least kPaperMarginMm on every side; false when the device
    // cannot be opened.
    bool begin();
    bool isActive() const { return painter_.isActive(); }
    bool endDocument() override;
    // Gives the document up, so that nothing half drawn is sent or kept.
    virtual void abort();

    QSizeF sizeInches() const override;

protected:
    void drawItem(const TextItem& item) override;
    bool startPage() override;

private:
    QPagedPaintDevice* device_;
    QPainter painter_;
};
