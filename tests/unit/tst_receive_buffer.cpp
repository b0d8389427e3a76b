#include <QtTest>

#include "link/receive_buffer.h"

// The receive buffer: the decimal text of what the radio sends, the acknowledgement test, and its bound
// against a flooding port.

class TestReceiveBuffer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decimalText_data();
    void decimalText();
    void floodIsBounded_data();
    void floodIsBounded();
};

void TestReceiveBuffer::decimalText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ack");
    QTest::newRow("06 10 52") << QByteArray::fromHex("061052") << "61682" << true;
    QTest::newRow("lone 06") << QByteArray::fromHex("06") << "6" << true;
    QTest::newRow("10 hex is 16") << QByteArray::fromHex("10") << "16" << true;
    QTest::newRow("15 21") << QByteArray::fromHex("1521") << "2133" << false;
    QTest::newRow("05") << QByteArray::fromHex("05") << "5" << false;
    QTest::newRow("21 hex") << QByteArray::fromHex("21") << "33" << false;
    QTest::newRow("60") << QByteArray::fromHex("3C") << "60" << true;
    QTest::newRow("FF 00") << QByteArray::fromHex("FF00") << "2550" << false;
    QTest::newRow("empty") << QByteArray() << "" << false;
}

void TestReceiveBuffer::decimalText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, ack);
    ReceiveBuffer whole;
    whole.append(bytes);
    QCOMPARE(whole.text(), text);
    QCOMPARE(whole.isAcknowledgement(), ack);
    // Arrival in pieces gives the same text.
    ReceiveBuffer pieces;
    for (char c : bytes)
        pieces.append(QByteArray(1, c));
    QCOMPARE(pieces.text(), text);
    pieces.clear();
    QVERIFY(pieces.isEmpty());
}

void TestReceiveBuffer::floodIsBounded_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("ack");
    QTest::newRow("garbage only") << QByteArray() << QByteArray() << false;
    QTest::newRow("ack before") << QByteArray::fromHex("06") << QByteArray() << true;
    QTest::newRow("ack after") << QByteArray() << QByteArray::fromHex("06") << true;
    QTest::newRow("16 after") << QByteArray::fromHex("15") << QByteArray::fromHex("10") << true;
}

// A port that floods garbage must not grow the buffer without end, and whatever arrives, a '6' anywhere
// still counts as the acknowledgement it would have been.
void TestReceiveBuffer::floodIsBounded() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, ack);
    const QByteArray flood(64 * 1024, char(0xFF)); // "255" each, no '6'
    const qsizetype floodText = qsizetype(flood.size()) * 3 * 64;
    QVERIFY(ReceiveBuffer::kCapacity < floodText / 4);
    ReceiveBuffer b;
    b.append(before);
    for (int i = 0; i < 64; ++i)
        b.append(flood);
    b.append(after);
    QVERIFY(b.length() <= ReceiveBuffer::kCapacity);
    QVERIFY(b.length() > 2);
    QVERIFY(b.text().startsWith(ReceiveBuffer::decimalText(before) + QStringLiteral("255255")));
    QCOMPARE(b.isAcknowledgement(), ack);
    // Held back during a hold, the same flood keeps only what decides, and decides the same.
    QByteArray held = ReceiveBuffer::deciding(before);
    for (int i = 0; i < 64; ++i)
        held = ReceiveBuffer::deciding(held + flood);
    held = ReceiveBuffer::deciding(held + after);
    QVERIFY(held.size() <= ReceiveBuffer::kCapacity + 1);
    ReceiveBuffer fromHeld;
    fromHeld.append(held);
    QCOMPARE(fromHeld.text(), b.text());
    QCOMPARE(fromHeld.isAcknowledgement(), ack);
    b.clear();
    QVERIFY(b.isEmpty());
    QVERIFY(!b.isAcknowledgement());
}

QTEST_GUILESS_MAIN(TestReceiveBuffer)
#include "tst_receive_buffer.moc"
