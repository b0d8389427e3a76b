// The report as drawn: fixed texts, table positions, page breaks and the preview page preparation, read back
// from a recording surface.
#include <QFontMetricsF>
#include <QtTest>

#include "print/page_picture.h"
#include "print/recording_surface.h"
#include "print/report_data.h"
#include "print/report_font.h"
#include "print/report_layout.h"

namespace {

// A grid of `channels` rows in a layout with a distinct text in every data cell; every tenth channel has its
// frequencies left empty, as a channel the user never filled.
ChannelTable labelledGrid(const QString& layout, int channels) {
    ChannelTable grid;
    grid.layOut(parseLayout(layout), channels);
    for (int r = 1; r <= channels; ++r) {
        for (int c = 1; c < grid.columnCount(); ++c) {
            if (r % 10 == 0 && (c == 1 || c == 2))
                continue;
            grid.setCell(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    }
    return grid;
}

RadioSettings startupSettings() {
    RadioSettings s;
    s.selectStartupDefaults();
    return s;
}

ReportData filledReport(const QString& layout, int channels) {
    return ReportData::snapshot(QStringLiteral("RC-16(U)"), QStringLiteral("400MHz---470MHz"),
                                startupSettings(), labelledGrid(layout, channels));
}

// The rows each printed page starts with, as the layout rules give them for a page height of 20: the first
// page holds rows 0-21, every later page 29 rows.
QList<int> expectedPageStarts(int rows) {
    QList<int> starts{0};
    for (int start = 22; start < rows; start += 29)
        starts << start;
    return starts;
}

// The room a recorded text takes on a surface of `inches`, measured here from its font at a printer's
// resolution: its advance and the font's line height, in the text's own units.
QSizeF roomOf(const TextItem& item, const QSizeF& inches) {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(1200 / 0.0254));
        image.setDotsPerMeterY(qRound(1200 / 0.0254));
        return image;
    }();
    const QFontMetricsF metrics(reportFont(item.fontName, item.bold, item.size), &device);
    return {metrics.horizontalAdvance(item.text) / 1200 / inches.width() * item.scale.width(),
            metrics.height() / 1200 / inches.height() * item.scale.height()};
}

// A table of tiny texts, which fits anywhere at the described positions.
ReportData tinyReport(int columns, int channels) {
    ReportData report;
    for (int r = 0; r <= channels; ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << (r == 0 ? QStringLiteral("信") : QStringLiteral("1"));
        report.table << row;
    }
    return report;
}

// A4 inside the paper margins, as a printer's drawable area.
const QSizeF kA4Inside((210 - 20) / 25.4, (297 - 20) / 25.4);
// The preview page, as drawn for 17 rows and enlarged for 100.
const QSizeF kPreviewPage(11085.0 / 1440, 8025.0 / 1440);
const QSizeF kEnlargedPage(11085.0 / 1440, 8025.0 * 3.5 / 1440);
// The font scale factor of the preview page against A4 portrait.
const double kA4Factor = 8025.0 / 1440 / (297 / 25.4);

} // namespace

class TestReportDrawing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fixedTexts_data();
    void fixedTexts();
    void emptySettingsLeaveLabelsAlone();
    void headingOnFirstPageOnly();
    void table_data();
    void table();
    void describedColumnsKeptWhenTheyFit_data();
    void describedColumnsKeptWhenTheyFit();
    void textsKeepApartAndInside_data();
    void textsKeepApartAndInside();
    void previewKeepsEnlargedSpace();
    void refusedPageStopsDrawing();
    void preparePageFactor_data();
    void preparePageFactor();
    void preparePageRowCounts_data();
    void preparePageRowCounts();
    void enlargementKeepsDrawing();
    void snapshot_data();
    void snapshot();
    void bandText_data();
    void bandText();
};

void TestReportDrawing::fixedTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("points");

    QTest::newRow("page heading") << QStringLiteral("本机设置数据第一页") << 2.3 << 1.3 << true << 30.0;
    QTest::newRow("settings heading") << QStringLiteral("一整机功能设置部份") << 2.3 << 2.0 << true << 28.0;
    QTest::newRow("model") << QStringLiteral("机型：RC-16(U)") << 1.5 << 3.0 << false << 25.0;
    QTest::newRow("range") << QStringLiteral("频率：400MHz---470MHz") << 4.0 << 3.0 << false << 25.0;
    QTest::newRow("monitor") << QStringLiteral("监听功能：打开") << 1.5 << 3.7 << false << 25.0;
    QTest::newRow("power saving") << QStringLiteral("省电功能：有效") << 4.0 << 3.7 << false << 25.0;
    QTest::newRow("beep") << QStringLiteral("提示音：打开") << 7.0 << 3.7 << false << 25.0;
    QTest::newRow("scrambling") << QStringLiteral("扰频功能：关闭") << 1.5 << 4.4 << false << 25.0;
    QTest::newRow("time-out") << QStringLiteral("发射限时：30s") << 4.0 << 4.4 << false << 25.0;
    QTest::newRow("squelch") << QStringLiteral("静噪等级：4") << 7.0 << 4.4 << false << 25.0;
    QTest::newRow("scan") << QStringLiteral("打描功能：有效") << 1.5 << 5.1 << false << 25.0;
    QTest::newRow("priority") << QStringLiteral("优先信道：1") << 4.0 << 5.1 << false << 25.0;
    QTest::newRow("voice") << QStringLiteral("语音报频：关") << 7.0 << 5.1 << false << 25.0;
    QTest::newRow("channel heading") << QStringLiteral("二信道数据设置部份") << 2.3 << 6.0 << true << 28.0;
}

void TestReportDrawing::fixedTexts() {
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, bold);
    QFETCH(double, points);

    const double factor = 0.4767;
    for (bool printing : {false, true}) {
        RecordingSurface surface;
        QVERIFY(!DrawReport(surface, factor, printing, filledReport(QStringLiteral("1"), 16)).isError());
        const TextItem* item = surface.find(text);
        QVERIFY2(item, qPrintable(text));
        QCOMPARE(item->page, 0);
        QCOMPARE(item->position.x(), x);
        QCOMPARE(item->position.y(), y);
        QCOMPARE(item->bold, bold);
        QCOMPARE(item->size, points * factor);
        QCOMPARE(item->fontName, QStringLiteral("宋体"));
        QCOMPARE(item->scale, QSizeF(10, 20));
    }
}

void TestReportDrawing::emptySettingsLeaveLabelsAlone() {
    ReportData report = ReportData::snapshot({}, {}, RadioSettings(), labelledGrid(QStringLiteral("0"), 16));
    RecordingSurface surface;
    QVERIFY(!DrawReport(surface, 1, true, report).isError());
    const QStringList labels{
        QStringLiteral("机型："),     QStringLiteral("频率："),     QStringLiteral("监听功能："),
        QStringLiteral("省电功能："), QStringLiteral("提示音："),   QStringLiteral("扰频功能："),
        QStringLiteral("发射限时："), QStringLiteral("静噪等级："), QStringLiteral("打描功能："),
        QStringLiteral("优先信道："), QStringLiteral("语音报频：")};
    for (const QString& label : labels)
        QVERIFY2(surface.find(label), qPrintable(label));
}

void TestReportDrawing::headingOnFirstPageOnly() {
    RecordingSurface surface;
    QVERIFY(!DrawReport(surface, 1, true, filledReport(QStringLiteral("0"), 99)).isError());
    QCOMPARE(surface.pageCount(), 4);
    int headings = 0;
    for (const TextItem& item : surface.items)
        headings += item.text == QStringLiteral("本机设置数据第一页") ? 1 : 0;
    QCOMPARE(headings, 1);
    QCOMPARE(surface.find(QStringLiteral("本机设置数据第一页"))->page, 0);
}

void TestReportDrawing::table_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("printing");
    QTest::addColumn<int>("pages");

    QTest::newRow("16 channels, layout 0, printed") << QStringLiteral("0") << 16 << true << 1;
    QTest::newRow("16 channels, layout 1, printed") << QStringLiteral("1") << 16 << true << 1;
    QTest::newRow("99 channels, layout 0, printed") << QStringLiteral("0") << 99 << true << 4;
    QTest::newRow("99 channels, layout 1, printed") << QStringLiteral("1") << 99 << true << 4;
    QTest::newRow("99 channels, layout 1, preview") << QStringLiteral("1") << 99 << false << 1;
    QTest::newRow("21 channels fill the first page") << QStringLiteral("0") << 21 << true << 1;
    QTest::newRow("22 channels need a second page") << QStringLiteral("0") << 22 << true << 2;
    QTest::newRow("50 channels fill the second page") << QStringLiteral("0") << 50 << true << 2;
    QTest::newRow("51 channels need a third page") << QStringLiteral("0") << 51 << true << 3;
}

// Walks the recorded items after the fixed texts: each page break brings the heading row over the columns
// of the first page, then every cell at its column's x, row under row at one pitch, all at one size.
void TestReportDrawing::table() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(bool, printing);
    QFETCH(int, pages);

    const ReportData report = filledReport(layout, channels);
    const double factor = 0.5;
    RecordingSurface surface;
    QVERIFY(!DrawReport(surface, factor, printing, report).isError());
    QCOMPARE(surface.pageCount(), pages);

    const QList<int> starts = printing ? expectedPageStarts(channels + 1) : QList<int>{0};
    QCOMPARE(starts.size(), pages);
    const int columns = layout == QLatin1String("1") ? 11 : 8;

    int next = 14; // the fixed texts come first
    QList<double> columnX;
    for (int j = 0; j < columns; ++j)
        columnX << surface.items.at(next + j).position.x();
    QCOMPARE(columnX.first(), 1.0);
    const double size = surface.items.at(next).size;
    QVERIFY(size > 0 && size <= 22 * factor);
    // Rows go down the page at one pitch, each row's cells on one line; a continuation page starts with the
    // heading row above its first row.
    int page = 0;
    double previousY = -1;
    double pitch = 0;
    for (int i = 0; i <= channels; ++i) {
        if (page + 1 < starts.size() && starts[page + 1] == i) {
            ++page;
            for (int j = 0; j < columns; ++j) {
                const TextItem& h = surface.items.at(next++);
                QCOMPARE(h.text, report.table[0][j]);
                QCOMPARE(h.page, page);
                QVERIFY(qFuzzyCompare(h.position.x(), columnX[j]));
                QCOMPARE(h.position.y(), surface.items.at(next - 1 - j).position.y());
            }
            previousY = surface.items.at(next - 1).position.y();
        }
        const double y = surface.items.at(next).position.y();
        if (previousY >= 0 && pitch == 0)
            pitch = y - previousY;
        if (previousY >= 0)
            QVERIFY2(pitch > 0 && qFuzzyCompare(y - previousY, pitch),
                     qPrintable(QStringLiteral("row %1").arg(i)));
        previousY = y;
        for (int j = 0; j < columns; ++j) {
            const TextItem& cell = surface.items.at(next++);
            QCOMPARE(cell.text, report.table[i][j]);
            QCOMPARE(cell.page, page);
            QVERIFY2(qFuzzyCompare(cell.position.x(), columnX[j]),
                     qPrintable(QString::number(cell.position.x())));
            QCOMPARE(cell.position.y(), y);
            QCOMPARE(cell.bold, false);
            QCOMPARE(cell.size, size);
            QCOMPARE(cell.scale, QSizeF(10, 20));
        }
    }
    QCOMPARE(next, surface.items.size());
    // Every printed row lies inside its 20-unit page.
    for (const TextItem& item : surface.items)
        QVERIFY(!printing || item.position.y() <= 19.6 + 1e-9);
}

void TestReportDrawing::describedColumnsKeptWhenTheyFit_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<double>>("x");
    QTest::newRow("8 columns") << 8 << QList<double>{1, 1.6, 2.8, 4, 4.8, 5.6, 6.4, 7.12};
    QTest::newRow("11 columns") << 11 << QList<double>{1, 1.6, 2.8, 4, 4.8, 5.6, 6.4, 7.12, 7.84, 8.56, 9.28};
}

void TestReportDrawing::describedColumnsKeptWhenTheyFit() {
    QFETCH(int, columns);
    QFETCH(QList<double>, x);
    RecordingSurface surface(kA4Inside);
    QVERIFY(!DrawReport(surface, kA4Factor, true, tinyReport(columns, 16)).isError());
    for (int j = 0; j < columns; ++j) {
        const TextItem& cell = surface.items.at(14 + columns + j); // row 1
        QVERIFY2(qFuzzyCompare(cell.position.x(), x[j]), qPrintable(QString::number(cell.position.x())));
        QCOMPARE(cell.size, 22 * kA4Factor);
    }
}

void TestReportDrawing::textsKeepApartAndInside_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QSizeF>("inches");
    QTest::addColumn<bool>("printing");

    for (const char* layout : {"0", "1"}) {
        for (int channels : {16, 99}) {
            const QString tag = QStringLiteral("layout %1, %2 channels, ").arg(layout).arg(channels);
            QTest::newRow(qPrintable(tag + "A4")) << layout << channels << kA4Inside << true;
            QTest::newRow(qPrintable(tag + "A4 landscape"))
                << layout << channels << kA4Inside.transposed() << true;
            QTest::newRow(qPrintable(tag + "preview"))
                << layout << channels << (channels == 99 ? kEnlargedPage : kPreviewPage) << false;
        }
    }
}

// Measured from the recorded texts: a gap of at least a fifth of an ideograph between every two texts of
// a line, lines that do not reach into the next one, and every text within the surface.
void TestReportDrawing::textsKeepApartAndInside() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(QSizeF, inches);
    QFETCH(bool, printing);

    RecordingSurface surface(inches);
    const bool enlarged = !printing && channels == 99;
    if (enlarged)
        surface.setScale(10, 70);
    QVERIFY(!DrawReport(surface, kA4Factor, printing, filledReport(layout, channels), enlarged).isError());

    for (int page = 0; page < surface.pageCount(); ++page) {
        QList<TextItem> items = surface.itemsOnPage(page);
        std::sort(items.begin(), items.end(), [](const TextItem& a, const TextItem& b) {
            return a.position.y() != b.position.y() ? a.position.y() < b.position.y()
                                                    : a.position.x() < b.position.x();
        });
        for (int k = 0; k < items.size(); ++k) {
            const TextItem& a = items[k];
            const QSizeF room = roomOf(a, inches);
            const QString where = QStringLiteral("page %1: %2").arg(page + 1).arg(a.text);
            QVERIFY2(a.position.x() >= 0 && a.position.x() + room.width() <= a.scale.width(),
                     qPrintable(where));
            QVERIFY2(
                a.position.y() >= 0 && a.position.y() + room.height() <= a.scale.height(),
                qPrintable(where + QStringLiteral(" at %1, %2 high").arg(a.position.y()).arg(room.height())));
            if (k + 1 == items.size())
                continue;
            const TextItem& b = items[k + 1];
            if (b.position.y() == a.position.y()) {
                const double gap =
                    roomOf(
                        TextItem{
                            QStringLiteral("一"), {}, a.scale, a.fontName, a.bold, a.size, a.color, a.page},
                        inches)
                        .width() /
                    5;
                QVERIFY2(b.position.x() - a.position.x() - room.width() >= gap,
                         qPrintable(where + QLatin1Char('|') + b.text));
            } else {
                QVERIFY2(b.position.y() - a.position.y() >= room.height(),
                         qPrintable(where + QLatin1Char('/') + b.text));
            }
        }
    }
}

void TestReportDrawing::previewKeepsEnlargedSpace() {
    RecordingSurface surface;
    surface.setScale(10, 70);
    const ReportData report = filledReport(QStringLiteral("0"), 99);
    QVERIFY(!DrawReport(surface, 1, false, report, true).isError());
    QCOMPARE(surface.pageCount(), 1);
    const TextItem& last = surface.items.last();
    QCOMPARE(last.text, report.table[99][7]);
    QCOMPARE(last.scale, QSizeF(10, 70));
    QVERIFY(qFuzzyCompare(last.position.y(), 66.4));

    // Printing never keeps it: paper pages are 20 units high.
    RecordingSurface printer;
    printer.setScale(10, 70);
    QVERIFY(!DrawReport(printer, 1, true, report, true).isError());
    QCOMPARE(printer.items.last().scale, QSizeF(10, 20));
    QCOMPARE(printer.pageCount(), 4);
}

void TestReportDrawing::refusedPageStopsDrawing() {
    RecordingSurface surface;
    surface.failNextPage();
    const Error e = DrawReport(surface, 1, true, filledReport(QStringLiteral("0"), 99));
    QCOMPARE(e.code, ErrorCode::PrinterError);
    QVERIFY(!e.description.isEmpty());
    QCOMPARE(surface.pageCount(), 1);
    // Nothing of row 22 onward was drawn.
    QVERIFY(!surface.find(QStringLiteral("r22c3")));
    QVERIFY(surface.find(QStringLiteral("r21c3")));
}

void TestReportDrawing::preparePageFactor_data() {
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<double>("factor");

    const double w = 11085.0 / 1440, h = 8025.0 / 1440;
    QTest::newRow("A4 portrait: height ratio") << QSizeF(8.2677, 11.6929) << h / 11.6929;
    QTest::newRow("A4 landscape: width ratio") << QSizeF(11.6929, 8.2677) << w / 11.6929;
    QTest::newRow("letter") << QSizeF(8.5, 11) << h / 11;
    QTest::newRow("paper shaped like the page") << QSizeF(w * 2, h * 2) << 0.5;
}

void TestReportDrawing::preparePageFactor() {
    QFETCH(QSizeF, paper);
    QFETCH(double, factor);
    PagePicture picture(PreviewPage::kWidthTwips, PreviewPage::kHeightTwips, 96);
    bool enlarged = false;
    const PreparedPage p = PreparePage(picture, {paper, QStringLiteral("宋体"), Qt::black}, "17", &enlarged);
    QVERIFY2(qFuzzyCompare(p.factor, factor), qPrintable(QString::number(p.factor)));
}

void TestReportDrawing::preparePageRowCounts_data() {
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("enlargedBefore");
    QTest::addColumn<QSizeF>("scale");
    QTest::addColumn<double>("heightTwips");
    QTest::addColumn<bool>("enlargedNow");

    const QSizeF inches(11085.0 / 1440, 8025.0 / 1440);
    QTest::newRow("17 rows") << "17" << false << QSizeF(10, 20) << 8025.0 << false;
    QTest::newRow("100 rows") << "100" << false << QSizeF(10, 70) << 28087.5 << true;
    QTest::newRow("100 rows, already enlarged") << "100" << true << inches << 8025.0 << false;
    QTest::newRow("9 rows: left in inches") << "9" << false << inches << 8025.0 << false;
}

void TestReportDrawing::preparePageRowCounts() {
    QFETCH(QString, rows);
    QFETCH(bool, enlargedBefore);
    QFETCH(QSizeF, scale);
    QFETCH(double, heightTwips);
    QFETCH(bool, enlargedNow);

    PagePicture picture(PreviewPage::kWidthTwips, PreviewPage::kHeightTwips, 96);
    bool enlarged = enlargedBefore;
    const PreparedPage p = PreparePage(picture, PaperInfo::a4Portrait(), rows, &enlarged);
    QCOMPARE(p.enlargedNow, enlargedNow);
    QCOMPARE(enlarged, enlargedBefore || enlargedNow);
    QCOMPARE(picture.heightTwips(), heightTwips);
    QCOMPARE(picture.image().height(), qRound(heightTwips / 15));
    QVERIFY(qFuzzyCompare(picture.scaleWidth(), scale.width()));
    QVERIFY(qFuzzyCompare(picture.scaleHeight(), scale.height()));
    QCOMPARE(picture.fontName(), QStringLiteral("宋体"));
    QCOMPARE(picture.foreColor(), QColor(Qt::black));
    // The factor is measured before the enlargement.
    QVERIFY(qFuzzyCompare(p.factor, 8025.0 / 1440 / PaperInfo::a4Portrait().inches.height()));
}

void TestReportDrawing::enlargementKeepsDrawing() {
    PagePicture picture(PreviewPage::kWidthTwips, PreviewPage::kHeightTwips, 96);
    picture.setScale(10, 20);
    picture.setFontSize(20);
    picture.setCurrentPosition(1, 1);
    picture.printText(QStringLiteral("信道"));
    const QImage before = picture.image();
    auto inked = [](const QImage& image, int fromRow, int toRow) {
        for (int y = fromRow; y < toRow; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    };
    QVERIFY(inked(before, 0, before.height()));
    picture.setHeightTwips(picture.heightTwips() * 3.5);
    QCOMPARE(picture.image().copy(0, 0, before.width(), before.height()), before);
    QVERIFY(!inked(picture.image(), before.height(), picture.image().height()));
}

void TestReportDrawing::snapshot_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("columns");

    QTest::newRow("16 channels, layout 0") << "0" << 16 << 8;
    QTest::newRow("16 channels, layout 1") << "1" << 16 << 11;
    QTest::newRow("99 channels, layout 0") << "0" << 99 << 8;
    QTest::newRow("99 channels, layout 1") << "1" << 99 << 11;
}

void TestReportDrawing::snapshot() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(int, columns);

    RadioSettings settings = startupSettings();
    QVERIFY(!settings.setIndex(RadioSettings::YYBP, 2).isError());
    QVERIFY(!settings.setIndex(RadioSettings::FuncTOT, 10).isError());
    const ChannelTable grid = labelledGrid(layout, channels);
    const ReportData report =
        ReportData::snapshot(QStringLiteral("band"), QStringLiteral("range"), settings, grid);

    const QStringList texts{QStringLiteral("band"), QStringLiteral("range"), QStringLiteral("打开"),
                            QStringLiteral("有效"), QStringLiteral("300s"),  QStringLiteral("4"),
                            QStringLiteral("有效"), QStringLiteral("英文"),  QStringLiteral("关闭"),
                            QStringLiteral("打开"), QStringLiteral("1")};
    for (int t = 0; t < ReportData::TextCount; ++t)
        QCOMPARE(report.texts[t], texts[t]);

    QCOMPARE(report.rowCount(), channels + 1);
    QCOMPARE(report.rowCountText(), QString::number(channels + 1));
    QStringList headings;
    for (const ChannelColumn& c : grid.columns())
        headings << c.header;
    QCOMPARE(report.table[0], headings);
    for (int r = 1; r <= channels; ++r) {
        QCOMPARE(report.table[r].size(), columns);
        QCOMPARE(report.table[r][0], QString::number(r));
        for (int c = 1; c < columns; ++c) {
            const QString expected =
                grid.cell(r, c).isEmpty() ? QStringLiteral("OFF") : QStringLiteral("r%1c%2").arg(r).arg(c);
            QCOMPARE(report.table[r][c], expected);
        }
    }
    QCOMPARE(report.table[10][1], QStringLiteral("OFF"));
    QCOMPARE(report.table[10][2], QStringLiteral("OFF"));
}

void TestReportDrawing::bandText_data() {
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("text");
    QTest::newRow("U") << 0 << QStringLiteral("RC-80(U)");
    QTest::newRow("V") << 1 << QStringLiteral("RC-80(V)");
    QTest::newRow("none") << -1 << QStringLiteral("RC-80");
}

void TestReportDrawing::bandText() {
    QFETCH(int, band);
    QFETCH(QString, text);
    CurrentModel model;
    model.strPc = QStringLiteral("RC-80");
    model.band = band;
    QCOMPARE(reportBandText(model), text);
}

QTEST_MAIN(TestReportDrawing)
#include "tst_report_drawing.moc"
