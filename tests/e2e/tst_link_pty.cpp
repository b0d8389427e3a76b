#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "../unit/link_harness.h"
#include "file_bytes.h"
#include "image/write_image.h"
#include "link/qt_serial_port.h"
#include "link/read_transfer.h"
#include "link/received_file.h"
#include "link/transfer_driver.h"
#include "link/write_transfer.h"
#include "sim/pty_radio.h"

// The transfers over the real serial path: QtSerialPort on the slave side of a pseudo-terminal, the
// virtual radio on the master side, both in this event loop. Short timers; nothing waits a minute.
namespace {

TransferMachine::Options fastOptions() {
    TransferMachine::Options o;
    o.timings.noResponseMs = 400;
    o.timings.wakeUpPacingMs = 5;
    return o;
}

struct Run {
    TransferResult result;
    QStringList messages;
    QStringList captions;
    bool portOpenAfter = true;
};

// Runs a machine over the pty until it finishes; `onProgress` may cancel.
Run runOverPty(PtyRadio& radio, TransferMachine& machine, ReceivedFile* file,
               std::function<void(TransferDriver&, double)> onProgress = {},
               std::function<void(TransferDriver&, int)> onSent = {}) {
    Run run;
    QtSerialPort port;
    const Error e = port.open(radio.devicePath());
    if (e.isError()) {
        run.messages << e.description;
        return run;
    }
    TransferDriver driver(port, machine);
    if (file)
        driver.setBlockSink([file](const QByteArray& reply) { return file->append(reply); });
    QObject::connect(&driver, &TransferDriver::messageRequested, [&](const TransferMessage& m) {
        run.messages << wording(m);
        driver.messageClosed();
    });
    QObject::connect(&driver, &TransferDriver::captionChanged,
                     [&](TransferCaption c) { run.captions << TransferTexts::caption(c); });
    int sent = 0;
    QObject::connect(&driver, &TransferDriver::bytesSent, [&](int n) {
        sent += n;
        if (onSent)
            onSent(driver, sent);
    });
    if (onProgress)
        QObject::connect(&driver, &TransferDriver::progressChanged,
                         [&](double v, int) { onProgress(driver, v); });
    QSignalSpy finished(&driver, &TransferDriver::finished);
    driver.start();
    if (!driver.isFinished())
        finished.wait(30000);
    run.result = driver.result();
    run.portOpenAfter = port.isOpen();
    return run;
}

} // namespace

class TestLinkPty : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir_.isValid()); }
    void fullRead_data();
    void fullRead();
    void fullWrite();
    void readFailures_data();
    void readFailures();
    void hangUpMidWrite();
    void cancelRead_data();
    void cancelRead();
    void cancelWrite();
    void openMissingDevice();

private:
    QTemporaryDir dir_;
};

void TestLinkPty::fullRead_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("iData");
    QTest::newRow("128 blocks") << 0x71 << 1;
    QTest::newRow("256 blocks") << 0x41 << 2;
}

void TestLinkPty::fullRead() {
    QFETCH(int, code);
    QFETCH(int, iData);
    const MemoryImage image = linkTestImage(quint8(code), iData);
    PtyRadio radio(RadioMachine(image), 0);
    QVERIFY(!radio.open().isError());
    ReadTransfer machine(linkTestModels(), fastOptions());
    ReceivedFile file(dir_.filePath(QStringLiteral("read.qfd")));
    QVERIFY(!file.begin().isError());
    const Run run = runOverPty(radio, machine, &file);
    QCOMPARE(run.result.outcome, TransferResult::Outcome::Completed);
    QVERIFY(run.messages.isEmpty());
    QVERIFY(!run.portOpenAfter);
    QCOMPARE(run.captions, (QStringList{TransferTexts::caption(TransferCaption::Connecting),
                                        TransferTexts::caption(TransferCaption::Reading)}));
    // The received file holds the radio's image, line by line with the trailing space.
    MemoryImage expected = image;
    QByteArray text = ChannelFile::format(expected);
    text.replace("\r\n", " \r\n");
    QVERIFY(!file.keep().isError());
    QCOMPARE(fileBytes(file.path()), text);
}

void TestLinkPty::fullWrite() {
    const LinkTestState s(3, 0, 7); // 12 channels, layout 1: 256 blocks
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    PtyRadio radio(RadioMachine(MemoryImage::blank(2)), 0);
    QVERIFY(!radio.open().isError());
    WriteTransfer machine(image, s.model.strType, fastOptions());
    const Run run = runOverPty(radio, machine, nullptr);
    QCOMPARE(run.result.outcome, TransferResult::Outcome::Completed);
    QVERIFY(!run.portOpenAfter);
    QTRY_COMPARE(radio.machine().blocksWritten(), 256);
    QVERIFY(radio.machine().image().blocks == image.blocks);
}

void TestLinkPty::readFailures_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("lines");     // lines of the received file, decoded
    QTest::addColumn<QString>("first"); // the first message
    using O = TransferResult::Outcome;
    const QString noResp = wording(TransferMessage::noResponse());
    const QString comm = wording(TransferMessage::communicationError());
    QTest::newRow("silence") << "silent" << int(O::NoResponse) << 0 << noResp;
    QTest::newRow("no acknowledgement mid-read") << "noack:30" << int(O::CommunicationError) << 30 << comm;
    QTest::newRow("short reply") << "short:12" << int(O::NoResponse) << 11 << noResp;
    QTest::newRow("long reply") << "long:12" << int(O::CommunicationError) << -1 << comm;
    QTest::newRow("stops answering") << "stop:50" << int(O::NoResponse) << 49 << noResp;
    QTest::newRow("hang-up mid-read") << "hangup:20" << int(O::LinkLost) << 19 << QString();
}

void TestLinkPty::readFailures() {
    QFETCH(QString, fault);
    QFETCH(int, outcome);
    QFETCH(int, lines);
    QFETCH(QString, first);
    const LinkTestState s(0, 0, 16);
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    PtyRadio radio(RadioMachine(image, radioFault(fault)), 0);
    QVERIFY(!radio.open().isError());
    const QString device = radio.devicePath();
    ReadTransfer machine(linkTestModels(), fastOptions());
    ReceivedFile file(dir_.filePath(QStringLiteral("partial.qfd")));
    QVERIFY(!file.begin().isError());
    QElapsedTimer clock;
    clock.start();
    const Run run = runOverPty(radio, machine, &file);
    QVERIFY(clock.elapsed() < 10000);
    QCOMPARE(int(run.result.outcome), outcome);
    QVERIFY(!run.portOpenAfter);
    QVERIFY(!run.messages.isEmpty());
    if (first.isEmpty()) {
        // The link is gone: the message names the port, then the block count of the read.
        QVERIFY2(run.messages[0].contains(device), qPrintable(run.messages[0]));
        QCOMPARE(run.messages.value(1), wording(TransferMessage::readBlocksSent(20, 1)));
    } else {
        QCOMPARE(run.messages[0], first);
    }
    // A long reply may reach the tool in one piece or as 12 + 1: 11 or 12 lines.
    const int got = fileBytes(file.dataPath()).count('\n');
    if (lines >= 0)
        QCOMPARE(got, lines);
    else
        QVERIFY(got == 11 || got == 12);
    QCOMPARE(run.result.decode, fault != QLatin1String("silent"));
    if (got > 0) {
        // What arrived decodes: the channels of the complete lines are there.
        RadioSettings before;
        before.selectStartupDefaults();
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(file.dataPath(), linkTestModels(), before, &loaded).isError());
        QCOMPARE(loaded.linesRead, got);
        QVERIFY(!loaded.complete);
        QCOMPARE(loaded.table.cell(1, 1), s.table.cell(1, 1));
    }
}

void TestLinkPty::hangUpMidWrite() {
    const LinkTestState s(0, 0, 16);
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    PtyRadio radio(RadioMachine(MemoryImage::blank(1), radioFault(QStringLiteral("hangup:15"))), 0);
    QVERIFY(!radio.open().isError());
    const QString device = radio.devicePath();
    WriteTransfer machine(image, 16, fastOptions());
    const Run run = runOverPty(radio, machine, nullptr);
    QCOMPARE(run.result.outcome, TransferResult::Outcome::LinkLost);
    QVERIFY(!run.portOpenAfter);
    QCOMPARE(run.messages.size(), 3);
    QVERIFY(run.messages[2].contains(device));
    QCOMPARE(run.result.error.code, ErrorCode::PortFailure);
}

void TestLinkPty::cancelRead_data() {
    QTest::addColumn<int>("atBlock"); // 0: during the handshake
    QTest::newRow("handshake") << 0;
    QTest::newRow("block 40") << 40;
}

void TestLinkPty::cancelRead() {
    QFETCH(int, atBlock);
    PtyRadio radio(RadioMachine(linkTestImage(0x71, 1)), 9600);
    QVERIFY(!radio.open().isError());
    ReadTransfer machine(linkTestModels(), fastOptions());
    ReceivedFile file(dir_.filePath(QStringLiteral("cancel.qfd")));
    QVERIFY(!file.begin().isError());
    const Run run = runOverPty(
        radio, machine, &file,
        [atBlock](TransferDriver& d, double v) {
            if (atBlock > 0 && int(v) == atBlock)
                d.cancel();
        },
        [atBlock](TransferDriver& d, int sent) {
            if (atBlock == 0 && sent == 3)
                d.cancel();
        });
    QCOMPARE(run.result.outcome, TransferResult::Outcome::Cancelled);
    QCOMPARE(run.result.decode, atBlock > 0);
    QCOMPARE(fileBytes(file.dataPath()).count('\n'), atBlock);
    QVERIFY(run.messages.isEmpty());
}

void TestLinkPty::cancelWrite() {
    const LinkTestState s(1, 0, 16);
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    PtyRadio radio(RadioMachine(MemoryImage::blank(1)), 9600);
    QVERIFY(!radio.open().isError());
    WriteTransfer machine(image, 16, fastOptions());
    const Run run = runOverPty(radio, machine, nullptr, [](TransferDriver& d, double v) {
        if (v >= 10)
            d.cancel();
    });
    QCOMPARE(run.result.outcome, TransferResult::Outcome::Cancelled);
    QTest::qWait(100);
    QVERIFY(radio.machine().blocksWritten() < 20);
}

void TestLinkPty::openMissingDevice() {
    QtSerialPort port;
    const Error e = port.open(dir_.filePath(QStringLiteral("no-such-tty")));
    QCOMPARE(e.code, ErrorCode::NoSuchPort);
    QVERIFY(e.description.contains(QStringLiteral("no-such-tty")));
    QVERIFY(!port.isOpen());
}

QTEST_GUILESS_MAIN(TestLinkPty)
#include "tst_link_pty.moc"
