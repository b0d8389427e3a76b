#include "print/report_layout.h"

#include "config/error_texts.h"
#include "print/page_picture.h"
#include "print/page_surface.h"
#include "print/report_font.h"

namespace {

constexpr double kScaleWidth = 10;
constexpr double kPageHeight = 20;
constexpr double kEnlargedHeight = 70;

constexpr double kTableTop = 7; // y of row 0 on the first page and in the preview
constexpr double kRowStep = 0.6;
constexpr double kContinuationTop = 1.3; // y of the repeated heading row
constexpr double kTableFontSize = 22;

// A fixed text: the label, then the snapshot text drawn right after it (TextCount for none).
struct FixedText {
    const char16_t* label;
    ReportData::Text value;
    double x;
    double y;
    bool bold;
    double size;
};

constexpr ReportData::Text kNone = ReportData::TextCount;

const FixedText kFixedTexts[] = {
    {u"本机设置数据第一页", kNone, 2.3, 1.3, true, 30},
    {u"一整机功能设置部份", kNone, 2.3, 2, true, 28},
    {u"机型：", ReportData::PCmodel, 1.5, 3, false, 25},
    {u"频率：", ReportData::Lable2, 4, 3, false, 25},
    {u"监听功能：", ReportData::FuncM, 1.5, 3.7, false, 25},
    {u"省电功能：", ReportData::Sd, 4, 3.7, false, 25},
    {u"提示音：", ReportData::TSY, 7, 3.7, false, 25},
    {u"扰频功能：", ReportData::RPGN, 1.5, 4.4, false, 25},
    {u"发射限时：", ReportData::FuncT, 4, 4.4, false, 25},
    {u"静噪等级：", ReportData::FuncS, 7, 4.4, false, 25},
    {u"打描功能：", ReportData::FuncSa, 1.5, 5.1, false, 25},
    {u"优先信道：", ReportData::YXXD, 4, 5.1, false, 25},
    {u"语音报频：", ReportData::Yybp, 7, 5.1, false, 25},
    {u"二信道数据设置部份", kNone, 2.3, 6, true, 28},
};

void drawHeadingRow(PageSurface& surface, const ReportData& report) {
    if (report.table.isEmpty())
        return;
    const QStringList& headings = report.table.first();
    for (int j = 0; j < headings.size(); ++j) {
        surface.setCurrentPosition(repeatedHeadingX(j), kContinuationTop);
        surface.printText(headings[j]);
    }
}

} // namespace

PaperInfo PaperInfo::a4Portrait() {
    return {QSizeF(210 / 25.4, 297 / 25.4), kReportFontName, QColor(Qt::black)};
}

double reportColumnX(int column, double w) {
    static const double fractions[] = {1.0 / 10,  4.0 / 25,  7.0 / 25, 10.0 / 25,
                                       12.0 / 25, 14.0 / 25, 16.0 / 25};
    if (column < 7)
        return fractions[qMax(0, column)] * w;
    return 16 * w / 25 + 9 * w * (column - 6) / 125;
}

double repeatedHeadingX(int column) {
    if (column == 0)
        return 1;
    if (column == 1)
        return 1.6;
    return 2.9 + 1.2 * (column - 2);
}

PreparedPage PreparePage(PagePicture& picture, const PaperInfo& paper, const QString& rowCountText,
                         bool* enlarged) {
    const PaperInfo sheet = paper.isValid() ? paper : PaperInfo::a4Portrait();
    PreparedPage result;
    picture.setScaleModeInches();
    const double rh = picture.scaleHeight() / sheet.inches.height();
    const double rw = picture.scaleWidth() / sheet.inches.width();
    result.factor = rh < rw ? rh : rw;

    if (rowCountText == QLatin1String("100") && !*enlarged) {
        picture.setHeightTwips(picture.heightTwips() * PreviewPage::kEnlargement);
        picture.setScale(kScaleWidth, kEnlargedHeight);
        *enlarged = true;
        result.enlargedNow = true;
    } else if (rowCountText == QLatin1String("17")) {
        picture.setScale(kScaleWidth, kPageHeight);
    }
    picture.setFontName(sheet.fontName.isEmpty() ? kReportFontName : sheet.fontName);
    picture.setForeColor(sheet.foreColor.isValid() ? sheet.foreColor : QColor(Qt::black));
    return result;
}

Error DrawReport(PageSurface& surface, double factor, bool printing, const ReportData& report,
                 bool enlargedPreview) {
    if (printing || !enlargedPreview)
        surface.setScale(kScaleWidth, kPageHeight);

    for (const FixedText& t : kFixedTexts) {
        QString text = QString::fromUtf16(t.label);
        if (t.value != kNone)
            text += report.text(t.value);
        surface.setFontName(kReportFontName);
        surface.setFontBold(t.bold);
        surface.setFontSize(t.size * factor);
        surface.setCurrentPosition(t.x, t.y);
        surface.printText(text);
    }

    surface.setFontName(kReportFontName);
    surface.setFontBold(false);
    surface.setFontSize(kTableFontSize * factor);

    int pageStart = 0; // the row the current page began with; 0 while nothing has been broken
    int surfacePages = 0;
    for (int i = 0; i < report.table.size(); ++i) {
        const QStringList& row = report.table[i];
        for (int j = 0; j < row.size(); ++j) {
            const double pageHeight = surface.scaleHeight();
            if (printing && kTableTop + kRowStep * i > pageHeight) {
                if (pageStart == 0 || pageHeight - 1 < kContinuationTop + kRowStep * (i - pageStart + 1)) {
                    pageStart = i;
                    if (!surface.newPage()) {
                        return {ErrorCode::PrinterError, ErrorText::pageRefused(2 + surfacePages)};
                    }
                    ++surfacePages;
                    surface.setScale(kScaleWidth, kPageHeight);
                    drawHeadingRow(surface, report);
                }
            }
            const double x = reportColumnX(j, surface.scaleWidth());
            const double y =
                pageStart == 0 ? kTableTop + kRowStep * i : kContinuationTop + kRowStep * (i - pageStart + 1);
            surface.setCurrentPosition(x, y);
            surface.printText(row[j]);
        }
    }
    return Error::none();
}
