#include "print/report_print.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "config/error_texts.h"
#include "config/safe_file.h"
#include "print/page_picture.h"
#include "print/painter_surface.h"

Error printReport(PageSurface& printer, PagePicture& picture, bool* enlarged, const PaperInfo& paper,
                  const ReportData& report) {
    printer.setScaleModeInches();
    const PreparedPage prepared = PreparePage(picture, paper, report.rowCountText(), enlarged);
    const Error drawn = DrawReport(printer, prepared.factor, true, report);
    if (drawn.isError())
        return drawn;
    if (!printer.endDocument())
        return {ErrorCode::PrinterError, ErrorText::documentRefused()};
    return Error::none();
}

namespace {

QPageLayout pdfLayout(const QSizeF& inches) {
    // A page size is portrait by definition; wider paper is that size turned.
    const bool landscape = inches.width() > inches.height();
    const QSizeF portrait = landscape ? inches.transposed() : inches;
    return QPageLayout(QPageSize(portrait, QPageSize::Inch, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

Error writeReportPdf(const QString& path, const ReportData& report, const PaperInfo& paper, int* pages) {
    const PaperInfo sheet = paper.isValid() ? paper : PaperInfo::a4Portrait();
    SafeFileWriter file(path);
    if (Error e = file.open(); e.isError())
        return e;

    QPdfWriter writer(file.device());
    writer.setCreator(QStringLiteral("RadioCPS"));
    writer.setTitle(QStringLiteral("本机设置数据"));
    writer.setPageLayout(pdfLayout(sheet.inches));
    PagedPainterSurface surface(&writer);
    if (!surface.begin()) {
        file.cancel();
        return {ErrorCode::PrinterError, ErrorText::pdfNotCreated(path)};
    }
    PagePicture picture(PreviewPage::kWidthTwips, PreviewPage::kHeightTwips, 96);
    bool enlarged = false;
    const Error printed = printReport(surface, picture, &enlarged, sheet, report);
    if (printed.isError()) {
        surface.abort();
        file.cancel();
        return printed;
    }
    if (Error e = file.commit(); e.isError())
        return e;
    if (pages)
        *pages = surface.pageNumber() + 1;
    return Error::none();
}
