// Proportional resize: every control follows the window from the geometry recorded at start-up.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QResizeEvent>
#include <QTableView>
#include <algorithm>

#include "ui/channel_editing.h"
#include "ui/main_window.h"
#include "ui/settings_panel.h"

namespace {

// A control parked off the window keeps its distance to this point (75000 twips).
constexpr qreal kParkOffset = 5000;
// Fonts that would end between 7 and 8 points are set to 7, the smallest size that stays legible.
constexpr qreal kSmallFont = 7;
constexpr qreal kSmallFontLimit = 8;

} // namespace

void MainWindow::recordLayout() {
    initialSize_ = size();
    ctlLayout_.clear();
    const QList<QWidget*> cellEditors = {static_cast<QWidget*>(editing_->rxFrequencyEditor()),
                                         static_cast<QWidget*>(editing_->txFrequencyEditor()),
                                         static_cast<QWidget*>(editing_->signallingEditor()),
                                         static_cast<QWidget*>(editing_->listEditor())};
    for (QWidget* top : central_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        ctlLayout_.push_back({top, top->geometry(), top->font().pointSizeF(), false});
        // The controls of a frame; the inner parts of combos and grids follow their owner by themselves.
        for (QWidget* child : top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool editor = cellEditors.contains(child) || (top == fraChannels_ && child != gridXDSZ_);
            ctlLayout_.push_back({child, child->geometry(), child->font().pointSizeF(), editor});
        }
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!ctlLayout_.empty())
        applyProportionalLayout();
}

void MainWindow::applyProportionalLayout() {
    if (initialSize_.isEmpty())
        return;
    const qreal wr = qreal(width()) / initialSize_.width();
    const qreal hr = qreal(height()) / initialSize_.height();
    const qreal fr = std::min(wr, hr);
    // An open editor would no longer cover its cell.
    editing_->hideEditors();
    for (const ControlRecord& r : ctlLayout_) {
        QWidget* w = r.control;
        if (!w)
            continue;
        if (!r.placedByOthers) {
            qreal left = r.geometry.x() * wr;
            if (w->x() < 0)
                left = (w->x() + kParkOffset) * wr - kParkOffset;
            else if (r.geometry.x() < 0)
                left = (r.geometry.x() + kParkOffset) * wr;
            w->setGeometry(qRound(left), qRound(r.geometry.y() * hr), qRound(r.geometry.width() * wr),
                           qRound(r.geometry.height() * hr));
        }
        if (r.fontSize > 0) {
            qreal points = r.fontSize * fr;
            if (points > kSmallFont && points < kSmallFontLimit)
                points = kSmallFont;
            QFont f = w->font();
            f.setPointSizeF(points);
            w->setFont(f);
        }
    }
}
