#include <QtTest>

#include "block_text.h"

#include "image/channel_codec.h"
#include "image/channel_rows.h"
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
        ChannelCodec::decode(blockOf(first), blockOf(second), decoded, 5);
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
        ChannelCodec::decode(filledBlock(), filledBlock(), t, 1);
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
        ChannelCodec::decode(filledBlock(), filledBlock(), t, 4);
        const auto b = ChannelCodec::encode(t, 4);
        QCOMPARE(b.first, filledBlock());
        QCOMPARE(b.second, filledBlock());
        t.setCell(4, 1, QStringLiteral("430.00000"));
        QCOMPARE(int(ChannelCodec::encode(t, 4).second[4]), 0x07);
    }

    // A byte that a whole-byte cell's list does not name shows as its raw text or, for the bandwidth and the
    // busy lock of layout 0, as the meaning every such byte has; either way it is written back as it was, so
    // a channel read and written unedited reaches the radio byte for byte.
    void unknownBytesRoundTrip_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("cells"); // columns 5 ...
        const QString channel = QStringLiteral("00 00 85 43 00 00 85 43");
        const QString empty = QStringLiteral("FF FF FF FF FF FF FF FF");
        QTest::newRow("layout 0 power 3C")
            << int(Layout::Zero) << channel << "FF FF FF FF FF FF 3C FF" << QStringList{"否", "宽", "3C"};
        QTest::newRow("layout 0 busy, bandwidth, power")
            << int(Layout::Zero) << channel << "70 06 23 80 01 00 54 FF" << QStringList{"否", "窄", "54"};
        QTest::newRow("layout 0 busy 5A, bandwidth FD")
            << int(Layout::Zero) << channel << "FF FF FF FF 5A FD FF FF" << QStringList{"否", "窄", "高"};
        QTest::newRow("layout 0 empty channel keeps power")
            << int(Layout::Zero) << empty << "FF FF FF FF FF FF 3C FF" << QStringList{"否", "宽", "3C"};
        QTest::newRow("layout 1 power and scrambler")
            << int(Layout::One) << channel << "FF FF FF FF 07 FF AA 3C"
            << QStringList{"否", "宽", "是", "是", "3C", "AA"};
        QTest::newRow("layout 1 decimal scramblers outside the list")
            << int(Layout::One) << channel << "FF FF FF FF 02 FC 55 09"
            << QStringList{"是", "窄", "是", "否", "09", "中"};
        QTest::newRow("layout 1 scrambler 00, bandwidth FE")
            << int(Layout::One) << channel << "FF FF FF FF 00 FE 00 00"
            << QStringList{"是", "窄", "否", "否", "00", "低"};
        QTest::newRow("layout 1 scrambler 12") << int(Layout::One) << channel << "FF FF FF FF 06 FF FF 12"
                                               << QStringList{"是", "宽", "是", "是", "12", "高"};
        QTest::newRow("layout 1 empty channel keeps both")
            << int(Layout::One) << empty << "FF FF FF FF FF FF 3C 5A"
            << QStringList{"否", "宽", "是", "是", "5A", "3C"};
        QTest::newRow("other layout busy and power")
            << int(Layout::Other) << channel << "FF FF FF FF 10 FF 80 FF" << QStringList{"否", "宽", "80"};
    }
    void unknownBytesRoundTrip() {
        QFETCH(int, layout);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, cells);
        ChannelTable t;
        t.layOut(Layout(layout), 16);
        ChannelCodec::decode(blockOf(first), blockOf(second), t, 7);
        QStringList shown;
        for (int c = 5; c < t.columnCount(); ++c)
            shown << t.cell(7, c);
        QCOMPARE(shown, cells);
        const auto encoded = ChannelCodec::encode(t, 7);
        QCOMPARE(textOf(encoded.first), first);
        QCOMPARE(textOf(encoded.second), second);
    }

    // A byte kept behind a cell's text goes once the cell is set to another text, even when it returns to
    // the first: from then on the cell is written as its list says. Setting the same text keeps it.
    void editForgetsKeptByte_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("texts"); // set in turn into a channel read as busy 5A, bandwidth FD
        QTest::addColumn<QString>("bytes");     // busy and bandwidth then written
        QTest::addColumn<bool>("asRead");       // the table still equals the one read
        QTest::newRow("same text set") << 6 << QStringList{"窄"} << "5A FD" << true;
        QTest::newRow("wide and back to narrow") << 6 << QStringList{"宽", "窄"} << "5A FC" << false;
        QTest::newRow("busy set to yes") << 5 << QStringList{"是"} << "00 FD" << false;
    }
    void editForgetsKeptByte() {
        QFETCH(int, column);
        QFETCH(QStringList, texts);
        ChannelTable t;
        t.layOut(Layout::Zero, 16);
        ChannelCodec::decode(blockOf("00 00 85 43 00 00 85 43"), blockOf("70 06 23 80 5A FD FF FF"), t, 3);
        const ChannelTable asRead = t;
        for (const QString& text : texts)
            t.setCell(3, column, text);
        QTEST(textOf(ChannelCodec::encode(t, 3).second).mid(12, 5), "bytes");
        // The kept byte is part of the table's value, so undo states that differ only in it differ.
        QTEST(t == asRead, "asRead");
    }

    // A channel moved, or moved by an insertion or a removal above it, takes its kept byte along.
    void keptByteMovesWithItsChannel_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("channel"); // that holds bandwidth byte FD afterwards (it was read into 2)
        QTest::newRow("moved down") << "move" << 1 << 3;
        QTest::newRow("channel inserted above") << "insert" << 1 << 3;
        QTest::newRow("channel removed above") << "remove" << 1 << 1;
    }
    void keptByteMovesWithItsChannel() {
        QFETCH(QString, operation);
        QFETCH(int, at);
        ChannelTable t;
        t.layOut(Layout::Zero, 8);
        ChannelCodec::decode(blockOf("00 00 85 43 00 00 85 43"), blockOf("70 06 23 80 FF FD FF FF"), t, 2);
        if (operation == "move")
            QVERIFY(ChannelRows::move(&t, {2}, at));
        else if (operation == "insert")
            ChannelRows::insertEmpty(&t, at);
        else
            ChannelRows::remove(&t, {at});
        QList<int> holdingFd;
        for (int c = 1; c <= 8; ++c) {
            if (ChannelCodec::encode(t, c).second[5] == 0xFD)
                holdingFd << c;
        }
        QTEST(holdingFd.value(0), "channel");
        QCOMPARE(holdingFd.size(), 1);
    }

    // Texts that are neither listed nor a byte's raw text are written as they always were.
    void unlistedTextsEncodeAsBefore_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset"); // in the second block
        QTest::addColumn<int>("byte");
        QTest::newRow("power word") << int(Layout::Zero) << 7 << "max" << 6 << 0x00;
        QTest::newRow("power in lower case") << int(Layout::Zero) << 7 << "3c" << 6 << 0x00;
        QTest::newRow("power, three digits") << int(Layout::One) << 10 << "3C0" << 6 << 0x00;
        QTest::newRow("bandwidth word") << int(Layout::Zero) << 6 << "中" << 5 << 0xFC;
        QTest::newRow("bandwidth raw byte") << int(Layout::One) << 6 << "FE" << 5 << 0xFC;
        QTest::newRow("layout 0 busy raw byte") << int(Layout::Zero) << 5 << "5A" << 4 << 0xFF;
        QTest::newRow("busy word") << int(Layout::Zero) << 5 << "也许" << 4 << 0xFF;
        QTest::newRow("scrambler digit 9") << int(Layout::One) << 9 << "9" << 7 << 0x09;
        QTest::newRow("scrambler, listed digit") << int(Layout::One) << 9 << "5" << 7 << 0x05;
        QTest::newRow("scrambler word") << int(Layout::One) << 9 << "x" << 7 << 0xFF;
        QTest::newRow("raw byte in a bit field") << int(Layout::One) << 7 << "3C" << 4 << 0x04;
    }
    void unlistedTextsEncodeAsBefore() {
        QFETCH(int, layout);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, offset);
        ChannelTable t;
        t.layOut(Layout(layout), 16);
        const QStringList filled =
            Layout(layout) == Layout::One
                ? QStringList{"430.12500", "OFF", "OFF", "OFF", "是", "宽", "是", "是", "无", "高"}
                : QStringList{"430.12500", "OFF", "OFF", "OFF", "是", "宽", "高"};
        for (int c = 1; c < t.columnCount(); ++c)
            t.setCell(2, c, filled[c - 1]);
        t.setCell(2, column, text);
        QTEST(int(ChannelCodec::encode(t, 2).second[offset]), "byte");
    }
};

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channel_codec.moc"
