#include "ui/grid_sizing.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <QtMath>
#include <algorithm>

namespace {

// Design sizes in pixels at the design font.
constexpr int kRowHeight = 20;
constexpr int kNumberColumnWidth = 36;
constexpr int kFrequencyColumnWidth = 76;
// The widest texts of the fixed columns: a three-digit channel number and a formatted frequency.
const char* const kWidestNumber = "999";
const char* const kWidestFrequency = "000.00000";

int scaled(int designPixels, qreal ratio) {
    return qRound(designPixels * ratio);
}

} // namespace

void GridSizing::fitToFont(QTableView* grid) {
    const QFont font = grid->font();
    const qreal ratio = font.pointSizeF() > 0 ? font.pointSizeF() / kDesignFontPoints : 1.0;
    const QFontMetrics metrics(font);
    // The item delegate keeps a focus-frame margin on either side of the text.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const auto fitting = [&](int designPixels, const char* widest) {
        return std::max(scaled(designPixels, ratio),
                        metrics.horizontalAdvance(QString::fromLatin1(widest)) + margins);
    };

    QHeaderView* rows = grid->verticalHeader();
    const int rowHeight = std::max(scaled(kRowHeight, ratio), metrics.height() + margins);
    rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), rowHeight));
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView* columns = grid->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Stretch);
    if (columns->count() <= 2)
        return;
    columns->setSectionResizeMode(0, QHeaderView::Fixed);
    columns->resizeSection(0, fitting(kNumberColumnWidth, kWidestNumber));
    for (int c : {1, 2}) {
        columns->setSectionResizeMode(c, QHeaderView::Fixed);
        columns->resizeSection(c, fitting(kFrequencyColumnWidth, kWidestFrequency));
    }
}
