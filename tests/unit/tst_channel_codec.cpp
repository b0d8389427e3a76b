#include <QtTest>

#include "block_text.h"

#include "image/channel_codec.h"
#include "image/hex.h"

class TestChannelCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One channel row <-> its two blocks, in both directions.
    void bothDirections_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("cells"); // columns 1 ...
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("layout 0 typical")
            << "0" << QStringList{"438.50000", "438.50000", "67.0", "D023N", "是", "宽", "高"}
            << "00 00 85 43 00 00 85 43"
            << "70 06 23 80 00 FF FF FF";
        QTest::newRow("layout 0 narrow middle")
            << "0" << QStringList{"145.12500", "145.72500", "OFF", "D754I", "否", "窄", "中"}
            << "00 25 51 14 00 25 57 14"
            << "FF FF 54 C7 FF FC 55 FF";
        QTest::newRow("layout 0 low power")
            << "0" << QStringList{"400.00625", "OFF", "100.0", "OFF", "否", "宽", "低"}
            << "25 06 00 40 FF FF FF FF"
            << "00 10 FF FF FF FF 00 FF";
        QTest::newRow("layout 1 flags 02")
            << "1" << QStringList{"430.12500", "430.12500", "254.1", "OFF", "是", "宽", "是", "否", "3", "高"}
            << "00 25 01 43 00 25 01 43"
            << "41 25 FF FF 02 FF FF 03";
        QTest::newRow("layout 1 flags 07")
            << "1"
            << QStringList{"470.00000", "469.99375", "D023I", "67.0", "否", "窄", "是", "是", "无", "低"}
            << "00 00 00 47 75 93 99 46"
            << "23 C0 70 06 07 FC 00 FF";
        QTest::newRow("layout 1 flags 00")
            << "1" << QStringList{"401.00000", "401.00000", "OFF", "OFF", "是", "宽", "否", "否", "8", "中"}
            << "00 00 10 40 00 00 10 40"
            << "FF FF FF FF 00 FF 55 08";
    }
    void bothDirections() {
        QFETCH(QString, layout);
        QFETCH(QStringList, cells);
        QFETCH(QString, first);
        QFETCH(QString, second);
        ChannelTable table;
        table.layOut(parseLayout(layout), 16);
        for (int c = 0; c < cells.size(); ++c)
            table.setCell(5, c + 1, cells[c]);
        const auto encoded = ChannelCodec::encode(table, 5);
        QCOMPARE(textOf(encoded.first), first);
        QCOMPARE(textOf(encoded.second), second);

        ChannelTable decoded;
        decoded.layOut(parseLayout(layout), 16);
        QVERIFY(!ChannelCodec::decode(blockOf(first), blockOf(second), decoded, 5).isError());
        for (int c = 0; c < cells.size(); ++c)
            QCOMPARE(decoded.cell(5, c + 1), cells[c]);
        QCOMPARE(decoded.cell(5, 0), QStringLiteral("5"));
    }

    void allFfChannel_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("layout 0") << "0" << QStringList{"OFF", "OFF", "OFF", "OFF", "否", "宽", "高"};
        QTest::newRow("layout 1") << "1" << QStringList{"OFF", "OFF", "OFF", "OFF", "否",
                                                        "宽",  "是",  "是",  "无",  "高"};
    }
    void allFfChannel() {
        QFETCH(QString, layout);
        QFETCH(QStringList, cells);
        ChannelTable t;
        t.layOut(parseLayout(layout), 8);
        QVERIFY(!ChannelCodec::decode(filledBlock(), filledBlock(), t, 1).isError());
        for (int c = 0; c < cells.size(); ++c)
            QCOMPARE(t.cell(1, c + 1), cells[c]);
    }

    void emptyRowEncodesToFf_data() {
        QTest::addColumn<QString>("layout");
        QTest::newRow("layout 0") << "0";
        QTest::newRow("layout 1") << "1";
    }
    void emptyRowEncodesToFf() {
        QFETCH(QString, layout);
        ChannelTable t;
        t.layOut(parseLayout(layout), 16);
        const auto b = ChannelCodec::encode(t, 16);
        QCOMPARE(b.first, filledBlock());
        QCOMPARE(b.second, filledBlock());
        for (int c = 1; c < t.columnCount(); ++c)
            t.setCell(3, c, QStringLiteral("OFF"));
        QCOMPARE(ChannelCodec::encode(t, 3).second, filledBlock());
    }

    // A decoded empty channel of layout 1 encodes back to all FF, so resaving keeps the fill.
    void emptyLayout1ChannelKeepsFill() {
        ChannelTable t;
        t.layOut(Layout::One, 16);
        QVERIFY(!ChannelCodec::decode(filledBlock(), filledBlock(), t, 4).isError());
        const auto b = ChannelCodec::encode(t, 4);
        QCOMPARE(b.first, filledBlock());
        QCOMPARE(b.second, filledBlock());
        t.setCell(4, 1, QStringLiteral("430.00000"));
        QCOMPARE(int(ChannelCodec::encode(t, 4).second[4]), 0x07);
    }

    void unknownPowerLeavesCell() {
        ChannelTable t;
        t.layOut(Layout::Zero, 16);
        t.setCell(2, 7, QStringLiteral("中"));
        QVERIFY(!ChannelCodec::decode(filledBlock(), blockOf("FF FF FF FF FF FF 33 FF"), t, 2).isError());
        QCOMPARE(t.cell(2, 7), QStringLiteral("中"));
    }

    void nonDecimalScramblerFails() {
        ChannelTable t;
        t.layOut(Layout::One, 16);
        const Error e = ChannelCodec::decode(filledBlock(), blockOf("FF FF FF FF FF FF FF 0A"), t, 1);
        QCOMPARE(e.code, ErrorCode::TypeMismatch);
        QCOMPARE(t.cell(1, 10), QStringLiteral("高")); // the other cells are still written
    }
};

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channel_codec.moc"
