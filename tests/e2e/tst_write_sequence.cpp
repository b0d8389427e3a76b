#include <QSignalSpy>
#include <QtTest>

#include "../unit/link_harness.h"
#include "document/radio_document.h"
#include "image/channel_file.h"
#include "link/qt_serial_port.h"
#include "link/write_sequence.h"
#include "sim/pty_radio.h"

// The write sequence over the real serial path, the virtual radio on the other end of a pty, both in this
// event loop: the read before the write, its backup and model check, the write and the read-back.
namespace {

// The document shows the test state's channels, in the models the radio's codes belong to.
void showState(RadioDocument& document, const LinkTestState& state) {
    document.models() = linkTestModels();
    LoadedChannelFile shown;
    shown.model = state.model;
    shown.table = state.table;
    shown.settings = state.settings;
    document.applyLoaded(shown, QString());
}

struct Backup {
    QString model;
    QByteArray contents;
};

} // namespace

class TestWriteSequence : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void backupAndModelCheck_data() {
        QTest::addColumn<int>("radioCode");
        QTest::addColumn<int>("radioIData");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("backupModel");
        using V = WriteSequence::Verdict;
        QTest::newRow("same model") << 0x71 << 1 << false << int(V::Written) << QStringLiteral("RC-160");
        QTest::newRow("same model, read back")
            << 0x71 << 1 << true << int(V::Verified) << QStringLiteral("RC-160");
        QTest::newRow("other band of the model")
            << 0x72 << 1 << true << int(V::OtherModel) << QStringLiteral("RC-160");
        QTest::newRow("other model") << 0x32 << 1 << false << int(V::OtherModel) << QStringLiteral("RC-168");
        // A code no entry has: the radio is taken as 256 blocks, and named by its code.
        QTest::newRow("unknown model") << 0x99 << 2 << false << int(V::OtherModel) << QStringLiteral("99");
    }
    void backupAndModelCheck() {
        QFETCH(int, radioCode);
        QFETCH(int, radioIData);
        QFETCH(bool, verify);
        QFETCH(int, verdict);
        QFETCH(QString, backupModel);
        // The document: model RC-160 in band (U), code 71.
        const LinkTestState state(TestModels::Rc160, 0, 16);
        RadioDocument document;
        showState(document, state);

        const MemoryImage before = TestModels::patternedImage(quint8(radioCode), radioIData);
        PtyRadio radio(RadioMachine(before), 0);
        QVERIFY(!radio.open().isError());
        QtSerialPort port;
        QVERIFY(!port.open(radio.devicePath()).isError());
        LinkTimings timings;
        timings.startDelayMs = 20;
        timings.noResponseMs = 2000;
        timings.wakeUpPacingMs = 5;
        WriteSequence sequence(port, document.models(), {true, verify, timings});
        QList<Backup> backups;
        sequence.setBackupHook([&backups, &radio](const QString& model, const QByteArray& contents) {
            // Handed over before anything is written.
            QCOMPARE(radio.machine().blocksWritten(), 0);
            backups.append({model, contents});
        });
        QVERIFY(!sequence.prepare(document).isError());
        QSignalSpy finished(&sequence, &TransferJob::finished);
        sequence.start();
        QVERIFY(finished.wait(30000));

        const WriteSequence::Report& report = sequence.report();
        QCOMPARE(int(report.verdict), verdict);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(backups[0].model, backupModel);
        QCOMPARE(backups[0].contents, ChannelFile::format(before));
        QCOMPARE(report.models.radioCode, QString::number(radioCode, 16).toUpper());
        QCOMPARE(report.models.documentCode, QStringLiteral("71"));
        QCOMPARE(report.written(), verdict != int(WriteSequence::Verdict::OtherModel));
        if (report.written()) {
            QCOMPARE(sequence.result().outcome, TransferResult::Outcome::Completed);
            QCOMPARE(radio.machine().image().blocks, sequence.image().blocks);
        } else {
            // Not a byte of the document reached the radio.
            QCOMPARE(radio.machine().blocksWritten(), 0);
            QCOMPARE(radio.machine().image().blocks, before.blocks);
        }
        QCOMPARE(radio.machine().blocksRead(), before.size() + (verify && report.written() ? 128 : 0));
        QVERIFY(!port.isOpen());
    }

    // A cancel in the pause between two stages ends the sequence there.
    void cancelBetweenStages() {
        const LinkTestState state(TestModels::Rc160, 0, 4);
        RadioDocument document;
        showState(document, state);
        PtyRadio radio(RadioMachine(TestModels::patternedImage(0x71, 1)), 0);
        QVERIFY(!radio.open().isError());
        QtSerialPort port;
        QVERIFY(!port.open(radio.devicePath()).isError());
        LinkTimings timings;
        timings.startDelayMs = 60000; // the pause after the read: the cancel comes within it
        timings.wakeUpPacingMs = 5;
        WriteSequence sequence(port, document.models(), {true, false, timings});
        QVERIFY(!sequence.prepare(document).isError());
        QSignalSpy finished(&sequence, &TransferJob::finished);
        sequence.start();
        QTRY_VERIFY_WITH_TIMEOUT(sequence.stage() == WriteSequence::Stage::Write, 20000);
        QVERIFY(sequence.isRunning());
        sequence.cancel();
        QCOMPARE(finished.size(), 1);
        QVERIFY(sequence.isFinished());
        QCOMPARE(sequence.result().outcome, TransferResult::Outcome::Cancelled);
        QCOMPARE(int(sequence.report().verdict), int(WriteSequence::Verdict::WriteFailed));
        QCOMPARE(radio.machine().blocksWritten(), 0);
    }

    // A hold (the cancel question) in the wait before the first stage, and in the pause between two
    // stages, keeps the stage from waking the radio until it ends; then the sequence goes on.
    void holdBetweenStages() {
        const LinkTestState state(TestModels::Rc160, 0, 4);
        RadioDocument document;
        showState(document, state);
        PtyRadio radio(RadioMachine(TestModels::patternedImage(0x71, 1)), 0);
        QVERIFY(!radio.open().isError());
        QtSerialPort port;
        QVERIFY(!port.open(radio.devicePath()).isError());
        LinkTimings timings;
        timings.startDelayMs = 200;
        timings.wakeUpPacingMs = 5;
        WriteSequence sequence(port, document.models(), {true, false, timings});
        QVERIFY(!sequence.prepare(document).isError());
        QSignalSpy finished(&sequence, &TransferJob::finished);
        sequence.start(200);
        sequence.pause();
        QTest::qWait(400);
        QCOMPARE(radio.stats().bytesIn, 0); // not even a wake-up byte
        sequence.resume();
        QDeadlineTimer deadline(20000);
        while (sequence.stage() != WriteSequence::Stage::Write && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCOMPARE(int(sequence.stage()), int(WriteSequence::Stage::Write));
        sequence.pause();
        QTest::qWait(600);
        QCOMPARE(radio.machine().blocksWritten(), 0);
        QCOMPARE(finished.size(), 0);
        sequence.resume();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QCOMPARE(int(sequence.report().verdict), int(WriteSequence::Verdict::Written));
        QVERIFY(radio.machine().blocksWritten() > 0);
    }
};

QTEST_GUILESS_MAIN(TestWriteSequence)
#include "tst_write_sequence.moc"
