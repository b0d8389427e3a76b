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

// Where the table's columns go and how large its text is. The described column positions are kept while
// every column fits between its neighbours with a gap and the last one ends inside the page; otherwise the
// columns follow each other at equal gaps, at a smaller size when even that is too wide.
struct TableLayout {
    double size = 0;
    QVector<double> x;
};

// Half an ideograph keeps two texts visibly apart.
double gapOf(const PageSurface& surface) {
    return surface.textSize(QStringLiteral("一")).width() / 2;
}

// The size at which a text fits a box, never larger than `size`.
double fittedSize(PageSurface& surface, const QString& text, double size, double width, double height) {
    auto fits = [&](double points) {
        surface.setFontSize(points);
        const QSizeF room = surface.textSize(text);
        return room.width() <= width && room.height() <= height;
    };
    if (fits(size))
        return size;
    const QSizeF room = surface.textSize(text);
    double scale = 1;
    if (room.width() > width)
        scale = qMin(scale, qMax(0.0, width) / room.width());
    if (room.height() > height)
        scale = qMin(scale, qMax(0.0, height) / room.height());
    // Font metrics do not grow quite linearly with the size; a few small steps take up the rest.
    double fitted = size * scale;
    for (int step = 0; step < 10 && fitted > 0 && !fits(fitted); ++step)
        fitted *= 0.99;
    return fitted;
}

// Where each row goes: its page and y. Only printing breaks the table into pages of `pageHeight`; the first
// page holds the rows that start within it, every later page the rows that start a unit above its bottom.
struct RowPlace {
    int page;
    double y;
};

QVector<RowPlace> placeRows(int rows, bool printing, double pageHeight) {
    QVector<RowPlace> places;
    int page = 0;
    int pageStart = 0; // the row the current page began with; 0 while nothing has been broken
    for (int i = 0; i < rows; ++i) {
        if (printing && kTableTop + kRowStep * i > pageHeight) {
            if (pageStart == 0 || pageHeight - 1 < kContinuationTop + kRowStep * (i - pageStart + 1)) {
                pageStart = i;
                ++page;
            }
        }
        const double y =
            pageStart == 0 ? kTableTop + kRowStep * i : kContinuationTop + kRowStep * (i - pageStart + 1);
        places.append({page, y});
    }
    return places;
}

// The table's columns and size; a row's text stays within `rowRoom` of height.
TableLayout layOutTable(PageSurface& surface, const ReportData& report, double size, double rowRoom) {
    TableLayout layout;
    const double w = surface.scaleWidth();
    layout.size = fittedSize(surface, QStringLiteral("一"), size, w, rowRoom);
    surface.setFontSize(layout.size);

    int columns = 0;
    for (const QStringList& row : report.table)
        columns = qMax(columns, int(row.size()));
    if (columns == 0)
        return layout;
    QVector<double> widths(columns, 0);
    for (const QStringList& row : report.table) {
        for (int j = 0; j < row.size(); ++j)
            widths[j] = qMax(widths[j], surface.textSize(row[j]).width());
    }
    const double gap = gapOf(surface);
    const double left = reportColumnX(0, w);
    const double right = w - gap;

    layout.x.resize(columns);
    layout.x[0] = left;
    for (int j = 1; j < columns; ++j)
        layout.x[j] = qMax(reportColumnX(j, w), layout.x[j - 1] + widths[j - 1] + gap);
    if (layout.x.last() + widths.last() <= right)
        return layout;

    double packed = gap * (columns - 1);
    for (double width : widths)
        packed += width;
    double spare = 0;
    double scale = 1;
    if (left + packed <= right)
        spare = columns > 1 ? (right - left - packed) / (columns - 1) : 0;
    else
        scale = (right - left) / packed;
    layout.size *= scale;
    for (int j = 1; j < columns; ++j)
        layout.x[j] = layout.x[j - 1] + (widths[j - 1] + gap) * scale + spare;
    return layout;
}

void drawRow(PageSurface& surface, const QStringList& row, const TableLayout& layout, double y) {
    for (int j = 0; j < row.size() && j < layout.x.size(); ++j) {
        surface.setCurrentPosition(layout.x[j], y);
        surface.printText(row[j]);
    }
}

// The room a fixed text has: up to the next text on its line (or the page's right edge) and down to the next
// line (or the table).
QSizeF fixedTextRoom(const FixedText& t, double width, double gap) {
    double right = width;
    double below = kTableTop;
    for (const FixedText& other : kFixedTexts) {
        if (other.y == t.y && other.x > t.x)
            right = qMin(right, other.x);
        if (other.y > t.y)
            below = qMin(below, other.y);
    }
    return {right - gap - t.x, below - t.y};
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
        const QSizeF room = fixedTextRoom(t, surface.scaleWidth(), gapOf(surface));
        surface.setFontSize(fittedSize(surface, text, t.size * factor, room.width(), room.height()));
        surface.setCurrentPosition(t.x, t.y);
        surface.printText(text);
    }

    surface.setFontName(kReportFontName);
    surface.setFontBold(false);
    const QVector<RowPlace> places = placeRows(int(report.table.size()), printing, surface.scaleHeight());
    double lowest = 0;
    for (const RowPlace& p : places)
        lowest = qMax(lowest, p.y);
    // Rows below the bottom of an unenlarged preview are not seen; they do not shrink the table.
    const double rowRoom =
        lowest < surface.scaleHeight() ? qMin(kRowStep, surface.scaleHeight() - lowest) : kRowStep;
    const TableLayout layout = layOutTable(surface, report, kTableFontSize * factor, rowRoom);
    surface.setFontSize(layout.size);

    int page = 0;
    for (int i = 0; i < report.table.size(); ++i) {
        if (places[i].page != page) {
            if (!surface.newPage())
                return {ErrorCode::PrinterError, ErrorText::pageRefused(places[i].page + 1)};
            page = places[i].page;
            surface.setScale(kScaleWidth, kPageHeight);
            // Each continuation page repeats the headings over their own columns.
            drawRow(surface, report.table.first(), layout, kContinuationTop);
        }
        drawRow(surface, report.table[i], layout, places[i].y);
    }
    return Error::none();
}
