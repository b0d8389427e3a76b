#include "ui/preview_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include "print/report_print.h"
#include "texts/ui_texts.h"
#include "ui/printer_surface.h"

namespace {

// Design sizes and positions, in twips.
constexpr double kClientWidth = 11340;
constexpr double kClientHeight = 7980;
constexpr double kViewportWidth = 11085;
constexpr double kViewportHeight = 7965;
constexpr double kPictureLeft = -30;
constexpr double kPictureTop = -30;
constexpr double kScrollLeft = 11100;
constexpr double kScrollTop = -30;
constexpr double kScrollWidth = 255;
constexpr double kScrollHeight = 7995;
// One step of the arrows is about a table row on the page; a page step is the viewport.
constexpr int kScrollSingleStep = 240;

} // namespace

PagePictureView::PagePictureView(const PagePicture* picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PagePictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), picture_->image());
}

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), dpi_(logicalDpiY() > 0 ? logicalDpiY() : 96),
      picture_(PreviewPage::kWidthTwips, PreviewPage::kHeightTwips, dpi_), pictureTop_(kPictureTop) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(ReportText::PreviewCaption);
    resize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    viewport_ = new QWidget(this);
    viewport_->setObjectName(QStringLiteral("Picture2"));
    viewport_->setGeometry(0, 0, twipsToPixels(kViewportWidth), twipsToPixels(kViewportHeight));

    page_ = new PagePictureView(&picture_, viewport_);
    page_->setObjectName(QStringLiteral("Picture1"));
    placePicture();

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("VScroll1"));
    scrollBar_->setGeometry(twipsToPixels(kScrollLeft), twipsToPixels(kScrollTop),
                            twipsToPixels(kScrollWidth), twipsToPixels(kScrollHeight));
    scrollBar_->setSingleStep(kScrollSingleStep);
    scrollBar_->setPageStep(int(kViewportHeight));
    connect(scrollBar_, &QScrollBar::valueChanged, this, &PreviewWindow::scrolled);
}

int PreviewWindow::twipsToPixels(double twips) const {
    return qRound(twips * dpi_ / 1440.0);
}

void PreviewWindow::load() {
    const int maximum = int(kViewportHeight);
    scrollBar_->setRange(0, maximum);
    scrollBar_->resize(scrollBar_->width(), twipsToPixels(maximum));
    rowCountText_ = report_.rowCountText();
    if (!blnPrint)
        Preview();
}

void PreviewWindow::Preview() {
    const PreparedPage prepared = PreparePage(picture_, paper_, rowCountText_, &enlarged_);
    if (prepared.enlargedNow)
        scrollBar_->setMaximum(qRound(picture_.heightTwips()));
    // The picture draws nothing that could refuse; only a printer can fail here.
    DrawReport(picture_, prepared.factor, false, report_, enlarged_);
    placePicture();
    page_->update();
}

Error PreviewWindow::PrintF(const PrinterAccess& printers) {
    const std::unique_ptr<QPrinter> printer = printers.createPrinter();
    if (!printer)
        return {ErrorCode::PrinterError, ReportText::NoDefaultPrinter};
    PrinterSurface surface(*printer);
    if (!surface.begin()) {
        return {ErrorCode::PrinterError, ReportText::PrinterWontOpen.arg(printer->printerName())};
    }
    const Error printed = printReport(surface, picture_, &enlarged_, paperOf(*printer), report_);
    if (printed.isError()) {
        surface.abort();
        return printed;
    }
    close();
    return Error::none();
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    enlarged_ = false;
    QWidget::closeEvent(event);
}

void PreviewWindow::scrolled(int value) {
    pictureTop_ = -value;
    // The page grows as it is scrolled, so that its lower edge never rises above the scroll range.
    if (pictureTop_ + picture_.heightTwips() < scrollBar_->maximum())
        picture_.setHeightTwips(value + picture_.heightTwips());
    placePicture();
}

void PreviewWindow::placePicture() {
    page_->setGeometry(twipsToPixels(kPictureLeft), twipsToPixels(pictureTop_), picture_.image().width(),
                       picture_.image().height());
}
