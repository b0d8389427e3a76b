#include "ui/proportional_layout.h"

#include <QWidget>
#include <algorithm>

namespace {

// A control parked off the window keeps its distance to this point (75000 twips).
constexpr qreal kParkOffset = 5000;
// Fonts that would end between 7 and 8 points are set to 7, the smallest size that stays legible.
constexpr qreal kSmallFont = 7;
constexpr qreal kSmallFontLimit = 8;

} // namespace

void ProportionalLayout::record(const QSize& windowSize, QWidget* area, const QList<QWidget*>& fontOnly) {
    initialSize_ = windowSize;
    controls_.clear();
    for (QWidget* top : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        controls_.push_back({top, top->geometry(), top->font().pointSizeF(), false});
        for (QWidget* child : top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            controls_.push_back(
                {child, child->geometry(), child->font().pointSizeF(), fontOnly.contains(child)});
    }
}

void ProportionalLayout::apply(const QSize& windowSize) const {
    if (initialSize_.isEmpty())
        return;
    const qreal wr = qreal(windowSize.width()) / initialSize_.width();
    const qreal hr = qreal(windowSize.height()) / initialSize_.height();
    const qreal fr = std::min(wr, hr);
    for (const Control& c : controls_) {
        QWidget* w = c.widget;
        if (!w)
            continue;
        if (!c.fontOnly) {
            qreal left = c.geometry.x() * wr;
            if (w->x() < 0)
                left = (w->x() + kParkOffset) * wr - kParkOffset;
            else if (c.geometry.x() < 0)
                left = (c.geometry.x() + kParkOffset) * wr;
            w->setGeometry(qRound(left), qRound(c.geometry.y() * hr), qRound(c.geometry.width() * wr),
                           qRound(c.geometry.height() * hr));
        }
        if (c.fontSize > 0) {
            qreal points = c.fontSize * fr;
            if (points > kSmallFont && points < kSmallFontLimit)
                points = kSmallFont;
            QFont f = w->font();
            f.setPointSizeF(points);
            w->setFont(f);
        }
    }
}
