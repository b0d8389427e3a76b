// The preview window and the two report commands, driven through a scripted host and printer.
#include <QPrinter>
#include <QScrollBar>
#include <QtTest>

#include "pdf_pages.h"

#include "document/radio_document.h"
#include "no_printer.h"
#include "print/report_layout.h"
#include "private_settings.h"
#include "scripted_prompter.h"
#include "ui/preview_window.h"
#include "ui/printer_surface.h"
#include "ui/report_commands.h"

namespace {

ChannelTable filledGrid(const QString& layout, int channels) {
    const QStringList signalling{QStringLiteral("67.0"), QStringLiteral("D023N"), QStringLiteral("OFF"),
                                 QStringLiteral("88.5"), QStringLiteral("D754I"), QStringLiteral("151.4")};
    ChannelTable grid;
    grid.layOut(parseLayout(layout), channels);
    for (int r = 1; r <= channels; ++r) {
        grid.setCell(r, 1,
                     QStringLiteral("%1.%2").arg(430 + r / 8).arg(r % 8 * 12500, 5, 10, QLatin1Char('0')));
        grid.setCell(r, 2, grid.cell(r, 1));
        for (int c = 3; c < grid.columnCount(); ++c) {
            const QStringList items = grid.columns()[c].items;
            grid.setCell(r, c,
                         items.isEmpty() ? signalling[(r + c) % signalling.size()] : items[r % items.size()]);
        }
    }
    return grid;
}

// The main window's side of the report commands: the document it shows (model "RC-16" on band "(U)", a
// filled grid), the window the report belongs to, and a scripted prompter.
struct FakeHost {
    QWidget parent;
    ScriptedPrompter prompter;
    RadioDocument document;
    int timerStops = 0;

    FakeHost() {
        document.setBandRanges({QStringLiteral("400MHz---470MHz"), QStringLiteral("136MHz---174MHz")});
        document.selectStartupSettings();
        showModel(QStringLiteral("RC-16"), 0);
        document.setTable(filledGrid(QStringLiteral("0"), 16));
    }
    void showModel(const QString& name, int band) {
        document.setModelName(name, -1);
        document.selectBand(band);
    }
    void watch(ReportCommands& commands) {
        QObject::connect(&commands, &ReportCommands::started, [this] { ++timerStops; });
    }
};

// A default printer that prints into a PDF file.
class PdfPrinter : public PrinterAccess {
public:
    explicit PdfPrinter(QString path) : path_(std::move(path)) {}
    bool hasDefaultPrinter() const override { return true; }
    QString defaultPrinterName() const override { return QStringLiteral("pdf"); }
    PaperInfo paper() const override { return paperOf(*createPrinter()); }
    std::unique_ptr<QPrinter> createPrinter() const override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path_);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return printer;
    }

private:
    QString path_;
};

// The words of a PDF with their boxes, which show where and how big every text was set.
QStringList pdfWordBoxes(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    QStringList words;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(QLatin1String("<word")))
            words << line.trimmed();
    }
    return words;
}

bool inked(const QImage& image, int fromRow, int toRow) {
    for (int y = qMax(0, fromRow); y < qMin(image.height(), toRow); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void previewOpens_data();
    void previewOpens();
    void scrollingMovesAndGrowsThePage_data();
    void scrollingMovesAndGrowsThePage();
    void closeAndOpenAgain();
    void secondPreviewOnlyRaises();
    void printWithoutPrinter_data();
    void printWithoutPrinter();
    void printOnPdfPrinter_data();
    void printOnPdfPrinter();
    void printFactorIgnoresOpenPreview();
    void printFailureIsReported();
    void screenshot();
    void fitWindowOnScreen_data();
    void fitWindowOnScreen();
    void pageAreaFollowsTheWindow_data();
    void pageAreaFollowsTheWindow();

private:
    QTemporaryDir dir_;
    bool poppler_ = false;
};

void TestPreviewWindow::initTestCase() {
    usePrivateSettings(); // the PDF offer remembers its folder
    QVERIFY(dir_.isValid());
    poppler_ = !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void TestPreviewWindow::previewOpens_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("scrollMaximum");
    QTest::addColumn<double>("pageHeight");
    QTest::addColumn<bool>("enlarged");

    QTest::newRow("16 channels") << "0" << 16 << 7965 << 8025.0 << false;
    QTest::newRow("16 channels, layout 1") << "1" << 16 << 7965 << 8025.0 << false;
    QTest::newRow("99 channels") << "1" << 99 << 28088 << 28087.5 << true;
}

void TestPreviewWindow::previewOpens() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(int, scrollMaximum);
    QFETCH(double, pageHeight);
    QFETCH(bool, enlarged);

    FakeHost host;
    host.document.setTable(filledGrid(layout, channels));
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    commands.mnuPreview();

    PreviewWindow* w = host.parent.findChild<PreviewWindow*>(QStringLiteral("frmPreview"));
    QVERIFY(w);
    QCOMPARE(commands.previewWindow(), w);
    QVERIFY(w->isVisible());
    QVERIFY(!w->isModal());
    QVERIFY(w->isWindow());
    QCOMPARE(w->windowTitle(), QStringLiteral("打印预览"));
    QCOMPARE(host.timerStops, 1);
    QVERIFY(host.prompter.shown.isEmpty());
    QCOMPARE(w->rowCountText(), QString::number(channels + 1));
    QCOMPARE(w->isEnlarged(), enlarged);

    auto* viewport = w->findChild<QWidget*>(QStringLiteral("Picture2"));
    auto* page = w->findChild<QWidget*>(QStringLiteral("Picture1"));
    auto* scroll = w->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    QVERIFY(viewport && page && scroll);
    QCOMPARE(page->parentWidget(), viewport);
    QCOMPARE(scroll->maximum(), scrollMaximum);
    QCOMPARE(scroll->height(), w->twipsToPixels(7965));
    QCOMPARE(w->picture().heightTwips(), pageHeight);
    QCOMPARE(page->height(), w->twipsToPixels(pageHeight));
    QCOMPARE(page->pos(), QPoint(w->twipsToPixels(-30), w->twipsToPixels(-30)));

    // The whole table is on the page: the band of the last row carries ink, the area below it none.
    const QImage& image = w->picture().image();
    const double rows = enlarged ? 70 : 20;
    const int lastRow = int((7 + 0.6 * channels) / rows * image.height());
    QVERIFY(inked(image, lastRow, lastRow + image.height() * 0.6 / rows));
    QVERIFY(!inked(image, lastRow + image.height() * 0.6 / rows + 2, image.height()));
    w->close();
}

void TestPreviewWindow::scrollingMovesAndGrowsThePage_data() {
    QTest::addColumn<int>("channels");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<double>("heightAfter");

    // 16 channels: the page (8025) hangs 60 twips below the range (7965); moving 3000 lifts its lower edge
    // above the range, so it grows by 3000; moving back leaves it.
    QTest::newRow("16 channels, down") << 16 << QList<int>{3000} << 11025.0;
    QTest::newRow("16 channels, down and up") << 16 << QList<int>{3000, 100} << 11025.0;
    QTest::newRow("16 channels, a little") << 16 << QList<int>{50} << 8025.0;
    QTest::newRow("16 channels, to the end") << 16 << QList<int>{7965} << 15990.0;
    QTest::newRow("99 channels, to the end") << 99 << QList<int>{28088} << 56175.5;
    // The enlarged page (28087.5) is half a twip shorter than the range (28088): any move grows it.
    QTest::newRow("99 channels, halfway") << 99 << QList<int>{14000} << 42087.5;
}

void TestPreviewWindow::scrollingMovesAndGrowsThePage() {
    QFETCH(int, channels);
    QFETCH(QList<int>, values);
    QFETCH(double, heightAfter);

    FakeHost host;
    host.document.setTable(filledGrid(QStringLiteral("0"), channels));
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    commands.mnuPreview();
    PreviewWindow* w = commands.previewWindow();
    QVERIFY(w);
    const QImage drawn = w->picture().image();
    auto* scroll = w->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    auto* page = w->findChild<QWidget*>(QStringLiteral("Picture1"));
    for (int v : values)
        scroll->setValue(v);
    QCOMPARE(w->pictureTopTwips(), -double(values.last()));
    QCOMPARE(page->y(), w->twipsToPixels(-values.last()));
    QCOMPARE(w->picture().heightTwips(), heightAfter);
    QCOMPARE(page->height(), w->picture().image().height());
    // Scrolling only moves the drawing; the added area is blank.
    QCOMPARE(w->picture().image().copy(drawn.rect()), drawn);
    QVERIFY(!inked(w->picture().image(), drawn.height(), w->picture().image().height()));
    w->close();
}

void TestPreviewWindow::closeAndOpenAgain() {
    FakeHost host;
    host.document.setTable(filledGrid(QStringLiteral("1"), 99));
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    for (int round = 0; round < 2; ++round) {
        commands.mnuPreview();
        QPointer<PreviewWindow> w = commands.previewWindow();
        QVERIFY(w);
        QVERIFY(w->isEnlarged());
        QCOMPARE(w->picture().heightTwips(), 8025 * 3.5);
        w->findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(20000);
        w->close();
        QVERIFY(!w->isEnlarged());
        QTRY_VERIFY(w.isNull()); // unloaded
        QVERIFY(!commands.previewWindow());
    }
    QCOMPARE(host.timerStops, 2);
}

void TestPreviewWindow::secondPreviewOnlyRaises() {
    FakeHost host;
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    commands.mnuPreview();
    PreviewWindow* w = commands.previewWindow();
    QVERIFY(w);
    const QImage drawn = w->picture().image();

    host.showModel(QStringLiteral("RC-16"), 1);
    host.document.setCell(3, 1, QString());
    commands.mnuPreview();
    QCOMPARE(commands.previewWindow(), w);
    QCOMPARE(host.parent.findChildren<PreviewWindow*>().size(), 1);
    // The snapshot is renewed, the open picture is not redrawn.
    QCOMPARE(commands.report().text(ReportData::PCmodel), QStringLiteral("RC-16(V)"));
    QCOMPARE(commands.report().table[3][1], QStringLiteral("OFF"));
    QCOMPARE(w->picture().image(), drawn);
    QCOMPARE(w->report().text(ReportData::PCmodel), QStringLiteral("RC-16(U)"));
    QCOMPARE(host.timerStops, 2);
    w->close();
}

void TestPreviewWindow::printWithoutPrinter_data() {
    QTest::addColumn<QList<Prompter::Answer>>("answers");
    QTest::addColumn<QString>("fileName"); // "" cancels the file dialog
    QTest::addColumn<bool>("written");

    QTest::newRow("declined") << QList<Prompter::Answer>{Prompter::Answer::No} << QString() << false;
    QTest::newRow("file dialog cancelled")
        << QList<Prompter::Answer>{Prompter::Answer::Yes} << QString() << false;
    QTest::newRow("saved") << QList<Prompter::Answer>{Prompter::Answer::Yes} << QStringLiteral("offer.pdf")
                           << true;
}

void TestPreviewWindow::printWithoutPrinter() {
    QFETCH(QList<Prompter::Answer>, answers);
    QFETCH(QString, fileName);
    QFETCH(bool, written);

    FakeHost host;
    host.document.setTable(filledGrid(QStringLiteral("0"), 99));
    host.prompter.answers = answers;
    const QString path = fileName.isEmpty() ? QString() : dir_.filePath(fileName);
    host.prompter.fileNames << path;
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    commands.mnuPrint();

    QCOMPARE(host.timerStops, 1);
    QCOMPARE(host.prompter.shown.size(), 1);
    QCOMPARE(host.prompter.shown[0].icon, Prompter::Icon::Question);
    QCOMPARE(host.prompter.shown[0].title, QStringLiteral("提示"));
    QVERIFY(host.prompter.shown[0].text.contains(QStringLiteral("没有设置默认打印机")));
    QVERIFY(host.prompter.shown[0].text.contains(QStringLiteral("PDF")));
    QCOMPARE(host.prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    QCOMPARE(host.prompter.fileDialogs.size(), answers[0] == Prompter::Answer::Yes ? 1 : 0);
    QVERIFY(!commands.previewWindow());
    if (!written)
        return;
    QVERIFY(host.prompter.fileDialogs[0].contains(QStringLiteral("*.pdf")));
    QVERIFY(QFile::exists(path));
    if (poppler_)
        QCOMPARE(pdfPages(path), 4);
}

void TestPreviewWindow::printOnPdfPrinter_data() {
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("previewOpen");
    QTest::addColumn<int>("pages");

    QTest::newRow("16 channels") << 16 << false << 1;
    QTest::newRow("99 channels") << 99 << false << 4;
    QTest::newRow("99 channels, preview open") << 99 << true << 4;
}

void TestPreviewWindow::printOnPdfPrinter() {
    QFETCH(int, channels);
    QFETCH(bool, previewOpen);
    QFETCH(int, pages);

    FakeHost host;
    host.document.setTable(filledGrid(QStringLiteral("1"), channels));
    const QString path = dir_.filePath(QStringLiteral("printed-%1.pdf").arg(QTest::currentDataTag()));
    PdfPrinter printers(path);
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    QPointer<PreviewWindow> preview;
    if (previewOpen) {
        commands.mnuPreview();
        preview = commands.previewWindow();
        QVERIFY(preview);
    }
    // Printing takes the data as it is now, also with an open preview.
    host.showModel(QStringLiteral("RC-99"), 1);
    commands.mnuPrint();

    QVERIFY2(host.prompter.shown.isEmpty(), qPrintable(host.prompter.texts().join(QLatin1Char('\n'))));
    QCOMPARE(host.timerStops, previewOpen ? 2 : 1);
    QVERIFY(QFile::exists(path));
    QTRY_VERIFY(preview.isNull());
    QVERIFY(!commands.previewWindow());
    // The hidden print window is gone as well.
    QTRY_COMPARE(host.parent.findChildren<PreviewWindow*>().size(), 0);
    if (!poppler_)
        QSKIP("poppler-utils are not installed");
    QCOMPARE(pdfPages(path), pages);
    QString words = pdfWordBoxes(path).join(QLatin1Char('\n'));
    QVERIFY(words.contains(QStringLiteral("RC-99(V)")));
}

void TestPreviewWindow::printFactorIgnoresOpenPreview() {
    if (!poppler_)
        QSKIP("poppler-utils are not installed");
    FakeHost host;
    host.document.setTable(filledGrid(QStringLiteral("0"), 99));
    const QString alone = dir_.filePath(QStringLiteral("alone.pdf"));
    const QString withPreview = dir_.filePath(QStringLiteral("with-preview.pdf"));
    {
        PdfPrinter printers(alone);
        ReportCommands commands(host.document, host.prompter, printers, &host.parent);
        host.watch(commands);
        commands.mnuPrint();
    }
    {
        PdfPrinter printers(withPreview);
        ReportCommands commands(host.document, host.prompter, printers, &host.parent);
        host.watch(commands);
        commands.mnuPreview();
        QVERIFY(commands.previewWindow());
        commands.previewWindow()->findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(28088);
        commands.mnuPrint();
    }
    const QStringList a = pdfWordBoxes(alone);
    QVERIFY(!a.isEmpty());
    QCOMPARE(pdfWordBoxes(withPreview), a);
}

void TestPreviewWindow::printFailureIsReported() {
    FakeHost host;
    // A printer that cannot open its output.
    PdfPrinter printers(dir_.filePath(QStringLiteral("no-such-folder/out.pdf")));
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    commands.mnuPreview();
    QPointer<PreviewWindow> preview = commands.previewWindow();
    commands.mnuPrint();

    QCOMPARE(host.prompter.shown.size(), 1);
    QCOMPARE(host.prompter.shown[0].icon, Prompter::Icon::Critical);
    QCOMPARE(host.prompter.shown[0].title, QStringLiteral("错误"));
    QVERIFY(host.prompter.shown[0].text.startsWith(QStringLiteral("打印失败：")));
    // Nothing else changes: the preview stays open.
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    preview->close();
}

// Checks that the grabbed window shows the report; with RADIOCPS_SCREENSHOT set, also saves the picture
// there (scripts/screenshot-preview).
void TestPreviewWindow::screenshot() {
    FakeHost host;
    host.document.setTable(filledGrid(QStringLiteral("0"), 16));
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    host.watch(commands);
    commands.mnuPreview();
    PreviewWindow* w = commands.previewWindow();
    QVERIFY(w);
    const QImage shot = w->grab().toImage();
    QCOMPARE(shot.size(), w->size() * w->devicePixelRatio());
    const int tableTop = int(7.0 / 20 * w->picture().image().height());
    QVERIFY(inked(shot, 0, tableTop));
    QVERIFY(inked(shot, tableTop, shot.height()));
    const QString out = qEnvironmentVariable("RADIOCPS_SCREENSHOT");
    if (!out.isEmpty())
        QVERIFY2(shot.save(out), qPrintable(out));
    w->close();
}

void TestPreviewWindow::fitWindowOnScreen_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");

    const QSize design(756, 532);
    QTest::newRow("room enough, centred")
        << design << QMargins() << QRect(0, 0, 1280, 1024) << QRect(262, 246, 756, 532);
    QTest::newRow("frame and panel") << design << QMargins(2, 30, 2, 2) << QRect(0, 24, 1280, 936)
                                     << QRect(262, 240, 756, 532);
    QTest::newRow("a short screen") << design << QMargins(2, 30, 2, 2) << QRect(0, 24, 1280, 500)
                                    << QRect(262, 54, 756, 468);
    QTest::newRow("a small screen") << design << QMargins(1, 20, 1, 1) << QRect(100, 0, 640, 480)
                                    << QRect(101, 20, 638, 459);
}

void TestPreviewWindow::fitWindowOnScreen() {
    QFETCH(QSize, client);
    QFETCH(QMargins, frame);
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    const QRect r = fitWindow(client, frame, available);
    QCOMPARE(r, placed);
    QVERIFY(available.contains(r.marginsAdded(frame)));
}

void TestPreviewWindow::pageAreaFollowsTheWindow_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("resized");

    QTest::newRow("design size, then larger") << QRect(0, 0, 1600, 1200) << QSize(1200, 900);
    QTest::newRow("short screen, then taller") << QRect(0, 0, 1280, 400) << QSize(900, 700);
    QTest::newRow("narrow screen, then smaller") << QRect(0, 0, 500, 300) << QSize(400, 250);
}

// The window fits the screen's available area, and at every size the viewport fills it beside the scroll
// bar, which keeps to the right edge; a page step is the viewport's height.
void TestPreviewWindow::pageAreaFollowsTheWindow() {
    QFETCH(QRect, available);
    QFETCH(QSize, resized);

    FakeHost host;
    NoPrinter printers;
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    commands.mnuPreview();
    PreviewWindow* w = commands.previewWindow();
    QVERIFY(w);
    // Offscreen, the real screen is larger than the design.
    QVERIFY(w->screen()->availableGeometry().contains(w->frameGeometry()));

    auto* viewport = w->findChild<QWidget*>(QStringLiteral("Picture2"));
    auto* scroll = w->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    auto check = [&](const QSize& size) {
        QCOMPARE(w->size(), size);
        QVERIFY(scroll->x() + scroll->width() >= w->width());
        QVERIFY(scroll->x() < w->width());
        QCOMPARE(viewport->pos(), QPoint(0, 0));
        QVERIFY(viewport->width() < scroll->x() && viewport->width() >= scroll->x() - 2);
        QVERIFY(viewport->height() <= w->height() && viewport->height() >= w->height() - 2);
        QCOMPARE(scroll->height(), viewport->height());
        QVERIFY(qAbs(scroll->pageStep() - viewport->height() * 1440 / w->logicalDpiY()) <= 15);
    };

    w->fitToScreen(available);
    QVERIFY(available.contains(w->geometry()));
    check(QSize(w->twipsToPixels(11340), w->twipsToPixels(7980)).boundedTo(available.size()));
    w->resize(resized);
    check(resized);
    w->close();
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_preview_window.moc"
