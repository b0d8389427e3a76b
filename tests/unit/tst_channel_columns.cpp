#include <QtTest>

#include <array>

#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/layout.h"

namespace {

using Bits = std::array<quint8, kChannelRecordSize>;

// The bits of the record a column declares as its own.
Bits ownedBits(const ChannelColumn& column) {
    Bits owned{};
    const CellStorage& s = column.storage;
    for (int i = 0; i < s.size; ++i)
        owned[s.offset + i] = s.coding == CellCoding::Choice ? s.mask : 0xFF;
    return owned;
}

// A value for every stored field, and a second one that stores differently.
struct FieldValues {
    ChannelField field;
    QString filled;
    QString other;
};

const FieldValues kValues[] = {
    {ChannelField::RxFrequency, "438.50000", "145.12500"},
    {ChannelField::TxFrequency, "438.50000", "145.72500"},
    {ChannelField::RxSignalling, "67.0", "D023N"},
    {ChannelField::TxSignalling, "D023N", "OFF"},
    {ChannelField::BusyLock, "是", "否"},
    {ChannelField::Bandwidth, "窄", "宽"},
    {ChannelField::ScanAdd, "是", "否"},
    {ChannelField::Compander, "否", "是"},
    {ChannelField::Scrambler, "3", "无"},
    {ChannelField::Power, "中", "高"},
};

const FieldValues* valuesOf(ChannelField field) {
    for (const FieldValues& v : kValues) {
        if (v.field == field)
            return &v;
    }
    return nullptr;
}

ChannelTable filledTable(Layout layout) {
    ChannelTable t;
    t.layOut(layout, 16);
    for (int c = 1; c < t.columnCount(); ++c)
        t.setCell(1, c, valuesOf(t.columns()[c].field)->filled);
    return t;
}

Bits recordOf(const ChannelTable& t) {
    const auto blocks = ChannelCodec::encode(t, 1);
    Bits r;
    std::copy(blocks.first.begin(), blocks.first.end(), r.begin());
    std::copy(blocks.second.begin(), blocks.second.end(), r.begin() + kBlockSize);
    return r;
}

} // namespace

class TestChannelColumns : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutParsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("columns");
        QTest::newRow("empty is layout 0") << "" << int(Layout::Zero) << "0" << 8;
        QTest::newRow("0") << "0" << int(Layout::Zero) << "0" << 8;
        QTest::newRow("1") << "1" << int(Layout::One) << "1" << 11;
        QTest::newRow("another type") << "2" << int(Layout::Other) << "" << 8;
        QTest::newRow("not trimmed") << "1 " << int(Layout::Other) << "" << 8;
        QTest::newRow("not a number") << "01" << int(Layout::Other) << "" << 8;
    }
    void layoutParsing() {
        QFETCH(QString, text);
        const Layout layout = parseLayout(text);
        QTEST(int(layout), "layout");
        QTEST(layoutText(layout), "shown");
        QTEST(int(channelColumns(layout).size()), "columns");
    }

    void recordIsCoveredOnce_data() {
        QTest::addColumn<int>("layout");
        QTest::newRow("layout 0") << int(Layout::Zero);
        QTest::newRow("layout 1") << int(Layout::One);
    }
    // Every bit belongs to at most one column, a filled channel writes exactly the bytes the columns own,
    // and changing one cell changes only that column's bits.
    void recordIsCoveredOnce() {
        QFETCH(int, layout);
        const ChannelTable filled = filledTable(Layout(layout));
        const Bits before = recordOf(filled);
        Bits owned{};
        for (const ChannelColumn& column : filled.columns()) {
            const CellStorage& s = column.storage;
            QVERIFY2(s.offset >= 0 && s.offset + s.size <= kChannelRecordSize, qPrintable(column.header));
            const Bits mine = ownedBits(column);
            for (int b = 0; b < kChannelRecordSize; ++b) {
                QVERIFY2((owned[b] & mine[b]) == 0, qPrintable(column.header + QStringLiteral(" overlaps")));
                owned[b] |= mine[b];
            }
        }
        for (int b = 0; b < kChannelRecordSize; ++b)
            QCOMPARE(before[b] != 0xFF, owned[b] != 0);

        for (int c = 1; c < filled.columnCount(); ++c) {
            const ChannelColumn& column = filled.columns()[c];
            ChannelTable changed = filled;
            changed.setCell(1, c, valuesOf(column.field)->other);
            const Bits after = recordOf(changed);
            const Bits mine = ownedBits(column);
            bool anyChange = false;
            for (int b = 0; b < kChannelRecordSize; ++b) {
                const quint8 diff = before[b] ^ after[b];
                QVERIFY2((diff & ~mine[b]) == 0, qPrintable(column.header));
                anyChange = anyChange || diff != 0;
            }
            QVERIFY2(anyChange, qPrintable(column.header));
        }
    }

    void eachCellReadsOnlyItsBits_data() { recordIsCoveredOnce_data(); }
    // Garbling every bit a column does not own leaves its decoded cell as it was.
    void eachCellReadsOnlyItsBits() {
        QFETCH(int, layout);
        const ChannelTable filled = filledTable(Layout(layout));
        const Bits record = recordOf(filled);
        for (int c = 1; c < filled.columnCount(); ++c) {
            const Bits mine = ownedBits(filled.columns()[c]);
            Block first;
            Block second;
            for (int b = 0; b < kChannelRecordSize; ++b) {
                const quint8 garbled = quint8(record[b] ^ ~mine[b]);
                (b < kBlockSize ? first[b] : second[b - kBlockSize]) = garbled;
            }
            ChannelTable decoded;
            decoded.layOut(Layout(layout), 16);
            ChannelCodec::decode(first, second, decoded, 1);
            QCOMPARE(decoded.cell(1, c), filled.cell(1, c));
        }
    }
};

QTEST_APPLESS_MAIN(TestChannelColumns)
#include "tst_channel_columns.moc"
