#include <QtTest>

#include "../support/wire_bytes.h"
#include "link/protocol.h"
#include "sim/radio_machine.h"
#include "sim/wire_clock.h"

namespace {

QByteArray request(int index) {
    return wireHeader(Protocol::kReadCommand, index);
}

QByteArray frame(int index, quint8 fill) {
    QByteArray f = request(index);
    f[0] = Protocol::kWriteCommand;
    return f + QByteArray(kBlockSize, char(fill));
}

// What the radio answers, block by block (0-based), to a read of `blocks` blocks: reply + answer to 06.
struct ReadTrace {
    QVector<QByteArray> replies;
    QVector<QByteArray> acks;
    bool hungUp = false;
};

ReadTrace readBlocks(RadioMachine& m, int blocks) {
    ReadTrace t;
    m.receive(kHandshake + QByteArray(1, Protocol::kReadMode));
    for (int b = 0; b < blocks; ++b) {
        const RadioReaction r = m.receive(request(b));
        t.hungUp = t.hungUp || r.hangUp;
        t.replies.append(r.reply);
        t.acks.append(m.receive(Protocol::kAck).reply);
    }
    return t;
}

} // namespace

class TestSimFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("block");
        using K = RadioFault::Kind;
        QTest::newRow("none") << "none" << true << int(K::None) << 0;
        QTest::newRow("empty") << "" << true << int(K::None) << 0;
        QTest::newRow("silent") << "silent" << true << int(K::Silent) << 0;
        QTest::newRow("noack") << "noack:5" << true << int(K::NoAck) << 5;
        QTest::newRow("short") << "short:1" << true << int(K::ShortReply) << 1;
        QTest::newRow("long") << "long:256" << true << int(K::LongReply) << 256;
        QTest::newRow("stop") << "STOP:3" << true << int(K::Stop) << 3;
        QTest::newRow("hangup") << "hangup:40" << true << int(K::HangUp) << 40;
        QTest::newRow("flip") << "flip:7" << true << int(K::Flip) << 7;
        QTest::newRow("no block") << "noack" << false << 0 << 0;
        QTest::newRow("block zero") << "stop:0" << false << 0 << 0;
        QTest::newRow("negative") << "hangup:-2" << false << 0 << 0;
        QTest::newRow("not a number") << "short:x" << false << 0 << 0;
        QTest::newRow("unknown") << "garble:3" << false << 0 << 0;
        QTest::newRow("silent with block") << "silent:3" << false << 0 << 0;
        QTest::newRow("two colons") << "noack:1:2" << false << 0 << 0;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        RadioFault f{RadioFault::Kind::Silent, 9};
        const Error e = RadioFault::parse(text, &f);
        QCOMPARE(!e.isError(), valid);
        if (!valid) {
            QCOMPARE(e.code, ErrorCode::InvalidArgument);
            QVERIFY(e.description.contains(text));
            return;
        }
        QTEST(int(f.kind), "kind");
        QTEST(f.block, "block");
        // The text form reads back to the same fault.
        RadioFault again;
        QVERIFY(!RadioFault::parse(f.text(), &again).isError());
        QCOMPARE(int(again.kind), int(f.kind));
        QCOMPARE(again.block, f.block);
    }

    void readFaults_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("replyLength");  // of block 2's reply (index 1)
        QTest::addColumn<QByteArray>("ack");   // answer to the tool's 06 after it
        QTest::addColumn<bool>("laterBlocks"); // block 3 is served normally
        QTest::addColumn<bool>("hungUp");
        QTest::newRow("none") << "none" << 12 << hex("06") << true << false;
        QTest::newRow("noack") << "noack:2" << 12 << hex("15") << true << false;
        QTest::newRow("short") << "short:2" << 11 << hex("06") << true << false;
        QTest::newRow("long") << "long:2" << 13 << hex("06") << true << false;
        QTest::newRow("stop") << "stop:2" << 0 << QByteArray() << false << false;
        QTest::newRow("hangup") << "hangup:2" << 0 << QByteArray() << false << true;
        QTest::newRow("silent") << "silent" << 0 << QByteArray() << false << false;
        QTest::newRow("flip has no say") << "flip:2" << 12 << hex("06") << true << false;
    }
    void readFaults() {
        QFETCH(QString, fault);
        QFETCH(int, replyLength);
        QFETCH(QByteArray, ack);
        QFETCH(bool, laterBlocks);
        QFETCH(bool, hungUp);
        RadioFault f;
        QVERIFY(!RadioFault::parse(fault, &f).isError());
        MemoryImage image = MemoryImage::blank(1);
        image.blocks[1] = {1, 2, 3, 4, 5, 6, 7, 8};
        RadioMachine m(image, f);
        const ReadTrace t = readBlocks(m, 3);
        QCOMPARE(t.replies[0].size(), f.kind == RadioFault::Kind::Silent ? 0 : 12);
        QCOMPARE(t.replies[1].size(), replyLength);
        const QByteArray full = request(1) + hex("0102030405060708");
        QCOMPARE(t.replies[1], QByteArray(full + char(0xFF)).left(replyLength));
        QCOMPARE(t.acks[1], ack);
        QCOMPARE(t.replies[2].size(), laterBlocks ? 12 : 0);
        QCOMPARE(t.hungUp, hungUp);
        QCOMPARE(m.stopped(), f.kind == RadioFault::Kind::Stop || f.kind == RadioFault::Kind::HangUp);
    }

    // Refusals and glitches happen once; a radio that stopped stays stopped, even after a new handshake.
    void faultsAfterRetry_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("answersAgain");
        QTest::newRow("noack") << "noack:2" << true;
        QTest::newRow("short") << "short:2" << true;
        QTest::newRow("long") << "long:2" << true;
        QTest::newRow("stop") << "stop:2" << false;
        QTest::newRow("hangup") << "hangup:2" << false;
    }
    void faultsAfterRetry() {
        QFETCH(QString, fault);
        QFETCH(bool, answersAgain);
        RadioFault f;
        QVERIFY(!RadioFault::parse(fault, &f).isError());
        RadioMachine m(MemoryImage::blank(1), f);
        readBlocks(m, 2);
        m.reset();
        const ReadTrace t = readBlocks(m, 2);
        QCOMPARE(t.replies[1].size(), answersAgain ? 12 : 0);
        QCOMPARE(t.acks[1], answersAgain ? hex("06") : QByteArray());
    }

    void writeFaults_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("answers");  // to the frames of blocks 1..3
        QTest::addColumn<QVector<int>>("stored"); // blocks (0-based) holding the written bytes
        QTest::addColumn<bool>("hungUp");
        QTest::newRow("none") << "none" << hex("060606") << QVector<int>{0, 1, 2} << false;
        QTest::newRow("noack") << "noack:2" << hex("061506") << QVector<int>{0, 2} << false;
        QTest::newRow("short has no say") << "short:2" << hex("060606") << QVector<int>{0, 1, 2} << false;
        QTest::newRow("stop") << "stop:2" << hex("06") << QVector<int>{0} << false;
        QTest::newRow("hangup") << "hangup:3" << hex("0606") << QVector<int>{0, 1} << true;
        QTest::newRow("flip") << "flip:2" << hex("060606") << QVector<int>{0, 2} << false;
    }
    void writeFaults() {
        QFETCH(QString, fault);
        QFETCH(QByteArray, answers);
        QFETCH(QVector<int>, stored);
        QFETCH(bool, hungUp);
        RadioFault f;
        QVERIFY(!RadioFault::parse(fault, &f).isError());
        RadioMachine m(MemoryImage::blank(1), f);
        m.receive(kHandshake + QByteArray(1, Protocol::kWriteMode));
        RadioReaction all;
        for (int b = 0; b < 3; ++b)
            all.append(m.receive(frame(b, quint8(0x10 + b))));
        QCOMPARE(all.reply, answers);
        QCOMPARE(all.hangUp, hungUp);
        for (int b = 0; b < 3; ++b)
            QCOMPARE(m.image().blocks[b] == filledBlock(quint8(0x10 + b)), stored.contains(b));
        if (f.kind == RadioFault::Kind::Flip) {
            // Stored with one bit changed, once: the same frame again is stored as sent.
            Block flipped = filledBlock(0x11);
            flipped[0] ^= 0x01;
            QCOMPARE(m.image().blocks[1], flipped);
            QCOMPARE(m.receive(frame(1, 0x11)).reply, hex("06"));
            QCOMPARE(m.image().blocks[1], filledBlock(0x11));
        }
    }

    void wireClock_data() {
        QTest::addColumn<int>("baud");
        QTest::addColumn<qint64>("byteNs");
        QTest::newRow("9600") << 9600 << qint64(1041666);
        QTest::newRow("1200") << 1200 << qint64(8333333);
        QTest::newRow("unpaced") << 0 << qint64(0);
    }
    void wireClock() {
        QFETCH(int, baud);
        QFETCH(qint64, byteNs);
        WireClock c(baud);
        QCOMPARE(c.byteNs(), byteNs);
        // Bytes handed over together leave one after another; a later byte waits for the wire or for itself.
        QCOMPARE(c.sent(1000), 1000 + byteNs);
        QCOMPARE(c.sent(1000), 1000 + 2 * byteNs);
        QCOMPARE(c.sent(1000 + 10 * byteNs + 5), 1000 + 11 * byteNs + 5);
        // The other direction has its own wire.
        QCOMPARE(c.received(1000), 1000 + byteNs);
        c.reset();
        QCOMPARE(c.sent(7), 7 + byteNs);
    }
};

QTEST_APPLESS_MAIN(TestSimFaults)
#include "tst_sim_faults.moc"
