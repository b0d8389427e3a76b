#include <QtTest>

#include "../support/test_models.h"
#include "image/block_address.h"
#include "image/current_model.h"
#include "image/hex.h"

class TestImageBasics : public QObject {
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

    void addressSequence_data() {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("offset");
        QTest::newRow("0") << 0 << 0 << 0x00;
        QTest::newRow("1") << 1 << 0 << 0x08;
        QTest::newRow("31") << 31 << 0 << 0xF8;
        QTest::newRow("32") << 32 << 1 << 0x00;
        QTest::newRow("127") << 127 << 3 << 0xF8;
        QTest::newRow("255") << 255 << 7 << 0xF8;
    }
    void addressSequence() {
        QFETCH(int, block);
        const BlockAddress a = BlockAddress::ofBlock(block);
        QTEST(a.page, "page");
        QTEST(a.offset, "offset");
        QCOMPARE(a.address(), block * 8);
        QCOMPARE(a.pageText(), QStringLiteral("0") + QString::number(a.page));
    }

    void imageSize() {
        QCOMPARE(imageFactor(16), 1);
        QCOMPARE(imageFactor(8), 2);
        QCOMPARE(imageFactor(12), 2);
        QCOMPARE(imageFactor(99), 2);
        QCOMPARE(blockCount(1), 128);
        QCOMPARE(blockCount(2), 256);
    }

    void modelLookup_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("band");
        const int fallback = TestModels::Fallback;
        QTest::newRow("code A of entry 1") << "71" << int(TestModels::Rc160) << 0;
        QTest::newRow("code B of entry 1") << "72" << int(TestModels::Rc160) << 1;
        QTest::newRow("code B of entry 5") << "52" << int(TestModels::Rc990) << 1;
        QTest::newRow("no match falls back to entry 8") << "99" << fallback << 0;
        QTest::newRow("entry 8 is never compared") << "91" << fallback << 0;
        QTest::newRow("case counts") << "7a" << fallback << 1;
    }
    void modelLookup() {
        QFETCH(QString, code);
        QTEST(lookupModel(TestModels::withFallback(), code), "index");
        QTEST(bandFromModelCode(code), "band");
    }

    void modelFromEntry() {
        const ModelTable t = TestModels::withFallback();
        CurrentModel m;
        m.modelIndex = TestModels::Rc990;
        m.applyEntry(t.entries[TestModels::Rc990]);
        QCOMPARE(m.strPc, QStringLiteral("RC-990"));
        QCOMPARE(m.strType, 99);
        QCOMPARE(m.I_data, 2);
        m.selectBand(t, 1);
        QCOMPARE(m.strBandCode, QStringLiteral("52"));
        quint8 code = 0;
        QVERIFY(m.modelCodeByte(&code));
        QCOMPARE(code, quint8(0x52));
    }
};

QTEST_GUILESS_MAIN(TestImageBasics)
#include "tst_image_basics.moc"
