#include "ui/preview_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QScreen>
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
// One step of the arrows is about a table row on the page; a page step is the viewport.
constexpr int kScrollSingleStep = 240;

} // namespace

QRect fitWindow(const QSize& client, const QMargins& frame, const QRect& available) {
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    const QSize size = client.boundedTo(room).expandedTo(QSize(1, 1));
    // Centred on the available area, frame included.
    const QPoint topLeft(available.left() + frame.left() + qMax(0, room.width() - size.width()) / 2,
                         available.top() + frame.top() + qMax(0, room.height() - size.height()) / 2);
    return {topLeft, size};
}

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

    viewport_ = new QWidget(this);
    viewport_->setObjectName(QStringLiteral("Picture2"));

    page_ = new PagePictureView(&picture_, viewport_);
    page_->setObjectName(QStringLiteral("Picture1"));
    placePicture();

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("VScroll1"));
    scrollBar_->setSingleStep(kScrollSingleStep);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &PreviewWindow::scrolled);

    resize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    layOutControls();
    if (const QScreen* s = parent ? parent->screen() : screen())
        fitToScreen(s->availableGeometry());
}

void PreviewWindow::fitToScreen(const QRect& available) {
    // Before the window is shown its frame is unknown; the main window wears the same decoration.
    QMargins frame;
    if (const QWidget* host = parentWidget() ? parentWidget()->window() : nullptr; host && host->isVisible())
        frame = QMargins(host->geometry().left() - host->frameGeometry().left(),
                         host->geometry().top() - host->frameGeometry().top(),
                         host->frameGeometry().right() - host->geometry().right(),
                         host->frameGeometry().bottom() - host->geometry().bottom());
    const QSize design(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    setGeometry(fitWindow(design, frame, available));
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutControls();
}

void PreviewWindow::layOutControls() {
    // At the design size every control sits where it was designed; a resize moves the scroll bar with the
    // right edge and lets the viewport take the rest of the window.
    const int w = width();
    const int h = height();
    const int viewportWidth = w - twipsToPixels(kClientWidth - kViewportWidth);
    const int viewportHeight = h - twipsToPixels(kClientHeight - kViewportHeight);
    viewport_->setGeometry(0, 0, qMax(0, viewportWidth), qMax(0, viewportHeight));
    scrollBar_->setGeometry(w - twipsToPixels(kClientWidth - kScrollLeft), twipsToPixels(kScrollTop),
                            twipsToPixels(kScrollWidth), qMax(0, viewportHeight));
    scrollBar_->setPageStep(qMax(1, qRound(viewportHeight * 1440.0 / dpi_)));
}

int PreviewWindow::twipsToPixels(double twips) const {
    return qRound(twips * dpi_ / 1440.0);
}

void PreviewWindow::load() {
    scrollBar_->setRange(0, int(kViewportHeight));
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
