// End to end through a real print queue: the print command on the system's default printer, which must be a
// CUPS-PDF queue (.ci/run sets one up). The produced PDF is read back. Skipped where no such queue exists.
#include <QDir>
#include <QPrinterInfo>
#include <QtTest>

#include "document/radio_document.h"
#include "private_settings.h"
#include "scripted_prompter.h"
#include "ui/printer_surface.h"
#include "ui/report_commands.h"

namespace {

// A document as the main window shows it: model "RC-99" on band "(U)", 99 channels of layout 1.
struct Host {
    QWidget parent;
    ScriptedPrompter prompter;
    RadioDocument document;

    Host() {
        document.setBandRanges({QStringLiteral("400MHz---470MHz")});
        document.selectStartupSettings();
        document.setModelName(QStringLiteral("RC-99"), -1);
        document.selectBand(0);
        ChannelTable grid;
        grid.layOut(Layout::One, 99);
        for (int r = 1; r <= 99; ++r) {
            grid.setCell(r, 1, QStringLiteral("%1.%2").arg(400 + r).arg(r * 125, 5, 10, QLatin1Char('0')));
            grid.setCell(r, 2, grid.cell(r, 1));
        }
        document.setTable(grid);
    }
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdfsIn(const QDir& dir) {
    return dir.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

} // namespace

class TestPreviewCups : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); } // the PDF offer remembers its folder
    void printsThroughTheQueue();
};

void TestPreviewCups::printsThroughTheQueue() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull() || !printer.makeAndModel().contains(QLatin1String("CUPS-PDF"), Qt::CaseInsensitive))
        QSKIP("the default printer is not a CUPS-PDF queue");
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are not installed");
    // Where the queue writes its files ("Out" of cups-pdf.conf; ${HOME}/PDF unless configured).
    const QDir out(
        qEnvironmentVariable("RADIOCPS_CUPS_PDF_DIR", QDir::home().filePath(QStringLiteral("PDF"))));
    const QStringList before = pdfsIn(out);

    Host host;
    SystemPrinterAccess printers;
    QVERIFY(printers.hasDefaultPrinter());
    ReportCommands commands(host.document, host.prompter, printers, &host.parent);
    commands.mnuPrint();
    QVERIFY2(host.prompter.shown.isEmpty(), qPrintable(host.prompter.texts().join(QLatin1Char('\n'))));

    QString produced;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (const QString& f : pdfsIn(out)) {
                if (!before.contains(f))
                    produced = out.filePath(f);
            }
            // Complete once the queue has closed it: pdfinfo reads its page count.
            return !produced.isEmpty() && !run(QStringLiteral("pdfinfo"), {produced}).isEmpty();
        }(),
        60000);
    const auto cleanup = qScopeGuard([&] { QFile::remove(produced); });
    QVERIFY(run(QStringLiteral("pdfinfo"), {produced})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))));
    // The queue's converter turns the fonts into pictures, so the pages are checked as images: every page
    // carries the report's ink, and the first page has its headings above the table.
    QTemporaryDir pages;
    QVERIFY(pages.isValid());
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("50"),
                                QStringLiteral("-png"), produced, pages.filePath(QStringLiteral("p"))}),
             0);
    const QStringList images =
        QDir(pages.path()).entryList({QStringLiteral("p*.png")}, QDir::Files, QDir::Name);
    QCOMPARE(images.size(), 4);
    for (const QString& name : images) {
        const QImage page(pages.filePath(name));
        QVERIFY(!page.isNull());
        int dark = 0;
        for (int y = 0; y < page.height() * 0.3; ++y) {
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 192 ? 1 : 0;
        }
        QVERIFY2(dark > 50, qPrintable(name));
    }
}

QTEST_MAIN(TestPreviewCups)
#include "tst_preview_cups.moc"
