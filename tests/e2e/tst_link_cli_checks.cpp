#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

#include "image/channel_file.h"

#include "cli_harness.h"

// radiocps-cli checking a radio against the radiocps-sim executable: the model check and the read-back of a
// write, verify without writing, and the serial trace of a transfer.
using namespace CliHarness;

class TestLinkCliChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void writeVerifies_data();
    void writeVerifies();
    void writeChecksModel_data();
    void writeChecksModel();
    void verify_data();
    void verify();
    void trace_data();
    void trace();

private:
    QTemporaryDir dir_;
};

void TestLinkCliChecks::initTestCase() {
    if (!prepareCliTest(dir_))
        QSKIP("radiocps-sim or the demo sample is not built");
}

void TestLinkCliChecks::writeVerifies_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says"); // on stdout when the code is 0, else on stderr
    QTest::newRow("clean") << QString() << 0 << QStringLiteral("写频完成，校验一致");
    // Block 13 is the first block of channel 6: two settings blocks, then two per channel.
    QTest::newRow("flip:13") << QStringLiteral("flip:13") << 3
                             << QStringLiteral("校验不一致：对讲机中的信道 6 与写入的不同");
    QTest::newRow("flip:36, filler") << QStringLiteral("flip:36") << 3 << QStringLiteral("填充数据块 36");
    // A wrong model code comes back as a wrong settings block A, read at the size that was written.
    QTest::newRow("flip:1, model code") << QStringLiteral("flip:1") << 3 << QStringLiteral("设置数据块 A");
    // The write goes through; the read-back waits in vain for block 5's twelfth byte.
    QTest::newRow("read-back fails") << QStringLiteral("short:5") << 1
                                     << QStringLiteral("写频已完成，但校验时读频失败（对讲机没有响应）");
    // Block 7 is refused: the radio holds the new settings and channels 1 and 2, the old rest.
    QTest::newRow("write stops") << QStringLiteral("noack:7") << 1
                                 << QStringLiteral(
                                        "写频没有完成：对讲机中第 1–2 信道已是新数据，其余仍是原来的数据。");
}

void TestLinkCliChecks::writeVerifies() {
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QString, says);
    Sim sim;
    QStringList simArgs{QStringLiteral("--blocks"), QStringLiteral("128")};
    if (!fault.isEmpty())
        simArgs << QStringLiteral("--fault") << fault;
    QVERIFY(sim.start(simArgs));
    const Result r = cli({QStringLiteral("write"), QStringLiteral("--port"), sim.device, kSample,
                          QStringLiteral("--config"), kConfig, QStringLiteral("--verify"),
                          QStringLiteral("--timeout"), QStringLiteral("1")});
    QCOMPARE(r.code, code);
    QVERIFY2((code == 0 ? r.out : r.err).contains(says), qPrintable(r.out + r.err));
    if (says.startsWith(QStringLiteral("写频没有完成")))
        return;
    sim.process.terminate();
    QVERIFY(sim.process.waitForFinished(5000));
    // The whole image went out and was read back (up to the failing block).
    const QString simSays = QString::fromUtf8(sim.process.readAllStandardError());
    QVERIFY2(simSays.contains(QStringLiteral("128 blocks written")), qPrintable(simSays));
    QVERIFY2(
        simSays.contains(code == 1 ? QStringLiteral("5 blocks read") : QStringLiteral("128 blocks read")),
        qPrintable(simSays));
}

void TestLinkCliChecks::writeChecksModel_data() {
    QTest::addColumn<QString>("radio"); // the sim's image
    QTest::addColumn<QStringList>("more");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    const QString other = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/rc168-vhf.qfd");
    // The read before the write stops at block 64: what arrived is kept, nothing is written.
    QTest::newRow("pre-read stops") << kSample + QStringLiteral("|stop:64") << QStringList() << 1
                                    << QStringLiteral("写频前读取对讲机失败，没有写入。");
    QTest::newRow("another model") << other << QStringList() << 4
                                   << QStringLiteral(
                                          "对讲机是RC-168（机型代码 32），要写入的是RC-160（机型代码 "
                                          "71）：机型不同，没有写入。");
    QTest::newRow("another model, --verify too")
        << other << QStringList{QStringLiteral("--verify")} << 4 << QStringLiteral("机型不同，没有写入");
    QTest::newRow("same model") << kSample << QStringList() << 0 << QString();
    QTest::newRow("same model, read back")
        << kSample << QStringList{QStringLiteral("--verify")} << 0 << QStringLiteral("写频完成，校验一致");
    QTest::newRow("silent radio") << QString() << QStringList() << 1
                                  << QStringLiteral("写频前读取对讲机失败，没有写入。");
}

// --backup reads the radio first and writes only to a radio of the document's model.
void TestLinkCliChecks::writeChecksModel() {
    QFETCH(QString, radio);
    QFETCH(QStringList, more);
    QFETCH(int, code);
    QFETCH(QString, says);
    const QString saved = dir_.filePath(QStringLiteral("model-check.qfd"));
    QFile::remove(saved);
    Sim sim;
    QStringList simArgs{QStringLiteral("--save"), saved};
    const QString fault = radio.isEmpty() ? QStringLiteral("silent") : radio.section(QLatin1Char('|'), 1);
    radio = radio.section(QLatin1Char('|'), 0, 0);
    if (!radio.isEmpty())
        simArgs << QStringLiteral("--image") << radio;
    if (!fault.isEmpty())
        simArgs << QStringLiteral("--fault") << fault;
    QVERIFY(sim.start(simArgs));
    const Result r = cli(QStringList{QStringLiteral("write"), QStringLiteral("--port"), sim.device, kSample,
                                     QStringLiteral("--config"), kConfig, QStringLiteral("--backup"),
                                     QStringLiteral("--timeout"), QStringLiteral("1")} +
                         more);
    QCOMPARE(r.code, code);
    QVERIFY2((code == 0 ? r.out : r.err).contains(says), qPrintable(r.out + r.err));
    sim.process.terminate();
    QVERIFY(sim.process.waitForFinished(5000));
    const QString simSays = QString::fromUtf8(sim.process.readAllStandardError());
    QVERIFY2(simSays.contains(code == 0 ? QStringLiteral(" 128 blocks written")
                                        : QStringLiteral(" 0 blocks written")),
             qPrintable(simSays));
    if (radio.isEmpty())
        return;
    // What the radio held is kept before anything is written; the image only once it was written.
    const QString model = radio == kSample ? QStringLiteral("RC-160") : QStringLiteral("RC-168");
    QVERIFY2(r.err.contains(QStringLiteral("-读频-") + model), qPrintable(r.err));
    QCOMPARE(r.err.contains(QStringLiteral("-写频-")), code == 0);
    // The radio was read whole first (unless it stopped); refused, it holds what it held.
    if (fault.isEmpty())
        QVERIFY2(simSays.contains(more.isEmpty() || code != 0 ? QStringLiteral(" 128 blocks read")
                                                              : QStringLiteral(" 256 blocks read")),
                 qPrintable(simSays));
    QCOMPARE(dataTokens(saved).size(), dataTokens(radio).size());
    if (code == 4)
        QCOMPARE(dataTokens(saved), dataTokens(radio));
}

void TestLinkCliChecks::verify_data() {
    QTest::addColumn<QString>("radio"); // the sim's memory
    QTest::addColumn<int>(
        "editChannel"); // >0: FILE is the sample with this channel's receive frequency changed
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    const QString rc168 = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/rc168-vhf.qfd");
    QTest::newRow("same") << kSample << 0 << QString() << 0 << QStringLiteral("对讲机与文件一致");
    QTest::newRow("one channel differs") << kSample << 5 << QString() << 3 << QStringLiteral("信道 5 与文件");
    QTest::newRow("another model") << rc168 << 0 << QString() << 4
                                   << QStringLiteral(
                                          "对讲机是RC-168（机型代码 32），文件是RC-160（机型代码 71）");
    QTest::newRow("read cut short") << kSample << 0 << QStringLiteral("hangup:40") << 1 << QString();
}

void TestLinkCliChecks::verify() {
    QFETCH(QString, radio);
    QFETCH(int, editChannel);
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QString, says);
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("radio.qfd"));
    QStringList simArgs{QStringLiteral("--image"), radio, QStringLiteral("--save"), saved};
    if (!fault.isEmpty())
        simArgs << QStringLiteral("--fault") << fault;
    Sim sim;
    QVERIFY(sim.start(simArgs));
    // A radio the sample was written to: the write adds what the file leaves out (the last used channel).
    if (radio == kSample && fault.isEmpty()) {
        QCOMPARE(cli({QStringLiteral("write"), QStringLiteral("--port"), sim.device,
                      QStringLiteral("--config"), kConfig, kSample})
                     .code,
                 0);
        QTest::qWait(200); // the sim saves its memory when the port closes
    }
    const QByteArray before = dataTokens(saved);
    QString file = kSample;
    if (editChannel > 0) {
        file = folder.filePath(QStringLiteral("edited.json"));
        QCOMPARE(cli({QStringLiteral("convert"), kSample, file, QStringLiteral("--config"), kConfig}).code,
                 0);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
        f.close();
        QJsonArray grid = o.value("grid").toArray();
        QJsonArray row = grid[editChannel].toArray();
        row[1] = QStringLiteral("431.00000");
        grid[editChannel] = row;
        o["grid"] = grid;
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QJsonDocument(o).toJson());
        f.close();
    }
    const Result r = cli({QStringLiteral("verify"), QStringLiteral("--port"), sim.device,
                          QStringLiteral("--config"), kConfig, file});
    QCOMPARE(r.code, code);
    if (!says.isEmpty())
        QVERIFY2((code == 0 ? r.out : r.err).contains(says), qPrintable(r.out + r.err));
    sim.process.terminate();
    QVERIFY(sim.process.waitForFinished(5000));
    // Nothing was written: the radio holds what it held before.
    if (fault.isEmpty())
        QCOMPARE(dataTokens(saved), before.isEmpty() ? dataTokens(radio) : before);
}

// --trace FILE: one line per burst, timers and cancels marked, written however the transfer ended, and named
// on stderr when it failed. A silent radio also shows the no-answer hint, once.
void TestLinkCliChecks::trace_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("fault"); // "-" for a port that does not exist
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("marks"); // what the trace must hold
    QTest::addColumn<bool>("hint");
    QTest::newRow("read") << "read" << QString() << 0 << QStringList{" TX ", " RX "} << false;
    QTest::newRow("write") << "write" << QString() << 0 << QStringList{" TX ", " RX ", " TIMER drain"}
                           << false;
    // The sample as it stands lacks the last-used channel a write adds: verify finds that one difference.
    QTest::newRow("verify") << "verify" << QString() << 3 << QStringList{" TX ", " RX "} << false;
    QTest::newRow("silent radio") << "read" << QStringLiteral("silent") << 1
                                  << QStringList{" TX ", " TIMER wake-up-pacing", " TIMER no-answer-hint",
                                                 " TIMER no-response"}
                                  << true;
    QTest::newRow("no such port") << "verify" << QStringLiteral("-") << 1
                                  << QStringList{" OPEN /dev/ttyRADIOCPSNONE"} << false;
}

void TestLinkCliChecks::trace() {
    QFETCH(QString, command);
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QStringList, marks);
    QFETCH(bool, hint);
    Sim sim;
    QString device = QStringLiteral("ttyRADIOCPSNONE"); // a bare name, looked for in /dev
    if (fault != QLatin1String("-")) {
        QStringList simArgs{QStringLiteral("--image"), kSample};
        if (!fault.isEmpty())
            simArgs << QStringLiteral("--fault") << fault;
        QVERIFY(sim.start(simArgs));
        device = sim.device;
    }
    QTemporaryDir folder;
    const QString trace = folder.filePath(QStringLiteral("trace.txt"));
    QStringList args{command, QStringLiteral("--port"),  device, QStringLiteral("--config"),
                     kConfig, QStringLiteral("--trace"), trace};
    if (command == QLatin1String("read"))
        args << QStringLiteral("--out") << folder.filePath(QStringLiteral("read.qfd"));
    else
        args << kSample;
    if (hint)
        args << QStringLiteral("--timeout") << QStringLiteral("6"); // past the 5 s of the hint
    const Result r = cli(args, 60000);
    QCOMPARE(r.code, code);
    const QString text = QString::fromUtf8(fileBytes(trace));
    QVERIFY2(!text.isEmpty(), qPrintable(r.err));
    for (const QString& mark : marks)
        QVERIFY2(text.contains(mark), qPrintable(mark + QLatin1Char('\n') + text.left(2000)));
    // Every line: the milliseconds, then bytes in one direction or a mark; times never go back.
    const QRegularExpression line(
        QStringLiteral("^ *(\\d+) (TX|RX|TIMER|CANCEL|LOST|OPEN)( [0-9A-F]{2})*( [a-z-]+| .*FAILED.*)?$"));
    qint64 last = 0;
    for (const QString& l : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = line.match(l);
        QVERIFY2(m.hasMatch(), qPrintable(l));
        QVERIFY(m.captured(1).toLongLong() >= last);
        last = m.captured(1).toLongLong();
    }
    QCOMPARE(r.err.contains(QStringLiteral("串口记录：") + trace), code == 1);
    const QString hintText = QStringLiteral("无应答：请检查电缆连接、对讲机电源和端口选择");
    QCOMPARE(r.err.count(hintText), hint ? 1 : 0);
    if (fault == QLatin1String("-"))
        QVERIFY2(r.err.contains(QStringLiteral("/dev/ttyRADIOCPSNONE")), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TestLinkCliChecks)
#include "tst_link_cli_checks.moc"
