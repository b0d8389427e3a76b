// The report as a PDF: page count, every text readable back with pdftotext, the heading row repeated at
// the top of continuation pages over its columns, the paper margins, and the report command of radiocps-cli.
#include <QFontDatabase>
#include <QtTest>

#include "../support/pdf_pages.h"

#include "print/report_data.h"
#include "print/report_print.h"

namespace {

ChannelTable plausibleGrid(const QString& layout, int channels) {
    ChannelTable grid;
    grid.layOut(parseLayout(layout), channels);
    const QStringList signalling{QStringLiteral("67.0"), QStringLiteral("D023N"), QStringLiteral("OFF"),
                                 QStringLiteral("D754I"), QStringLiteral("254.1")};
    for (int r = 1; r <= channels; ++r) {
        if (r % 7 != 0) { // every seventh channel keeps its frequencies empty
            grid.setCell(r, 1,
                         QStringLiteral("%1.%2").arg(400 + r).arg(r * 125 % 100000, 5, 10, QLatin1Char('0')));
            grid.setCell(r, 2,
                         QStringLiteral("%1.%2").arg(401 + r).arg(r * 250 % 100000, 5, 10, QLatin1Char('0')));
        }
        grid.setCell(r, 3, signalling[r % signalling.size()]);
        grid.setCell(r, 4, signalling[(r + 2) % signalling.size()]);
        for (int c = 5; c < grid.columnCount(); ++c)
            grid.setCell(r, c,
                         grid.columns()[c].items.value(r % qMax(1, int(grid.columns()[c].items.size()))));
    }
    return grid;
}

ReportData report(const QString& layout, int channels) {
    RadioSettings settings;
    settings.selectStartupDefaults();
    return ReportData::snapshot(QStringLiteral("RC-99(V)"), QStringLiteral("136MHz---174MHz"), settings,
                                plausibleGrid(layout, channels));
}

// Where the report is set in a face that shares glyphs between ideographs and radicals (the report prefers
// one that does not), pdftotext reads a few ideographs as radicals. The layout checks compare both the text
// read back and the texts looked for in compatibility form, with the one radical that has none mapped.
QString foldRadicals(QString text) {
    text = text.normalized(QString::NormalizationForm_KC);
    text.replace(QChar(0x2EDA), QChar(0x9875)); // 页
    return text;
}

QString pdfText(const QString& pdf, int page = 0, bool fold = true) {
    QStringList args{QStringLiteral("-raw")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    return fold ? foldRadicals(text) : text;
}

// The words of one page in lines: words whose tops lie within a point of each other, top to bottom, each
// line left to right.
QList<QList<PdfWord>> pdfLines(const QList<PdfWord>& words, int page) {
    QList<QList<PdfWord>> lines;
    for (const PdfWord& w : words) {
        if (w.page != page)
            continue;
        auto line = std::find_if(lines.begin(), lines.end(), [&](const QList<PdfWord>& l) {
            return qAbs(l.first().box.top() - w.box.top()) < 1;
        });
        if (line == lines.end())
            lines.append({w});
        else
            line->append(w);
    }
    for (QList<PdfWord>& l : lines)
        std::sort(l.begin(), l.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    std::sort(lines.begin(), lines.end(), [](const QList<PdfWord>& a, const QList<PdfWord>& b) {
        return a.first().box.top() < b.first().box.top();
    });
    return lines;
}

QStringList textsOf(const QList<PdfWord>& line) {
    QStringList texts;
    for (const PdfWord& w : line)
        texts << foldRadicals(w.text);
    return texts;
}

QStringList folded(const QStringList& texts) {
    QStringList out;
    for (const QString& t : texts)
        out << foldRadicals(t);
    return out;
}

bool umingInstalled() {
    return QFontDatabase::families().contains(QStringLiteral("AR PL UMing CN"));
}

// The cells of a row in their order, separated by white space.
QRegularExpression rowPattern(const QStringList& cells) {
    QStringList escaped;
    for (const QString& c : cells)
        escaped << QRegularExpression::escape(foldRadicals(c));
    return QRegularExpression(QStringLiteral("(^|\\n)") + escaped.join(QStringLiteral("\\s*")) +
                              QStringLiteral("\\s*(\\n|$)"));
}

} // namespace

class TestReportPdf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pages_data();
    void pages();
    void geometry_data();
    void geometry();
    void textReadsBack();
    void unwritableFileKeepsNothing();
    void cli_data();
    void cli();

private:
    QTemporaryDir dir_;
};

void TestReportPdf::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed");
    QVERIFY(dir_.isValid());
}

void TestReportPdf::pages_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QList<int>>("pageStarts");

    QTest::newRow("16 channels, layout 0") << "0" << 16 << QList<int>{0};
    QTest::newRow("16 channels, layout 1") << "1" << 16 << QList<int>{0};
    QTest::newRow("99 channels, layout 0") << "0" << 99 << QList<int>{0, 22, 51, 80};
    QTest::newRow("99 channels, layout 1") << "1" << 99 << QList<int>{0, 22, 51, 80};
}

void TestReportPdf::pages() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(QList<int>, pageStarts);

    const ReportData data = report(layout, channels);
    const QString pdf = dir_.filePath(QStringLiteral("report-%1-%2.pdf").arg(layout).arg(channels));
    int pages = 0;
    const Error e = writeReportPdf(pdf, data, PaperInfo::a4Portrait(), &pages);
    QVERIFY2(!e.isError(), qPrintable(e.description));
    QCOMPARE(pages, pageStarts.size());
    QCOMPARE(pdfPages(pdf), pageStarts.size());

    const QString first = pdfText(pdf, 1);
    QVERIFY(first.contains(foldRadicals(QStringLiteral("本机设置数据第一页"))));
    const QStringList settings{QStringLiteral("机型：RC-99(V)"),    QStringLiteral("频率：136MHz---174MHz"),
                               QStringLiteral("监听功能：打开"),    QStringLiteral("省电功能：有效"),
                               QStringLiteral("提示音：打开"),      QStringLiteral("扰频功能：关闭"),
                               QStringLiteral("发射限时：30s"),     QStringLiteral("静噪等级：4"),
                               QStringLiteral("打描功能：有效"),    QStringLiteral("优先信道：1"),
                               QStringLiteral("语音报频：关"),      QStringLiteral("一整机功能设置部份"),
                               QStringLiteral("二信道数据设置部份")};
    for (const QString& s : settings)
        QVERIFY2(first.contains(foldRadicals(s)), qPrintable(s));

    // Every row on its page; the pages after the first begin with the whole heading row.
    const QStringList& headings = data.table[0];
    for (int p = 0; p < pageStarts.size(); ++p) {
        const QString text = p == 0 ? first : pdfText(pdf, p + 1);
        const int end = p + 1 < pageStarts.size() ? pageStarts[p + 1] : channels + 1;
        for (int i = pageStarts[p]; i < end; ++i)
            QVERIFY2(text.contains(rowPattern(data.table[i])),
                     qPrintable(QStringLiteral("page %1 row %2").arg(p + 1).arg(i)));
        if (p > 0) {
            QVERIFY2(text.startsWith(foldRadicals(headings.join(QLatin1Char(' ')))),
                     qPrintable(text.left(80)));
            QVERIFY(!text.contains(foldRadicals(QStringLiteral("本机设置数据第一页"))));
            QVERIFY(!text.contains(rowPattern(data.table[pageStarts[p] - 1])));
        }
    }
}

void TestReportPdf::geometry_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QSizeF>("paper"); // inches

    const QSizeF a4(210 / 25.4, 297 / 25.4);
    QTest::newRow("16 channels, layout 0, A4") << "0" << 16 << a4;
    QTest::newRow("16 channels, layout 1, A4") << "1" << 16 << a4;
    QTest::newRow("99 channels, layout 0, A4") << "0" << 99 << a4;
    QTest::newRow("99 channels, layout 1, A4") << "1" << 99 << a4;
    QTest::newRow("99 channels, layout 1, A4 landscape") << "1" << 99 << a4.transposed();
    QTest::newRow("99 channels, layout 1, A5") << "1" << 99 << QSizeF(148 / 25.4, 210 / 25.4);
    QTest::newRow("16 channels, layout 1, letter") << "1" << 16 << QSizeF(8.5, 11);
}

// What the paper shows, read back with pdftotext -bbox: every word at least 10 mm inside the page, every
// page with the whole heading row, each heading over the left edge of its column's cells, and a visible gap
// between every two headings and cells of a line.
void TestReportPdf::geometry() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(QSizeF, paper);

    const ReportData data = report(layout, channels);
    const QString pdf = dir_.filePath(QStringLiteral("geometry-%1.pdf").arg(QTest::currentDataTag()));
    int pages = 0;
    const Error e = writeReportPdf(pdf, data, {paper, QStringLiteral("宋体"), Qt::black}, &pages);
    QVERIFY2(!e.isError(), qPrintable(e.description));
    const QList<PdfWord> words = pdfWords(pdf);
    QVERIFY(!words.isEmpty());

    const double margin = 10 / 25.4 * 72 - 0.5; // pdftotext rounds its boxes
    for (const PdfWord& w : words) {
        const QRectF inside = QRectF(QPointF(0, 0), w.pageSize).adjusted(margin, margin, -margin, -margin);
        QVERIFY2(inside.contains(w.box), qPrintable(QStringLiteral("page %1: %2 at %3,%4-%5,%6")
                                                        .arg(w.page + 1)
                                                        .arg(w.text)
                                                        .arg(w.box.left())
                                                        .arg(w.box.top())
                                                        .arg(w.box.right())
                                                        .arg(w.box.bottom())));
    }

    const QStringList headings = folded(data.table[0]);
    const int columns = headings.size();
    int tableLines = 0;
    for (int page = 0; page < pages; ++page) {
        const QList<QList<PdfWord>> lines = pdfLines(words, page);
        const auto headingLine = std::find_if(
            lines.begin(), lines.end(), [&](const QList<PdfWord>& l) { return textsOf(l) == headings; });
        QVERIFY2(headingLine != lines.end(), qPrintable(QStringLiteral("headings on page %1").arg(page + 1)));
        for (auto line = headingLine; line != lines.end(); ++line) {
            QCOMPARE(line->size(), columns);
            ++tableLines;
            for (int j = 0; j < columns; ++j) {
                QVERIFY2(qAbs(line->at(j).box.left() - headingLine->at(j).box.left()) < 0.5,
                         qPrintable(QStringLiteral("page %1 column %2: %3 not under %4")
                                        .arg(page + 1)
                                        .arg(j)
                                        .arg(line->at(j).text, headingLine->at(j).text)));
                if (j > 0)
                    QVERIFY2(line->at(j).box.left() - line->at(j - 1).box.right() >= 2,
                             qPrintable(line->at(j - 1).text + QLatin1Char('|') + line->at(j).text));
            }
        }
    }
    QCOMPARE(tableLines, channels + 1 + pages - 1);
}

// Searching a saved report finds what it shows: the report's face maps every glyph back to the ideograph
// drawn, not to a radical that shares its shape.
void TestReportPdf::textReadsBack() {
    if (!umingInstalled())
        QSKIP("AR PL UMing is not installed (fonts-arphic-uming, scripts/deps)");
    const ReportData data = report(QStringLiteral("1"), 99);
    const QString pdf = dir_.filePath(QStringLiteral("search.pdf"));
    QVERIFY(!writeReportPdf(pdf, data).isError());
    const QString text = pdfText(pdf, 0, false);
    const QStringList wanted{QStringLiteral("本机设置数据第一页"),
                             QStringLiteral("语音报频"),
                             QStringLiteral("一整机功能设置部份"),
                             QStringLiteral("二信道数据设置部份"),
                             QStringLiteral("提示音"),
                             data.table[0].join(QLatin1Char(' '))};
    for (const QString& w : wanted)
        QVERIFY2(text.contains(w), qPrintable(w));
}

void TestReportPdf::unwritableFileKeepsNothing() {
    const QString folder = dir_.filePath(QStringLiteral("missing-folder"));
    const Error e = writeReportPdf(folder + QStringLiteral("/report.pdf"), report(QStringLiteral("0"), 16));
    QCOMPARE(e.code, ErrorCode::PathNotFound);
    QVERIFY(e.description.contains(folder));
    QVERIFY(!QFileInfo::exists(folder));
}

void TestReportPdf::cli_data() {
    QTest::addColumn<QStringList>("args"); // %pdf and %dir are replaced
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("pages");

    const QString samples = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/");
    QTest::newRow("16 channels") << QStringList{samples + "demo-16.qfd", "--pdf", "%pdf"} << 0 << 1;
    QTest::newRow("99 channels") << QStringList{samples + "rc996-99.qfd", "--pdf", "%pdf"} << 0 << 4;
    QTest::newRow("with --config") << QStringList{samples + "rc996-99.qfd", "--config",
                                                  QStringLiteral(RADIOCPS_SOURCE_DIR "/data/Sfc.ini"),
                                                  "--pdf", "%pdf"}
                                   << 0 << 4;
    QTest::newRow("no --pdf") << QStringList{samples + "demo-16.qfd"} << 2 << 0;
    QTest::newRow("no file") << QStringList{"--pdf", "%pdf"} << 2 << 0;
    QTest::newRow("missing file") << QStringList{"%dir/none.qfd", "--pdf", "%pdf"} << 1 << 0;
}

void TestReportPdf::cli() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(int, pages);

    const QString cli = QStringLiteral(RADIOCPS_BIN_DIR "/radiocps-cli");
    if (!QFile::exists(cli))
        QSKIP("radiocps-cli is not built");
    const QString pdf = dir_.filePath(QStringLiteral("cli-%1.pdf").arg(QTest::currentDataTag()));
    for (QString& a : args)
        a.replace(QStringLiteral("%pdf"), pdf).replace(QStringLiteral("%dir"), dir_.path());
    QProcess p;
    p.start(cli, QStringList{QStringLiteral("report")} + args);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), exitCode);
    if (exitCode != 0) {
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(!p.readAllStandardError().isEmpty());
        return;
    }
    QCOMPARE(pdfPages(pdf), pages);
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(foldRadicals(QStringLiteral("机型：RC-"))));
    QVERIFY(text.contains(foldRadicals(QStringLiteral("信道"))));
    QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(QString::number(pages)));
}

QTEST_MAIN(TestReportPdf)
#include "tst_report_pdf.moc"
