#include <QtTest>

#include "image/hex.h"

// Bytes as hex and bit texts, and back.
class TestHex : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void binToHex_data() {
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("hex");
        QTest::newRow("05") << "00000101"
                            << "05";
        QTest::newRow("A0") << "10100000"
                            << "A0";
        QTest::newRow("98") << "10011000"
                            << "98";
        QTest::newRow("FF") << "11111111"
                            << "FF";
        QTest::newRow("too short") << "0101"
                                   << "";
        QTest::newRow("extra ignored") << "0000000111"
                                       << "01";
    }
    void binToHex() {
        QFETCH(QString, bits);
        QTEST(BinToHex(bits), "hex");
    }

    void hexAndBits() {
        QCOMPARE(HexToInt(QStringLiteral("A")), 10);
        QCOMPARE(HexToInt(QStringLiteral("1E")), 30);
        QCOMPARE(HexToInt(QStringLiteral("G")), -1);
        QCOMPARE(IntToBin4(0), QStringLiteral("0000"));
        QCOMPARE(IntToBin4(8), QStringLiteral("1000"));
        QCOMPARE(IntToBin4(5), QStringLiteral("0101"));
        QCOMPARE(IntToBin4(15), QStringLiteral("1111"));
        QCOMPARE(byteToBits(0x98), QStringLiteral("10011000"));
        QCOMPARE(byteText(0x0A), QStringLiteral("0A"));
        quint8 v = 0;
        QVERIFY(parseByteText(QStringLiteral("fc"), &v));
        QCOMPARE(v, quint8(0xFC));
        QVERIFY(!parseByteText(QStringLiteral("F"), &v));
        QVERIFY(!parseByteText(QStringLiteral("0x"), &v));
    }
};

QTEST_GUILESS_MAIN(TestHex)
#include "tst_hex.moc"
