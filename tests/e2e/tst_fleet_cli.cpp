#include <QtTest>
#include <csignal>

#include "cli_harness.h"
#include "texts/fleet_texts.h"

using namespace CliHarness;

// radiocps-cli fleet against fleets of virtual radios, each on its own pty: the radios come and go as a
// dealer plugs them in, one of them faulty; the log; stopping in the middle.
namespace {

// The virtual radios of a port: a fresh one 2.5 s after the tool is through with the last, well beyond the
// tool's gap of 1 s below even on a busy machine.
QStringList fleetSim(int radios, const QString& fault = {}) {
    QStringList args{"--swap", "2.5", "--radios", QString::number(radios)};
    if (!fault.isEmpty())
        args << "--fault" << fault;
    return args;
}

QStringList fleetArgs(const QStringList& devices, const QStringList& more) {
    QStringList args{"fleet", kSample, "--config", kConfig, "--gap", "1", "--timeout", "2"};
    for (const QString& d : devices)
        args << "--port" << d;
    return args + more;
}

// The lines radiocps-cli printed for the radios, split into their cells.
QList<QStringList> radioLines(const QString& out) {
    QList<QStringList> lines;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
        lines << line.split(QStringLiteral("  "));
    return lines;
}

} // namespace

class TestFleetCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two ports of three radios each; the first radio of the first port is faulty and recorded as failed,
    // the five others are written and read back the same. The log holds what stdout said.
    void twoPortsOneFaultyRadio_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("check");
        QTest::newRow("a bit flipped in a write") << "flip:5"
                                                  << "校验不一致：信道 2"
                                                  << "不一致";
        QTest::newRow("stops answering in the write") << "stop:40"
                                                      << "失败：对讲机没有响应"
                                                      << "—";
    }
    void twoPortsOneFaultyRadio() {
        QFETCH(QString, fault);
        QFETCH(QString, result);
        QFETCH(QString, check);
        QTemporaryDir dir;
        if (!prepareCliTest(dir))
            QSKIP("radiocps-sim or the sample is not built");
        Sim faulty;
        Sim healthy;
        QVERIFY(faulty.start(fleetSim(3, fault)));
        QVERIFY(healthy.start(fleetSim(3)));
        const QString log = dir.filePath("log.csv");
        const Result r =
            cli(fleetArgs({faulty.device, healthy.device}, {"--count", "6", "--log", log}), 120000);
        QCOMPARE(r.code, 1);
        const QList<QStringList> lines = radioLines(r.out);
        QCOMPARE(lines.size(), 6);
        QStringList failed;
        QList<int> numbers;
        QMap<QString, int> perPort;
        for (int i = 0; i < lines.size(); ++i) {
            const QStringList& cells = lines[i];
            QCOMPARE(cells.size(), FleetTexts::columns().size());
            numbers << cells[0].toInt(); // in the order they answered
            ++perPort[cells[1]];
            QCOMPARE(cells[3], QStringLiteral("RC-160"));
            if (cells[4] != QStringLiteral("成功"))
                failed << cells[1] + ' ' + cells[4] + ' ' + cells[5];
            else
                QCOMPARE(cells[5], QStringLiteral("一致"));
            QVERIFY2(QFile::exists(cells[7]), qPrintable(cells[7])); // every write keeps its backup
        }
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(failed, QStringList{faulty.device + ' ' + result + ' ' + check});
        QCOMPARE(perPort.value(faulty.device), 3);
        QCOMPARE(perPort.value(healthy.device), 3);
        QVERIFY2(r.err.contains(FleetTexts::counter(5, 1)), qPrintable(r.err));

        // The log: a header line and the same cells, as CSV.
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList logLines = QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(logLines.size(), 7);
        QCOMPARE(logLines[0], FleetTexts::columns().join(','));
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(logLines[i + 1].split(','), lines[i]);
    }

    // Ctrl+C while both ports write: once, each radio is written to the end and the run ends; twice, the
    // writes stop where they stand and are recorded as stopped.
    void stopInTheMiddle_data() {
        QTest::addColumn<int>("stops");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("code");
        QTest::newRow("once") << 1 << "成功" << 0;
        QTest::newRow("twice") << 2 << "已停止" << 1;
    }
    void stopInTheMiddle() {
        QFETCH(int, stops);
        QFETCH(QString, result);
        QFETCH(int, code);
        QTemporaryDir dir;
        if (!prepareCliTest(dir))
            QSKIP("radiocps-sim or the sample is not built");
        Sim a;
        Sim b;
        // At 9600 baud a write takes seconds: time to stop it in the middle.
        QVERIFY(a.start(fleetSim(3) << "--baud"
                                    << "9600"));
        QVERIFY(b.start(fleetSim(3) << "--baud"
                                    << "9600"));
        QProcess p;
        p.start(kBin + "/radiocps-cli", fleetArgs({a.device, b.device}, {"--no-verify"}));
        QVERIFY(p.waitForStarted());
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT(
            (err += p.readAllStandardError()).count("第 1 台：写频") + err.count("第 2 台：写频") == 2,
            20000);
        QTest::qWait(500); // well into the blocks
        for (int i = 0; i < stops; ++i) {
            ::kill(pid_t(p.processId()), SIGINT);
            QTest::qWait(100);
        }
        QVERIFY(p.state() == QProcess::NotRunning || p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), code);
        const QList<QStringList> lines = radioLines(QString::fromUtf8(p.readAllStandardOutput()));
        QCOMPARE(lines.size(), 2);
        for (const QStringList& cells : lines)
            QCOMPARE(cells.value(4), result);
    }
};

QTEST_GUILESS_MAIN(TestFleetCli)
#include "tst_fleet_cli.moc"
