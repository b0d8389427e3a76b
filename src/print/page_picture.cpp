#include "print/page_picture.h"

#include <QPainter>

#include "print/painter_surface.h"

namespace {

QImage blankImage(int width, int height, double dpi) {
    QImage image(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

} // namespace

PagePicture::PagePicture(double widthTwips, double heightTwips, double dotsPerInch)
    : widthTwips_(widthTwips), heightTwips_(heightTwips), dpi_(dotsPerInch > 0 ? dotsPerInch : 96) {
    image_ = blankImage(pixels(widthTwips_), pixels(heightTwips_), dpi_);
}

int PagePicture::pixels(double twips) const {
    return qRound(twips * dpi_ / 1440.0);
}

void PagePicture::setHeightTwips(double twips) {
    if (twips <= 0 || twips == heightTwips_)
        return;
    heightTwips_ = twips;
    QImage grown = blankImage(image_.width(), pixels(twips), dpi_);
    QPainter painter(&grown);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = grown;
}

void PagePicture::drawItem(const TextItem& item) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The coordinate space covers the picture's nominal size, not the whole-pixel image.
    drawTextItem(painter, QSizeF(widthTwips_ * dpi_ / 1440.0, heightTwips_ * dpi_ / 1440.0), item);
}
