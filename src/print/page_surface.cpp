#include "print/page_surface.h"

#include "print/report_font.h"

PageSurfaceBase::PageSurfaceBase() : scale_(10, 20) {
    item_.fontName = kReportFontName;
    item_.size = 9;
    item_.color = Qt::black;
}

void PageSurfaceBase::setScale(double width, double height) {
    // A coordinate space without extent cannot map anything; keep the previous one.
    if (width > 0 && height > 0)
        scale_ = {width, height};
}

void PageSurfaceBase::setScaleModeInches() {
    const QSizeF inches = sizeInches();
    setScale(inches.width(), inches.height());
}

void PageSurfaceBase::printText(const QString& text) {
    TextItem item = item_;
    item.text = text;
    item.scale = scale_;
    drawItem(item);
}

bool PageSurfaceBase::newPage() {
    if (!startPage())
        return false;
    ++item_.page;
    return true;
}

QSizeF PageSurfaceBase::textSize(const QString& text) const {
    const QSizeF inches = sizeInches();
    if (inches.width() <= 0 || inches.height() <= 0)
        return {};
    const QSizeF points = textSizePoints(reportFont(item_.fontName, item_.bold, item_.size), text);
    return {points.width() / 72 / inches.width() * scale_.width(),
            points.height() / 72 / inches.height() * scale_.height()};
}
