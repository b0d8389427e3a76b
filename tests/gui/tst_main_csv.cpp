// CHIRP-compatible CSV in the real window: export and import through the 文件 menu, the report of lines left
// out and information lost with both answers, a file numbered from 0, CHIRP rows on the clipboard, and
// dropped CSV and JSON files.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>
#include <QtTest>

#include "image/channel_rows.h"
#include "image/json_form.h"
#include "main_window_fixture.h"
#include "private_settings.h"
#include "ui/document_history.h"

class TestMainCsv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void exportThenImport();
    void importReport_data();
    void importReport();
    void fileNumberedFromZero_data();
    void fileNumberedFromZero();
    void copyOffersChirpCsv();
    void pasteChirpRows();
    void droppedCsvImports();
    void droppedJsonOpens();
};

namespace {

// The way CHIRP writes its files: its header, CRLF, every column.
const QByteArray kChirpFile =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
    "1,,446.006250,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,\r\n"
    "2,,438.500000,-,7.600000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,S,5.0W,,,,,\r\n";

struct CsvWindow : ShownWindow { // model 0: 16 channels, layout 1, 400-470 MHz
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(f.path(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return file.fileName();
    }
    void fillDemo() const {
        ChannelTable t = doc().table();
        ChannelRows::setCells(&t, 1,
                              {"438.50000", "430.00000", "D023N", "67.0", "是", "窄", "否", "是", "3", "低"});
        ChannelRows::setCells(&t, 4, {"439.00000", "OFF", "OFF", "OFF", "否", "宽", "是", "否", "无", "中"});
        doc().changeTable(t);
        w->history().closeStep();
    }
    // Answers the import report by its buttons, as a user would, and keeps what it showed.
    enum class Answer { Import, Cancel, ImportInFileOrder };
    QString report;
    QString importButton;
    void answerImport(Answer answer) {
        f.otherDialog = [this, answer](QDialog* d) {
            if (d->objectName() != QLatin1String("frmImportReport"))
                return int(QDialog::Rejected);
            if (answer == Answer::ImportInFileOrder)
                d->findChild<QCheckBox*>(QStringLiteral("chkImportFileOrder"))->click();
            report = d->findChild<QLabel*>(QStringLiteral("lblImportSummary"))->text() + QLatin1Char('\n') +
                     d->findChild<QPlainTextEdit*>(QStringLiteral("txtImportReport"))->toPlainText();
            auto* import = d->findChild<QPushButton*>(QStringLiteral("cmdImportFit"));
            importButton = import->isEnabled() ? import->text() : QString();
            d->findChild<QPushButton*>(answer == Answer::Cancel ? QStringLiteral("cmdImportCancel")
                                                                : QStringLiteral("cmdImportFit"))
                ->click();
            return d->result();
        };
    }
};

} // namespace

void TestMainCsv::exportThenImport() {
    CsvWindow s;
    s.fillDemo();
    const ChannelTable filled = s.doc().table();
    const QString path = s.f.path(QStringLiteral("plan"));
    s.f.prompter.fileNames = {path};
    s.run("mnuExport");
    QCOMPARE(s.f.prompter.suffixes, QStringList{QStringLiteral("csv")});
    QFile file(path + QStringLiteral(".csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY(lines[0].startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
    QCOMPARE(lines.size(), 4); // header, two channels, and the end of the last line
    QCOMPARE(s.w->statusNote(), QStringLiteral("已导出 2 个信道到 %1.csv").arg(path));

    ChannelTable empty = s.doc().table();
    for (int c = 1; c <= empty.channelCount(); ++c)
        ChannelRows::clear(&empty, c);
    s.doc().changeTable(empty);
    s.w->history().closeStep();
    const int steps = s.w->history().stack().count();

    s.f.prompter.fileNames = {path + QStringLiteral(".csv")};
    s.run("mnuImport");
    QVERIFY(s.doc().table() == filled);
    QCOMPARE(s.w->history().stack().count(), steps + 1);
    s.run("mnuUndo");
    QVERIFY(s.doc().table() == empty);
}

// A club list of two bands for a 400-470 MHz radio: line 2 is outside the band, line 5 has a tone this radio
// lacks; the rest fits with a name and a rounded power lost.
const QByteArray kMixedList = "Location,Name,Frequency,Tone,rToneFreq,Power\n"
                              "1,2m call,146.520000,,88.5,5W\n"
                              "5,Club,438.500000,Tone,67.0,0.5W\n"
                              "6,,439.000000,,88.5,\n"
                              "7,,439.500000,Tone,69.4,\n";

void TestMainCsv::importReport_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("answer");     // CsvWindow::Answer
    QTest::addColumn<QString>("button"); // the import button's text; empty when disabled
    QTest::addColumn<QStringList>("reported");
    QTest::addColumn<QStringList>("channels"); // receive frequencies of channels 1-7 after the answer
    const QStringList report{"第 2 行 Frequency 列：频率 146.520000 MHz 超出 400–470 MHz",
                             "第 5 行 rToneFreq 列的 \"69.4\" 不是本机的亚音频率",
                             "第 3 行：名称“Club”不保存；功率 0.5W 取为“低”"};
    const QStringList unchanged{"438.50000", "", "", "439.00000", "", "", ""};
    QTest::newRow("import what fits") << kMixedList << int(CsvWindow::Answer::Import) << "导入可用的 2 个信道"
                                      << report << QStringList{"", "", "", "", "438.50000", "439.00000", ""};
    QTest::newRow("cancel") << kMixedList << int(CsvWindow::Answer::Cancel) << "导入可用的 2 个信道" << report
                            << unchanged;
    QTest::newRow("in file order") << kMixedList << int(CsvWindow::Answer::ImportInFileOrder)
                                   << "导入可用的 2 个信道" << report
                                   << QStringList{"438.50000", "439.00000", "", "", "", "", ""};
    QTest::newRow("nothing fits") << QByteArray("Location,Frequency,Tone\n1,438.5,TSQL-R\n2,146.52,\n")
                                  << int(CsvWindow::Answer::Import) << QString()
                                  << QStringList{"文件中没有可以导入的信道",
                                                 "第 2 行 Tone 列的 \"TSQL-R\" 是反向静噪"}
                                  << unchanged;
}

void TestMainCsv::importReport() {
    QFETCH(QByteArray, csv);
    QFETCH(int, answer);
    CsvWindow s;
    s.fillDemo();
    const ChannelTable before = s.doc().table();
    const int steps = s.w->history().stack().count();
    s.answerImport(CsvWindow::Answer(answer));
    s.f.prompter.fileNames = {s.write(QStringLiteral("list.csv"), csv)};
    s.run("mnuImport");
    QCOMPARE(s.f.prompter.texts(), QStringList{});
    QTEST(s.importButton, "button");
    QFETCH(QStringList, reported);
    for (const QString& line : reported)
        QVERIFY2(s.report.contains(line), qPrintable(s.report));
    QFETCH(QStringList, channels);
    for (int c = 0; c < channels.size(); ++c)
        QCOMPARE(s.doc().cell(c + 1, 1), channels[c]);
    if (s.doc().table() == before) {
        QCOMPARE(s.w->history().stack().count(), steps);
        return;
    }
    QCOMPARE(s.doc().cell(channels.indexOf(QStringLiteral("438.50000")) + 1, 10), QStringLiteral("低"));
    QCOMPARE(s.w->history().stack().count(), steps + 1); // one step, which undo takes back whole
    s.run("mnuUndo");
    QVERIFY(s.doc().table() == before);
}

void TestMainCsv::fileNumberedFromZero_data() {
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QString>("channel1");
    QTest::newRow("renumbered") << Prompter::Answer::Yes << QStringLiteral("438.50000");
    QTest::newRow("refused") << Prompter::Answer::No << QString();
}

void TestMainCsv::fileNumberedFromZero() {
    QFETCH(Prompter::Answer, answer);
    QFETCH(QString, channel1);
    CsvWindow s;
    s.f.prompter.fileNames = {s.write(QStringLiteral("zero.csv"), "Location,Frequency\n0,438.5\n1,439\n")};
    s.f.prompter.answers = {answer};
    s.run("mnuImport");
    QVERIFY(s.f.prompter.shown[0].text.startsWith(QStringLiteral("这个文件的信道从 0 开始编号")));
    QCOMPARE(s.doc().cell(1, 1), channel1);
    if (answer == Prompter::Answer::Yes)
        QCOMPARE(s.doc().cell(2, 1), QStringLiteral("439.00000"));
    else // line 2 is then outside the channels, and the report (cancelled unseen here) says so
        QCOMPARE(s.f.otherDialogRuns, 1);
}

void TestMainCsv::copyOffersChirpCsv() {
    CsvWindow s;
    s.fillDemo();
    const QModelIndex number = s.f.grid()->model()->index(3, 0);
    QTest::mouseClick(s.f.grid()->viewport(), Qt::LeftButton, {}, s.f.grid()->visualRect(number).center());
    s.run("mnuCopy");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const QString csv = QString::fromUtf8(data->data(QStringLiteral("text/csv")));
    QVERIFY(csv.startsWith(QStringLiteral("Location,Name,Frequency,")));
    QVERIFY2(csv.contains(QStringLiteral("\r\n4,,439.000000,off,0.000000,")), qPrintable(csv));
}

void TestMainCsv::pasteChirpRows() {
    CsvWindow s;
    QApplication::clipboard()->setText(QString::fromUtf8(kChirpFile));
    const QModelIndex cell = s.f.grid()->model()->index(4, 1);
    QTest::mouseClick(s.f.grid()->viewport(), Qt::LeftButton, {}, s.f.grid()->visualRect(cell).center());
    s.run("mnuPaste");
    QCOMPARE(s.f.prompter.texts(), QStringList{});
    // Pasted from channel 5 on, whatever the rows' Locations.
    QCOMPARE(ChannelRows::cells(s.doc().table(), 5),
             (QStringList{"446.00625", "446.00625", "100.0", "100.0", "否", "窄", "是", "否", "无", "低"}));
    QCOMPARE(ChannelRows::cells(s.doc().table(), 6),
             (QStringList{"438.50000", "430.90000", "D023I", "D023N", "否", "宽", "否", "否", "无", "高"}));
}

void TestMainCsv::droppedCsvImports() {
    CsvWindow s;
    s.answerImport(CsvWindow::Answer::Import); // the file's 0.5 W and its 6.25 kHz step are reported
    const QString path = s.write(QStringLiteral("dropped.csv"), kChirpFile);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(s.w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(s.w, &drop);
    QTRY_COMPARE(s.doc().cell(1, 1), QStringLiteral("446.00625"));
    QCOMPARE(s.doc().cell(2, 3), QStringLiteral("D023I")); // polarity NR: transmit N, receive R
}

void TestMainCsv::droppedJsonOpens() {
    CsvWindow s;
    s.fillDemo();
    const ChannelTable filled = s.doc().table();
    const QString path =
        s.write(QStringLiteral("plan.json"), QJsonDocument(JsonForm::toJson(s.doc().contents())).toJson());
    ChannelTable other = filled;
    ChannelRows::clear(&other, 1);
    s.doc().changeTable(other);
    s.f.prompter.answers = {Prompter::Answer::Discard};
    s.w->openPath(path);
    QCOMPARE(s.f.prompter.texts(), QStringList{QStringLiteral("信道数据已修改，是否保存？")});
    QVERIFY(s.doc().table() == filled);
    QVERIFY(!s.doc().isModified());
    QCOMPARE(s.w->history().stack().count(), 0);
}

QTEST_MAIN(TestMainCsv)
#include "tst_main_csv.moc"
