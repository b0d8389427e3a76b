#pragma once

#include <QWidget>

#include "config/error.h"
#include "print/page_picture.h"
#include "print/report_data.h"
#include "print/report_layout.h"

class QScrollBar;
class PrinterAccess;

// Picture1: shows the preview page, which keeps its drawing; the widget only paints it.
class PagePictureView : public QWidget {
    Q_OBJECT
public:
    PagePictureView(const PagePicture* picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PagePicture* picture_;
};

// Where a window of a client size goes on a screen's available area when its frame takes `frame` around
// the client: centred, and no larger than the area allows.
QRect fitWindow(const QSize& client, const QMargins& frame, const QRect& available);

// frmPreview ("打印预览"): the settings report on a white page that scrolls vertically inside the viewport
// Picture2. Loaded hidden with blnPrint set, the same window drives printing. It opens at its design size
// (twips converted at the screen's resolution) where the screen's available area allows, smaller where
// not; on a resize the viewport takes the window's new size and the scroll bar follows the right edge.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Set before load(): the snapshot to draw and the paper the page is prepared against.
    void setReport(const ReportData& report) { report_ = report; }
    const ReportData& report() const { return report_; }
    void setPaper(const PaperInfo& paper) { paper_ = paper; }

    // true while the window is used only to print: loading then draws nothing.
    bool blnPrint = false;

    // Loading: the scroll bar's maximum and height from the viewport, the grid's row count, the preview
    // unless printing.
    void load();
    // Draws the report on the page picture.
    void Preview();
    // Prints the report on the default printer and unloads the window. On failure the error says what
    // failed and nothing is sent.
    Error PrintF(const PrinterAccess& printers);

    const PagePicture& picture() const { return picture_; }
    bool isEnlarged() const { return enlarged_; }
    QString rowCountText() const { return rowCountText_; }
    double pictureTopTwips() const { return pictureTop_; }
    int twipsToPixels(double twips) const;
    // Sizes and places the window within a screen's available area.
    void fitToScreen(const QRect& available);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutControls();
    void scrolled(int value);
    void placePicture();

    ReportData report_;
    PaperInfo paper_ = PaperInfo::a4Portrait();
    double dpi_;
    PagePicture picture_;
    QString rowCountText_;
    bool enlarged_ = false;
    double pictureTop_;
    QWidget* viewport_;
    PagePictureView* page_;
    QScrollBar* scrollBar_;
};
