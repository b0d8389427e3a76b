#include <QtTest>

#include "image/frequency_check.h"
#include "image/write_image.h"
#include "link_harness.h"

// What a write sends: the frequency check before it and the image it writes.

class TestWriteImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frequencyCheck_data();
    void frequencyCheck();
    void lastUsedChannelByte_data();
    void lastUsedChannelByte();
    void writeImageNeedsModel();
};

void TestWriteImage::frequencyCheck_data() {
    using V = FrequencyCheck::Verdict;
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("cells"); // row r: rx, tx pairs
    QTest::addColumn<V>("verdict");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("transmit");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("in band") << 0 << QStringList{"438.50000", "438.50000"} << V::Passed << 0 << false << 0
                             << 0;
    QTest::newRow("upper inclusive") << 0 << QStringList{"650.99999", ""} << V::Passed << 0 << false << 0
                                     << 0;
    QTest::newRow("651 fails rx") << 0 << QStringList{"651.00000", "438.00000"} << V::OutOfBand << 1 << false
                                  << 300 << 650;
    QTest::newRow("299 fails lower") << 0 << QStringList{"299.99999", ""} << V::OutOfBand << 1 << false << 300
                                     << 650;
    QTest::newRow("tx of row 2") << 0 << QStringList{"438.00000", "", "440.00000", "700.00000"}
                                 << V::OutOfBand << 2 << true << 300 << 650;
    QTest::newRow("rx before tx, lower rows first")
        << 1 << QStringList{"150.00000", "400.00000", "010.00000", ""} << V::OutOfBand << 1 << true << 70
        << 300;
    QTest::newRow("070 passes on V") << 1 << QStringList{"070.00000", "300.00000"} << V::Passed << 0 << false
                                     << 0 << 0;
    QTest::newRow("FF not tested") << 0 << QStringList{"FFF.FFFFF", "9FF"} << V::Passed << 0 << false << 0
                                   << 0;
    QTest::newRow("no band: limits 0")
        << -1 << QStringList{"438.00000", ""} << V::OutOfBand << 1 << false << 0 << 0;
    QTest::newRow("not a number") << 0 << QStringList{"abc.00000", ""} << V::NotANumber << 1 << false << 300
                                  << 650;
}

void TestWriteImage::frequencyCheck() {
    QFETCH(int, band);
    QFETCH(QStringList, cells);
    QFETCH(FrequencyCheck::Verdict, verdict);
    ChannelTable table;
    table.layOut(Layout::Zero, 16);
    for (int i = 0; i < cells.size(); ++i)
        table.setCell(i / 2 + 1, i % 2 + 1, cells[i]);
    const FrequencyCheck check = ValidateFrequencies(table, band);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(bool(check), verdict == FrequencyCheck::Verdict::Passed);
    if (check)
        return;
    QTEST(check.row, "row");
    QTEST(check.transmit, "transmit");
    QTEST(check.lower, "lower");
    QTEST(check.upper, "upper");
    if (verdict == FrequencyCheck::Verdict::NotANumber) {
        QCOMPARE(check.error.code, ErrorCode::TypeMismatch);
        QVERIFY(check.error.description.contains(cells[0]));
    }
}

void TestWriteImage::lastUsedChannelByte_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("filled");
    QTest::addColumn<bool>("offBelow"); // rows after the filled ones hold "OFF" in the receive cell
    QTest::addColumn<int>("expected");
    QTest::newRow("1-3 of 16") << 0 << 3 << false << 3;
    QTest::newRow("all 16") << 1 << 16 << false << 16;
    QTest::newRow("OFF below counts as empty") << 0 << 3 << true << 3;
    QTest::newRow("8 channels, 5 used") << 2 << 5 << true << 5;
    QTest::newRow("none") << 1 << 0 << false << 0;
}

void TestWriteImage::lastUsedChannelByte() {
    QFETCH(int, entry);
    QFETCH(int, filled);
    QFETCH(bool, offBelow);
    QFETCH(int, expected);
    LinkTestState s(entry, 0, filled);
    if (offBelow) {
        for (int r = filled + 1; r <= s.model.strType; ++r)
            s.table.setCell(r, 1, QStringLiteral("OFF"));
    }
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    QCOMPARE(image.size(), blockCount(s.model.I_data()));
    QCOMPARE(int(image.blocks[1][7]), expected);
    // Everything else is the channel-file image.
    MemoryImage file;
    QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &file).isError());
    file.blocks[1][7] = image.blocks[1][7];
    QVERIFY(file.blocks == image.blocks);
}

void TestWriteImage::writeImageNeedsModel() {
    CurrentModel none;
    ChannelTable table;
    RadioSettings settings;
    settings.selectStartupDefaults();
    MemoryImage image;
    QVERIFY(buildWriteImage(none, table, settings, &image).isError());
}

QTEST_GUILESS_MAIN(TestWriteImage)
#include "tst_write_image.moc"
