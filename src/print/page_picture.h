#pragma once

#include <QImage>

#include "print/page_surface.h"

// The preview page: a white picture that keeps what is drawn on it, sized in twips (1440 per inch) and
// rendered at a given resolution. Making it taller keeps the drawing; the added area is blank.
class PagePicture : public PageSurfaceBase {
public:
    PagePicture(double widthTwips, double heightTwips, double dotsPerInch);

    double widthTwips() const { return widthTwips_; }
    double heightTwips() const { return heightTwips_; }
    void setHeightTwips(double twips);
    double dotsPerInch() const { return dpi_; }
    // Twips as pixels of this picture.
    int pixels(double twips) const;

    const QImage& image() const { return image_; }
    QSizeF sizeInches() const override { return {widthTwips_ / 1440.0, heightTwips_ / 1440.0}; }

protected:
    void drawItem(const TextItem& item) override;

private:
    double widthTwips_;
    double heightTwips_;
    double dpi_;
    QImage image_;
};
