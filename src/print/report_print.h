#pragma once

#include "config/error.h"
#include "print/report_layout.h"

class PagePicture;
class PageSurface;

// Prints the report on a paper surface the way the print command does: inches on the printer, the font
// scale factor from the preview picture against the paper, the report with page breaks, the end of the
// document. The picture is prepared as for a preview (it may be enlarged; *enlarged tells and records it).
Error printReport(PageSurface& printer, PagePicture& picture, bool* enlarged, const PaperInfo& paper,
                  const ReportData& report);

// The same pages as a PDF file (paper size from `paper`, the paper margin on every side), written through
// SafeFileWriter so that a failure leaves an existing file whole. *pages receives the page count when given.
Error writeReportPdf(const QString& path, const ReportData& report,
                     const PaperInfo& paper = PaperInfo::a4Portrait(), int* pages = nullptr);
