#include <QtTest>

#include "link/protocol.h"

// The frames of both sides: read requests, block replies and write frames, and the headers the radio's
// side refuses.

class TestProtocolFrames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frames_data();
    void frames();
    void badHeaders_data();
    void badHeaders();
};

void TestProtocolFrames::frames_data() {
    QTest::addColumn<char>("letter"); // R: request ('r') or reply ('R'); W: write frame
    QTest::addColumn<int>("block");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("request 0") << 'r' << 0 << QByteArray("52 00 00 08");
    QTest::newRow("request 31") << 'r' << 31 << QByteArray("52 00 f8 08");
    QTest::newRow("request 32") << 'r' << 32 << QByteArray("52 01 00 08");
    QTest::newRow("request 255") << 'r' << 255 << QByteArray("52 07 f8 08");
    QTest::newRow("reply 33") << 'R' << 33 << QByteArray("52 01 08 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 0") << 'W' << 0 << QByteArray("57 00 00 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 31") << 'W' << 31 << QByteArray("57 00 f8 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 32") << 'W' << 32 << QByteArray("57 01 00 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 255") << 'W' << 255 << QByteArray("57 07 f8 08 a0 a1 a2 a3 a4 a5 a6 a7");
}

void TestProtocolFrames::frames() {
    QFETCH(char, letter);
    QFETCH(int, block);
    QFETCH(QByteArray, hex);
    Block data;
    for (int i = 0; i < kBlockSize; ++i)
        data[i] = quint8(0xA0 + i);
    const QByteArray bytes = letter == 'r'   ? Protocol::readRequest(block)
                             : letter == 'R' ? Protocol::blockReply(block, data)
                                             : Protocol::writeFrame(block, data);
    QCOMPARE(bytes.toHex(' '), hex);
    // What the tool builds, the radio's side reads back.
    QCOMPARE(Protocol::headerBlock(bytes, 256), block);
    QCOMPARE(Protocol::headerBlock(bytes, block), -1); // past the end of a smaller memory
    if (letter != 'r')
        QVERIFY(Protocol::frameData(bytes) == data);
}

void TestProtocolFrames::badHeaders_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("length 07") << QByteArray::fromHex("52000007");
    QTest::newRow("address 0x0004") << QByteArray::fromHex("52000408");
    QTest::newRow("address past 256 blocks") << QByteArray::fromHex("57080008");
    QTest::newRow("three bytes") << QByteArray::fromHex("520000");
}

void TestProtocolFrames::badHeaders() {
    QFETCH(QByteArray, bytes);
    QCOMPARE(Protocol::headerBlock(bytes, 256), -1);
}

QTEST_GUILESS_MAIN(TestProtocolFrames)
#include "tst_protocol_frames.moc"
