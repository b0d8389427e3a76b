// CHIRP-compatible CSV in the real window: export and import through the 文件 menu, a refused file, a file
// numbered from 0, CHIRP rows on the clipboard, and dropped CSV and JSON files.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonDocument>
#include <QMimeData>
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
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
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

void TestMainCsv::refusedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("named");
    QTest::newRow("reverse squelch") << QByteArray("Location,Frequency,Tone\n1,438.5,TSQL\n2,439.0,TSQL-R\n")
                                     << QStringLiteral("第 3 行");
    QTest::newRow("outside the band")
        << QByteArray("Location,Frequency\r\n1,146.520000\r\n") << QStringLiteral("第 2 行");
    QTest::newRow("mode") << QByteArray("# a comment\nLocation,Frequency,Mode\n1,438.5,AM\n")
                          << QStringLiteral("第 3 行");
}

void TestMainCsv::refusedFileChangesNothing() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, named);
    CsvWindow s;
    s.fillDemo();
    const ChannelTable before = s.doc().table();
    s.f.prompter.fileNames = {s.write(QStringLiteral("bad.csv"), csv)};
    s.run("mnuImport");
    QCOMPARE(s.f.prompter.shown.size(), 1);
    QCOMPARE(s.f.prompter.shown[0].icon, Prompter::Icon::Critical);
    QVERIFY2(s.f.prompter.shown[0].text.contains(named), qPrintable(s.f.prompter.shown[0].text));
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
    else
        QCOMPARE(s.f.prompter.shown.last().icon, Prompter::Icon::Critical);
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
