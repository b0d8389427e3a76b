#include <QtTest>

#include "../support/test_models.h"

#include "../support/wire_bytes.h"
#include "link/protocol.h"
#include "sim/radio_machine.h"

namespace {

QByteArray blockBytes(const Block& block) {
    QByteArray out;
    for (quint8 b : block)
        out += char(b);
    return out;
}

Block blockOf(int seed) {
    Block b;
    for (int i = 0; i < kBlockSize; ++i)
        b[i] = quint8(seed * 13 + i);
    return b;
}

const QByteArray kHandshakeReply = hex("060606") + hex("06");

RadioReaction feedBytewise(RadioMachine& m, const QByteArray& bytes) {
    RadioReaction all;
    for (char b : bytes)
        all.append(m.receive(b));
    return all;
}

} // namespace

class TestSimMachine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wakeUp_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("answeredAfter"); // index of the byte that completes the sequence, -1 none
        const QByteArray s = Protocol::kWakeUp;
        for (int k = 0; k < s.size(); ++k) {
            // The tool may have been cycling for a while when the radio starts listening.
            const QByteArray lead = k == 0 ? QByteArray() : s.mid(k);
            QTest::newRow(qPrintable(QStringLiteral("cycle from byte %1").arg(k)))
                << lead + s + s.left(3) << int(lead.size()) + 6;
        }
        QTest::newRow("after garbage") << hex("FF00524102") + s << 11;
        QTest::newRow("after a false start") << hex("025052") + s << 9;
        QTest::newRow("02 inside restarts") << hex("02505202") + s.mid(1) << 9;
        QTest::newRow("one byte missing") << hex("0250524F4752") + hex("0250524F5241") << -1;
        QTest::newRow("one byte wrong") << hex("0250524F475242") << -1;
        QTest::newRow("completing byte alone") << hex("4D4D") << -1;
    }
    void wakeUp() {
        QFETCH(QByteArray, input);
        QFETCH(int, answeredAfter);
        RadioMachine m(MemoryImage::blank(1));
        int firstAnswer = -1;
        QByteArray replies;
        for (int i = 0; i < input.size(); ++i) {
            const RadioReaction r = m.receive(input[i]);
            if (!r.reply.isEmpty() && firstAnswer < 0)
                firstAnswer = i;
            replies += r.reply;
        }
        QCOMPARE(firstAnswer, answeredAfter);
        if (answeredAfter >= 0) {
            // Answered once, with more than one byte holding 06; more wake-up bytes are then ignored.
            QCOMPARE(replies, hex("060606"));
            QCOMPARE(m.phase(), RadioMachine::Phase::Completing);
            QCOMPARE(m.receive(Protocol::kComplete).reply, hex("06"));
            QCOMPARE(m.phase(), RadioMachine::Phase::Programming);
        } else {
            QVERIFY(replies.isEmpty());
            QCOMPARE(m.phase(), RadioMachine::Phase::Waking);
        }
    }

    void fullRead_data() {
        QTest::addColumn<int>("iData");
        QTest::newRow("128 blocks") << 1;
        QTest::newRow("256 blocks") << 2;
    }
    void fullRead() {
        QFETCH(int, iData);
        const MemoryImage image = TestModels::patternedImage(iData);
        RadioMachine m(image);
        QCOMPARE(feedBytewise(m, kHandshake).reply, kHandshakeReply);
        QCOMPARE(m.receive(Protocol::kReadMode).reply, hex("06"));
        QVERIFY(m.inTransfer());
        for (int b = 0; b < image.size(); ++b) {
            const QByteArray request = wireHeader(Protocol::kReadCommand, b);
            QCOMPARE(feedBytewise(m, request).reply, request + blockBytes(image.blocks[b]));
            QCOMPARE(m.receive(Protocol::kAck).reply, hex("06"));
        }
        QCOMPARE(m.blocksRead(), image.size());
        // Past the end of the memory there is nothing to answer.
        QVERIFY(feedBytewise(m, wireHeader(Protocol::kReadCommand, image.size())).reply.isEmpty());
        // The last block ended the session: even block 0 needs a new handshake now.
        QVERIFY(!m.inSession());
        QVERIFY(feedBytewise(m, hex("05") + wireHeader(Protocol::kReadCommand, 0)).reply.isEmpty());
        QCOMPARE(feedBytewise(m, kHandshake + hex("05") + wireHeader(Protocol::kReadCommand, 0)).reply,
                 kHandshakeReply + hex("06") + wireHeader(Protocol::kReadCommand, 0) +
                     blockBytes(image.blocks[0]));
    }

    void fullWrite_data() { fullRead_data(); }
    void fullWrite() {
        QFETCH(int, iData);
        const MemoryImage target = TestModels::patternedImage(iData);
        RadioMachine m(MemoryImage::blank(iData));
        feedBytewise(m, kHandshake);
        QCOMPARE(m.receive(Protocol::kWriteMode).reply, hex("06"));
        for (int b = 0; b < target.size(); ++b) {
            const RadioReaction r =
                feedBytewise(m, wireHeader(Protocol::kWriteCommand, b) + blockBytes(target.blocks[b]));
            QCOMPARE(r.reply, hex("06"));
            QVERIFY(r.imageChanged);
        }
        QCOMPARE(m.image().blocks, target.blocks);
        QCOMPARE(m.blocksWritten(), target.size());
        // The last frame ended the session: a frame now is ignored, and needs a new handshake.
        QVERIFY(!m.inSession());
        const QByteArray frame5 = wireHeader(Protocol::kWriteCommand, 5) + blockBytes(blockOf(5));
        QVERIFY(m.receive(frame5).reply.isEmpty());
        QCOMPARE(m.image().blocks, target.blocks);
        // Writing the same bytes again is acknowledged but changes nothing.
        feedBytewise(m, kHandshake + hex("0A"));
        const RadioReaction again =
            m.receive(wireHeader(Protocol::kWriteCommand, 5) + blockBytes(target.blocks[5]));
        QCOMPARE(again.reply, hex("06"));
        QVERIFY(!again.imageChanged);
    }

    // One conversation with both modes, a restart and garbage; every split of it must give the same.
    void everySplit() {
        QByteArray input = hex("FFFF02") + kHandshake + QByteArray(1, Protocol::kReadMode);
        QByteArray expected = kHandshakeReply + hex("06");
        const MemoryImage image = TestModels::patternedImage(1);
        for (int b : {0, 1, 31, 32, 127}) {
            input += wireHeader(Protocol::kReadCommand, b) + hex("06");
            expected += wireHeader(Protocol::kReadCommand, b) + blockBytes(image.blocks[b]) + hex("06");
        }
        input += hex("3352000308") + kHandshake + QByteArray(1, Protocol::kWriteMode);
        expected += kHandshakeReply + hex("06");
        for (int b : {0, 2, 127}) {
            input += wireHeader(Protocol::kWriteCommand, b) + blockBytes(blockOf(b));
            expected += hex("06");
        }
        MemoryImage written = image;
        for (int b : {0, 2, 127})
            written.blocks[b] = blockOf(b);

        for (int cut = 0; cut <= input.size(); ++cut) {
            RadioMachine m(image);
            RadioReaction r = m.receive(input.left(cut));
            r.append(m.receive(input.mid(cut)));
            QCOMPARE(r.reply, expected);
            QCOMPARE(m.image().blocks, written.blocks);
        }
        RadioMachine m(image);
        QCOMPARE(feedBytewise(m, input).reply, expected);
    }

    void programmingInput_data() {
        QTest::addColumn<char>("mode");
        QTest::addColumn<int>("iData");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const MemoryImage image = TestModels::patternedImage(2);
        const QByteArray block1 = hex("52000808") + blockBytes(image.blocks[1]);
        const char read = Protocol::kReadMode;
        const char write = Protocol::kWriteMode;
        QTest::newRow("misaligned address") << read << 1 << hex("52000308") << QByteArray();
        QTest::newRow("wrong length byte") << read << 1 << hex("52000807") << QByteArray();
        QTest::newRow("past 128 blocks") << read << 1 << hex("52040008") << QByteArray();
        QTest::newRow("inside 256 blocks")
            << read << 2 << hex("52040008") << hex("52040008") + blockBytes(image.blocks[128]);
        QTest::newRow("bad header then good") << read << 1 << hex("5252000808") << block1;
        QTest::newRow("garbage before request") << read << 1 << hex("00FF4D") + hex("52000808") << block1;
        QTest::newRow("ack without a reply") << read << 1 << hex("0606") << QByteArray();
        QTest::newRow("one ack per reply") << read << 1 << hex("520008080606") << block1 + hex("06");
        QTest::newRow("write frame in read mode")
            << read << 1 << hex("570008080000000000000000") << QByteArray();
        QTest::newRow("read request in write mode") << write << 1 << hex("52000808") << QByteArray();
        QTest::newRow("mode byte again") << write << 1 << hex("05") + hex("52000808") << hex("06") + block1;
        QTest::newRow("write then read back")
            << write << 1 << hex("57000808") + blockBytes(blockOf(9)) + hex("05") + hex("52000808")
            << hex("0606") + hex("52000808") + blockBytes(blockOf(9));
        QTest::newRow("wake-up inside write data")
            << write << 1 << hex("57000808") + Protocol::kWakeUp + hex("00") << hex("06");
        QTest::newRow("before any mode")
            << char(0) << 1 << hex("52000808") + hex("57000808") + QByteArray(8, 0) << QByteArray();
    }
    void programmingInput() {
        QFETCH(char, mode);
        QFETCH(int, iData);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        MemoryImage image = TestModels::patternedImage(2);
        image.blocks.resize(blockCount(iData));
        RadioMachine m(image);
        feedBytewise(m, kHandshake);
        if (mode != 0)
            QCOMPARE(m.receive(mode).reply, hex("06"));
        QCOMPARE(feedBytewise(m, input).reply, expected);
    }

    void wakeUpRestartsTransfer() {
        RadioMachine m(TestModels::patternedImage(1));
        feedBytewise(m, kHandshake + hex("05") + wireHeader(Protocol::kReadCommand, 3));
        // The tool gave up mid-block and starts over: a new handshake, now writing.
        QCOMPARE(feedBytewise(m, Protocol::kWakeUp).reply, hex("060606"));
        QVERIFY(!m.inTransfer());
        QCOMPARE(m.receive(Protocol::kAck).reply, QByteArray()); // the old reply is not acknowledged
        QCOMPARE(
            feedBytewise(m, hex("4D0A") + wireHeader(Protocol::kWriteCommand, 3) + blockBytes(blockOf(1)))
                .reply,
            hex("0606") + hex("06"));
        QCOMPARE(m.image().blocks[3], blockOf(1));
    }

    // A fleet takes a radio off the cable once the tool is through with it: after a session, the tool only
    // wakes it to see whether it is still there.
    void releasedWhenOnlyChecked_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("released");
        const QByteArray wake = Protocol::kWakeUp;
        const QByteArray written =
            kHandshake + hex("0A") + wireHeader(Protocol::kWriteCommand, 0) + blockBytes(blockOf(3));
        QTest::newRow("checked twice before any session") << wake + wake + wake << QString() << false;
        QTest::newRow("woken for the next session") << written + wake + hex("4D") << QString() << false;
        QTest::newRow("checked twice after a session") << written + wake + wake << QString() << true;
        QTest::newRow("stopped radio woken after its session") << written + wake << "stop:1" << true;
        QTest::newRow("stopped radio that never had a session") << wake + wake << "stop:1" << false;
    }
    void releasedWhenOnlyChecked() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        RadioFault f;
        QVERIFY(!RadioFault::parse(fault, &f).isError());
        RadioMachine m(MemoryImage::blank(1), f);
        QTEST(feedBytewise(m, bytes).released, "released");
    }

    void resetKeepsMemory() {
        RadioMachine m(MemoryImage::blank(1));
        feedBytewise(m, kHandshake + hex("0A") + wireHeader(Protocol::kWriteCommand, 4) +
                            blockBytes(blockOf(2)));
        m.reset();
        QCOMPARE(m.phase(), RadioMachine::Phase::Waking);
        QVERIFY(feedBytewise(m, hex("05") + wireHeader(Protocol::kReadCommand, 4)).reply.isEmpty());
        QCOMPARE(feedBytewise(m, kHandshake + hex("05") + wireHeader(Protocol::kReadCommand, 4)).reply,
                 kHandshakeReply + hex("06") + wireHeader(Protocol::kReadCommand, 4) +
                     blockBytes(blockOf(2)));
    }
};

QTEST_APPLESS_MAIN(TestSimMachine)
#include "tst_sim_machine.moc"
