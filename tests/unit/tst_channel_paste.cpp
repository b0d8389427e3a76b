// Text from spreadsheets: how single values are taken into cells, and our own copies read back.
#include <QtTest>

#include "image/cell_rules.h"
#include "image/channel_paste.h"

class TestChannelPaste : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void acceptInput_data();
    void acceptInput();
    void copiedChannelsReadBackTheSame();
};

namespace {
QVector<QStringList> rowsOf(const QString& text) {
    QVector<QStringList> rows;
    for (const DelimitedText::Row& row : DelimitedText::parse(text))
        rows << row.fields;
    return rows;
}
} // namespace

void TestChannelPaste::acceptInput_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("cell"); // "!" for refused
    const int rx = int(ChannelField::RxFrequency), code = int(ChannelField::RxSignalling),
              power = int(ChannelField::Power), scrambler = int(ChannelField::Scrambler);
    QTest::newRow("frequency short") << rx << " 438.5 "
                                     << "438.50000";
    QTest::newRow("frequency six decimals") << rx << "438.006250"
                                            << "438.00625";
    QTest::newRow("frequency blank") << rx << "  "
                                     << "";
    QTest::newRow("frequency off") << rx << "off"
                                   << "OFF";
    QTest::newRow("frequency below band") << rx << "399.5"
                                          << "!";
    QTest::newRow("frequency off raster") << rx << "438.001"
                                          << "!";
    QTest::newRow("frequency text") << rx << "abc"
                                    << "!";
    QTest::newRow("code lower case") << code << "d023i"
                                     << "D023I";
    QTest::newRow("tone") << code << "67.0"
                          << "67.0";
    QTest::newRow("unknown code") << code << "D024N"
                                  << "!";
    QTest::newRow("power item") << power << "中"
                                << "中";
    QTest::newRow("power raw byte") << power << "3C"
                                    << "3C";
    QTest::newRow("power unknown") << power << "大"
                                   << "!";
    QTest::newRow("scrambler") << scrambler << "8"
                               << "8";
    QTest::newRow("scrambler past list") << scrambler << "9"
                                         << "!";
}

void TestChannelPaste::acceptInput() {
    QFETCH(int, field);
    QFETCH(QString, input);
    QFETCH(QString, cell);
    const auto& columns = channelColumns(Layout::One);
    const ChannelColumn& column = columns[columnOf(Layout::One, ChannelField(field))];
    const CellRules::FrequencyLimits limits{true, 400, 470};
    const auto accepted = CellRules::acceptInput(column, input, limits);
    QCOMPARE(accepted.value_or(QStringLiteral("!")), cell);
}

void TestChannelPaste::copiedChannelsReadBackTheSame() {
    ChannelTable table;
    table.layOut(Layout::One, 16);
    const QStringList used{"438.50000", "OFF", "D023N", "100.0", "是", "窄", "否", "是", "3", "3C"};
    for (int c = 0; c < used.size(); ++c)
        table.setCell(2, c + 1, used[c]);
    const QString text = ChannelPaste::tabText(table, {2, 3});
    ChannelPaste::Pasted pasted;
    QVERIFY(!ChannelPaste::read(rowsOf(text), table, {true, 400, 470}, 7, 1, &pasted));
    QCOMPARE(pasted.column, 0);
    QCOMPARE(pasted.channels.size(), 2);
    QCOMPARE(pasted.channels[0], used);
    QCOMPARE(pasted.channels[1], QStringList(10, QString())); // an unused channel stays empty
}

QTEST_MAIN(TestChannelPaste)
#include "tst_channel_paste.moc"
