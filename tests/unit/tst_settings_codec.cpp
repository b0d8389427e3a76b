#include <QtTest>

#include "block_text.h"

#include "image/hex.h"
#include "image/settings_codec.h"

namespace {

using L = RadioSettings;

} // namespace

class TestSettingsCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void functionByte_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("moni");
        QTest::addColumn<int>("sd");
        QTest::addColumn<int>("tsy");
        QTest::addColumn<int>("rpgn");
        QTest::addColumn<int>("crystal");
        QTest::addColumn<int>("polarity");
        QTest::addColumn<int>("expected");
        QTest::newRow("layout 1: 10011000") << "1" << 1 << 0 << 0 << 1 << 1 << 0 << 0x98;
        QTest::newRow("layout 0: 01010000") << "0" << 0 << 1 << 0 << 0 << 0 << 1 << 0x50;
        QTest::newRow("layout 0 ignores beep") << "0" << 0 << 0 << 1 << 1 << 0 << 0 << 0x00;
        QTest::newRow("layout 1 all set") << "1" << 1 << 1 << 1 << 1 << 1 << 1 << 0xFC;
    }
    void functionByte() {
        QFETCH(QString, layout);
        RadioSettings s;
        s.setLayout(parseLayout(layout));
        QFETCH(int, crystal);
        QFETCH(int, polarity);
        s.setCrystal(crystal);
        s.setPolarity(polarity);
        QFETCH(int, moni);
        QFETCH(int, sd);
        QFETCH(int, tsy);
        QFETCH(int, rpgn);
        s.setIndex(L::FuncMoni, moni);
        s.setIndex(L::Sd, sd);
        s.setIndex(L::TSY, tsy);
        s.setIndex(L::RPGN, rpgn);
        QTEST(s.functionByte().value_or(-1), "expected");
    }

    void keptBytesWaitForTheirLists() {
        RadioSettings s;
        s.setLayout(Layout::One);
        s.setIndex(L::FuncMoni, 0);
        s.setIndex(L::Sd, 0);
        QVERIFY(!s.functionByte()); // beep and scrambling are not selected yet
        s.setIndex(L::TSY, 0);
        s.setIndex(L::RPGN, 1);
        QCOMPARE(*s.functionByte(), 0x10);
        s.setLayout(parseLayout(QStringLiteral("2")));
        s.setIndex(L::RPGN, 0);
        QCOMPARE(*s.functionByte(), 0x10); // an unknown layout keeps the previous value
        QVERIFY(!s.voiceByte());
        s.setIndex(L::YYBP, 2);
        QCOMPARE(*s.voiceByte(), 0x01);
        s.setIndex(L::YYBP, 1);
        QCOMPARE(*s.voiceByte(), 0x00);
        QCOMPARE(s.setIndex(L::FuncSQL, 10).code, ErrorCode::InvalidPropertyValue);
    }

    void startupDefaults() {
        RadioSettings s;
        s.selectStartupDefaults();
        QCOMPARE(*s.functionByte(), 0);
        QCOMPARE(*s.voiceByte(), 0xFF);
        QCOMPARE(s.text(L::FuncTOT), QStringLiteral("30s"));
        QCOMPARE(s.text(L::FuncSQL), QStringLiteral("4"));
        QCOMPARE(s.text(L::RPGN), QStringLiteral("关闭"));
        QCOMPARE(s.text(L::YYBP), QStringLiteral("关"));
    }

    void encodeDecode_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("indexes"); // the nine lists in enum order
        QTest::addColumn<int>("sPower");
        QTest::addColumn<QString>("blockA");
        QTest::addColumn<QString>("blockB");
        QTest::newRow("layout 1 example")
            << "1" << 0x71 << QList<int>{1, 0, 0, 1, 4, 5, 0, 0, 1} << 6 << "71 FF FF FF 90 0C 05 1E"
            << "00 FF 01 FF FF FF FF FF";
        QTest::newRow("layout 1 priority 16, 150s")
            << "1" << 0x72 << QList<int>{0, 1, 1, 0, 5, 9, 1, 15, 2} << 10 << "72 FF FF FF 60 0F 09 32"
            << "01 00 10 FF FF FF FF FF";
        QTest::newRow("layout 0, 300s")
            << "0" << 0x31 << QList<int>{0, 1, 0, 1, 10, 0, 0, 0, 0} << 0 << "31 FF FF FF 40 1E 00 00"
            << "FF FF FF FF FF FF FF FF";
        QTest::newRow("layout 0 off")
            << "0" << 0x52 << QList<int>{1, 1, 0, 1, 0, 3, 1, 0, 1} << 5 << "52 FF FF FF C0 00 03 19"
            << "00 00 FF FF FF FF FF FF";
    }
    void encodeDecode() {
        QFETCH(QString, layout);
        QFETCH(int, code);
        QFETCH(QList<int>, indexes);
        QFETCH(int, sPower);
        RadioSettings s;
        s.setLayout(parseLayout(layout));
        for (int l = 0; l < L::ListCount; ++l)
            QVERIFY(!s.setIndex(L::List(l), indexes[l]).isError());
        s.tune.sPower = sPower;
        Block a, b;
        QVERIFY(!SettingsCodec::encode(s, quint8(code), &a, &b).isError());
        QTEST(textOf(a), "blockA");
        QTEST(textOf(b), "blockB");

        RadioSettings d;
        d.setLayout(parseLayout(layout));
        d.setIndex(L::TSY, 0);
        d.setIndex(L::RPGN, 1);
        QVERIFY(!SettingsCodec::decode(a, &b, byteText(quint8(code)), d).isError());
        for (int l = 0; l < L::ListCount; ++l) {
            const bool notStored =
                layout == QLatin1String("0") && (l == L::TSY || l == L::RPGN || l == L::YXXD);
            if (!notStored)
                QCOMPARE(d.index(L::List(l)), indexes[l]);
        }
        QCOMPARE(d.tune.sPower, sPower);
        QCOMPARE(*d.functionByte(), int(a[4]));
    }

    // The tune options come from bits 3/2 for codes beginning with 7, from bits 5/4 otherwise, and the kept
    // byte follows them.
    void tuneOptionsFromFunctionByte_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("functionByte");
        QTest::addColumn<int>("crystal");
        QTest::addColumn<int>("polarity");
        QTest::newRow("7x bit 3") << "1"
                                  << "71" << 0x08 << 1 << 0;
        QTest::newRow("7x bit 2") << "1"
                                  << "72" << 0x04 << 0 << 1;
        QTest::newRow("other bit 5") << "0"
                                     << "31" << 0x20 << 1 << 0;
        QTest::newRow("other bit 4") << "0"
                                     << "32" << 0x10 << 0 << 1;
    }
    void tuneOptionsFromFunctionByte() {
        QFETCH(QString, layout);
        QFETCH(QString, code);
        QFETCH(int, functionByte);
        RadioSettings s;
        s.setLayout(parseLayout(layout));
        s.selectStartupDefaults();
        Block a = blockOf("71 FF FF FF 00 03 04 19");
        a[4] = quint8(functionByte);
        const Block b = blockOf("FF FF 01 FF FF FF FF FF");
        QVERIFY(!SettingsCodec::decode(a, &b, code, s).isError());
        QTEST(s.tune.optJT, "crystal");
        QTEST(s.tune.Option1, "polarity");
        QCOMPARE(*s.functionByte(), functionByte);
    }

    void decodeTimeouts_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        QTest::newRow("00") << 0x00 << "关闭";
        QTest::newRow("03") << 0x03 << "30s";
        QTest::newRow("0F") << 0x0F << "150s";
        QTest::newRow("1E") << 0x1E << "300s";
        QTest::newRow("1F rounds to 300s") << 0x1F << "300s";
        QTest::newRow("04 rounds to 30s") << 0x04 << "30s";
    }
    void decodeTimeouts() {
        QFETCH(int, byte);
        RadioSettings s;
        s.selectStartupDefaults();
        Block a = blockOf("31 FF FF FF 00 00 04 19");
        a[5] = quint8(byte);
        QVERIFY(!SettingsCodec::decode(a, nullptr, QStringLiteral("31"), s).isError());
        QTEST(s.text(L::FuncTOT), "text");
        QCOMPARE(SettingsCodec::timeoutByte(s.text(L::FuncTOT)) == byte, byte % 3 == 0);
    }

    void decodeFailures_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("blockA");
        QTest::addColumn<QString>("blockB");
        QTest::addColumn<int>("code");
        QTest::newRow("time-out 20") << "0"
                                     << "31 FF FF FF 00 20 04 19"
                                     << "FF FF FF FF FF FF FF FF" << 380;
        QTest::newRow("squelch 0A") << "0"
                                    << "31 FF FF FF 00 03 0A 19"
                                    << "FF FF FF FF FF FF FF FF" << 13;
        QTest::newRow("squelch 10") << "0"
                                    << "31 FF FF FF 00 03 10 19"
                                    << "FF FF FF FF FF FF FF FF" << 380;
        QTest::newRow("priority FF in layout 1") << "1"
                                                 << "71 FF FF FF 00 03 04 19"
                                                 << "FF FF FF FF FF FF FF FF" << 380;
        QTest::newRow("priority 00 in layout 1") << "1"
                                                 << "71 FF FF FF 00 03 04 19"
                                                 << "FF FF 00 FF FF FF FF FF" << 380;
        QTest::newRow("priority 11 in layout 1") << "1"
                                                 << "71 FF FF FF 00 03 04 19"
                                                 << "FF FF 11 FF FF FF FF FF" << 380;
    }
    void decodeFailures() {
        QFETCH(QString, layout);
        QFETCH(QString, blockA);
        QFETCH(QString, blockB);
        RadioSettings s;
        s.setLayout(parseLayout(layout));
        s.selectStartupDefaults();
        const Block b = blockOf(blockB);
        QTEST(SettingsCodec::decode(blockOf(blockA), &b, blockA.left(2), s).code, "code");
    }

    void oddBytesLeaveValues() {
        RadioSettings s;
        s.selectStartupDefaults();
        s.setIndex(L::YYBP, 2);
        s.setIndex(L::FuncSave, 1);
        s.tune.sPower = 3;
        const Block b = blockOf("07 55 FF FF FF FF FF FF");
        QVERIFY(!SettingsCodec::decode(blockOf("31 FF FF FF 00 03 04 07"), &b, QStringLiteral("31"), s)
                     .isError());
        QCOMPARE(s.tune.sPower, 3);
        QCOMPARE(s.index(L::YYBP), 2);
        QCOMPARE(s.index(L::FuncSave), 1);
    }

    void encodeNeedsKeptBytes() {
        RadioSettings s;
        Block a, b;
        QVERIFY(SettingsCodec::encode(s, 0x71, &a, &b).isError());
    }
};

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settings_codec.moc"
