#pragma once

#include <QColor>
#include <QSizeF>
#include <QString>

#include "config/error.h"
#include "print/report_data.h"

class PageSurface;
class PagePicture;

// What the page preparation reads from the printer.
struct PaperInfo {
    QSizeF inches;    // paper width and height
    QString fontName; // the printer's font
    QColor foreColor; // the printer's fore colour

    bool isValid() const { return inches.width() > 0 && inches.height() > 0; }
    // Used when no printer is installed or a printer reports no paper size.
    static PaperInfo a4Portrait();
};

// The preview page at its design size, in twips.
namespace PreviewPage {
constexpr double kWidthTwips = 11085;
constexpr double kHeightTwips = 8025;
// A 100-row table needs a taller page.
constexpr double kEnlargement = 3.5;
} // namespace PreviewPage

struct PreparedPage {
    double factor = 1;        // font scale factor
    bool enlargedNow = false; // the picture was made taller by this call
};

// Prepares the preview picture and returns the font scale factor: the picture's size in inches against the
// paper's, the smaller of height and width ratio. A 100-row table enlarges the picture once (the flag tells
// whether it already is) to the coordinate space (0, 0)-(10, 70); a 17-row table gets (0, 0)-(10, 20).
PreparedPage PreparePage(PagePicture& picture, const PaperInfo& paper, const QString& rowCountText,
                         bool* enlarged);

// Draws the whole report. Only when printing is the table broken into pages, continuation pages starting
// with the heading row over the same columns as the table. The table keeps its described column positions
// while they leave a gap between every two columns and fit the surface's width; otherwise its columns are
// packed at equal gaps, and its text made smaller when it must, so that the table fits the width. A text
// never grows beyond its described size and shrinks only to stay clear of its neighbours. An enlarged
// preview keeps its taller coordinate space. Fails only when the surface refuses a new page.
Error DrawReport(PageSurface& surface, double factor, bool printing, const ReportData& report,
                 bool enlargedPreview = false);

// The described x of table column k for a surface of coordinate width w.
double reportColumnX(int column, double width);
