#include "print/painter_surface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>

#include "print/report_font.h"

namespace {

// Most printers cannot print up to the paper's edge: the drawable area, and with it the report's coordinate
// space, keeps clear of every edge by the paper margin (or the device's own wider margins).
void keepClearOfEdges(QPagedPaintDevice* device) {
    QPageLayout layout = device->pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    const QMarginsF current = layout.margins(QPageLayout::Millimeter);
    const QMarginsF wanted(qMax(current.left(), kPaperMarginMm), qMax(current.top(), kPaperMarginMm),
                           qMax(current.right(), kPaperMarginMm), qMax(current.bottom(), kPaperMarginMm));
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMargins(wanted);
    device->setPageLayout(layout);
}

} // namespace

void drawTextItem(QPainter& painter, const QSizeF& deviceSize, const TextItem& item) {
    if (item.scale.width() <= 0 || item.scale.height() <= 0)
        return;
    const QFont font = reportFont(item.fontName, item.bold, item.size);
    painter.setFont(font);
    painter.setPen(item.color.isValid() ? item.color : QColor(Qt::black));
    const double x = item.position.x() / item.scale.width() * deviceSize.width();
    const double y = item.position.y() / item.scale.height() * deviceSize.height();
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(x, y + metrics.ascent()), item.text);
}

PagedPainterSurface::PagedPainterSurface(QPagedPaintDevice* device) : device_(device) {}

PagedPainterSurface::~PagedPainterSurface() {
    if (painter_.isActive())
        painter_.end();
}

bool PagedPainterSurface::begin() {
    if (painter_.isActive())
        return true;
    keepClearOfEdges(device_);
    return painter_.begin(device_);
}

bool PagedPainterSurface::endDocument() {
    if (!painter_.isActive())
        return false;
    return painter_.end();
}

void PagedPainterSurface::abort() {
    if (painter_.isActive())
        painter_.end();
}

QSizeF PagedPainterSurface::sizeInches() const {
    return device_->pageLayout().paintRect(QPageLayout::Inch).size();
}

void PagedPainterSurface::drawItem(const TextItem& item) {
    if (!begin())
        return;
    drawTextItem(painter_, QSizeF(device_->width(), device_->height()), item);
}

bool PagedPainterSurface::startPage() {
    return begin() && device_->newPage();
}
