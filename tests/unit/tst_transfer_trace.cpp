// The serial trace of a transfer: its lines as support reads them, and the folder that keeps the last ones.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "link/trace_store.h"
#include "link/transfer_trace.h"

class TestTransferTrace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data();
    void lines();
    void savedWhole();
    void floodIsCut_data();
    void floodIsCut();
    void storeKeepsTheNewest_data();
    void storeKeepsTheNewest();
    void folderFromEnvironment();
};

// Each event "ms what": TX/RX with hex bytes, T<n> for a timer, C a cancel, L a lost link, O a failed open.
void TestTransferTrace::lines_data() {
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("bursts in both directions")
        << QStringList{"0 TX 02", "101 TX 50", "512 RX 060606"}
        << QByteArray("       0 TX 02\n     101 TX 50\n     512 RX 06 06 06\n");
    QTest::newRow("every timer by name")
        << QStringList{"5000 T3", "60000 T0", "60001 T1", "60002 T2"}
        << QByteArray("    5000 TIMER no-answer-hint\n   60000 TIMER no-response\n"
                      "   60001 TIMER wake-up-pacing\n   60002 TIMER drain\n");
    QTest::newRow("cancel, lost link, failed open")
        << QStringList{"7 C", "8 L", "9 O"}
        << QByteArray("       7 CANCEL\n       8 LOST 8015 gone away\n"
                      "       9 OPEN /dev/ttyUSB9 FAILED 8002 no such port\n");
    QTest::newRow("empty bursts leave no line") << QStringList{"1 TX ", "2 RX "} << QByteArray();
    QTest::newRow("a long trace keeps its columns")
        << QStringList{"86399999 RX ff"} << QByteArray("86399999 RX FF\n");
}

void TestTransferTrace::lines() {
    QFETCH(QStringList, events);
    qint64 now = 0;
    TransferTrace trace([&now] { return now; });
    for (const QString& e : events) {
        const QStringList parts = e.split(QLatin1Char(' '));
        now = parts[0].toLongLong();
        const QString what = parts[1];
        if (what == QLatin1String("TX"))
            trace.sent(QByteArray::fromHex(parts.value(2).toLatin1()));
        else if (what == QLatin1String("RX"))
            trace.received(QByteArray::fromHex(parts.value(2).toLatin1()));
        else if (what.startsWith(QLatin1Char('T')))
            trace.timerExpired(LinkTimer(what.mid(1).toInt()));
        else if (what == QLatin1String("C"))
            trace.cancelled();
        else if (what == QLatin1String("L"))
            trace.linkLost({8015, QStringLiteral("gone \n away")});
        else if (what == QLatin1String("O"))
            trace.openFailed(QStringLiteral("/dev/ttyUSB9"), {8002, QStringLiteral("no such port")});
    }
    QTEST(trace.text(), "text");
}

void TestTransferTrace::savedWhole() {
    QTemporaryDir dir;
    TransferTrace trace([] { return 3; });
    trace.sent(QByteArray::fromHex("4d"));
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    QVERIFY(!trace.save(path).isError());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), trace.text());
    // A folder in the way is refused and left alone.
    QVERIFY(trace.save(dir.path()).isError());
}

void TestTransferTrace::floodIsCut_data() {
    QTest::addColumn<qsizetype>("limit");
    QTest::addColumn<int>("burst"); // bytes a burst
    QTest::addColumn<int>("bursts");
    QTest::addColumn<bool>("cut");
    QTest::newRow("under the limit") << qsizetype(4096) << 8 << 10 << false;
    QTest::newRow("many small bursts") << qsizetype(4096) << 8 << 1000 << true;
    QTest::newRow("one burst larger than the limit") << qsizetype(4096) << 10000 << 1 << true;
    QTest::newRow("the default, flooded")
        << TransferTrace::kLimit << 64 * 1024 << int(TransferTrace::kLimit / (64 * 1024)) << true;
}

// A port that floods cannot grow the trace past its limit; the last line says where it stopped.
void TestTransferTrace::floodIsCut() {
    QFETCH(qsizetype, limit);
    QFETCH(int, burst);
    QFETCH(int, bursts);
    QFETCH(bool, cut);
    TransferTrace trace([] { return 42; }, limit);
    const QByteArray bytes(burst, char(0xA5));
    for (int i = 0; i < bursts; ++i)
        trace.received(bytes);
    trace.cancelled();
    const QByteArray& text = trace.text();
    QVERIFY(text.size() <= limit);
    QVERIFY(text.startsWith("      42 RX A5 A5"));
    if (cut) {
        // Filled up to the limit, but for the rest of a word and a time column.
        QVERIFY(text.size() > limit - 24);
        const QByteArray note = "\n      42 " + TransferTrace::cutNote(limit) + '\n';
        QVERIFY(text.endsWith(note));
    } else {
        QVERIFY(text.endsWith("A5\n      42 CANCEL\n"));
    }
}

void TestTransferTrace::storeKeepsTheNewest_data() {
    QTest::addColumn<int>("before"); // traces already in the folder, one a minute
    QTest::addColumn<int>("after");
    QTest::newRow("first") << 0 << 1;
    QTest::newRow("one short of full") << TraceStore::kKeep - 1 << TraceStore::kKeep;
    QTest::newRow("full") << TraceStore::kKeep << TraceStore::kKeep;
    QTest::newRow("over full from elsewhere") << TraceStore::kKeep + 5 << TraceStore::kKeep;
}

void TestTransferTrace::storeKeepsTheNewest() {
    QFETCH(int, before);
    QFETCH(int, after);
    QTemporaryDir dir;
    const TraceStore store(dir.filePath(QStringLiteral("new/traces")));
    const QDateTime start(QDate(2026, 12, 9), QTime(4, 15, 2));
    TransferTrace trace;
    trace.sent("x");
    for (int i = 0; i < before; ++i)
        QVERIFY(!store.save(trace, store.pathFor(QStringLiteral("读频"), start.addSecs(60 * i))).isError());
    // Something that is not a trace stays whatever happens.
    QVERIFY(QDir().mkpath(store.folder()));
    QVERIFY(QFile(store.folder() + QStringLiteral("/notes.md")).open(QIODevice::WriteOnly));
    const QString newest = store.pathFor(QStringLiteral("写频"), start.addDays(1));
    QVERIFY(QFileInfo(newest).fileName().startsWith(QStringLiteral("20261210-041502-000-写频")));
    QVERIFY(!store.save(trace, newest).isError());
    const QStringList left =
        QDir(store.folder()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    QCOMPARE(left.size(), after);
    QCOMPARE(left.last(), QFileInfo(newest).fileName());
    if (before >= after) // the oldest went first
        QCOMPARE(left.first(),
                 QFileInfo(store.pathFor(QStringLiteral("读频"), start.addSecs(60 * (before - after + 1))))
                     .fileName());
    QVERIFY(QFile::exists(store.folder() + QStringLiteral("/notes.md")));
}

void TestTransferTrace::folderFromEnvironment() {
    QTemporaryDir dir;
    qputenv("RADIOCPS_TRACE_DIR", QFile::encodeName(dir.path()));
    QCOMPARE(TraceStore::defaultFolder(), dir.path());
    qunsetenv("RADIOCPS_TRACE_DIR");
    QVERIFY(TraceStore::defaultFolder().endsWith(QStringLiteral("/traces")));
}

QTEST_GUILESS_MAIN(TestTransferTrace)
#include "tst_transfer_trace.moc"
