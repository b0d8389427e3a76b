#include <QBrush>
#include <QSignalSpy>
#include <QtTest>

#include "document/radio_document.h"
#include "ui/channel_table_model.h"

namespace {

// A document with a table of the given layout and size, shown through the grid's model.
struct Grid {
    RadioDocument document;
    ChannelTableModel model{document};

    explicit Grid(const QString& layout = QStringLiteral("0"), int channels = 16) {
        layOut(layout, channels);
    }
    void layOut(const QString& layout, int channels) {
        ChannelTable table;
        table.layOut(parseLayout(layout), channels);
        document.setTable(table);
    }
};

} // namespace

class TestChannelTableModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shapeAndHeaders_data();
    void shapeAndHeaders();
    void alignmentByColumn_data();
    void alignmentByColumn();
    void neverEditableThroughTheView();
    void setCellStoresAndNotifies();
    void setCellIgnoresCellsOutsideTheTable();
    void headerCellChangesTheHeader();
    void layOutEmptiesTableAndMarks();
    void setTableReplacesEverything();
};

void TestChannelTableModel::shapeAndHeaders_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("keptLayout");
    QTest::addColumn<QStringList>("headers");

    const QStringList layout0{"信道",     "接收频率", "发射频率", "接收信令",
                              "发射信令", "繁忙锁定", "宽/窄",    "发射功率"};
    const QStringList layout1{"信道",  "接收频率", "发射频率", "接收信令", "发射信令", "繁忙锁定",
                              "宽/窄", "扫描添加", "压扩",     "扰频码",   "发射功率"};
    QTest::newRow("16 channels, layout 0") << "0" << 16 << "0" << layout0;
    QTest::newRow("16 channels, layout 1") << "1" << 16 << "1" << layout1;
    QTest::newRow("8 channels, layout 0") << "0" << 8 << "0" << layout0;
    QTest::newRow("empty layout type is layout 0") << "" << 16 << "0" << layout0;
}

void TestChannelTableModel::shapeAndHeaders() {
    QFETCH(QString, layout);
    QFETCH(int, channels);
    QFETCH(QString, keptLayout);
    QFETCH(QStringList, headers);

    Grid grid(layout, channels);
    ChannelTableModel& model = grid.model;
    QCOMPARE(layoutText(model.table().layout()), keptLayout);
    QCOMPARE(model.rowCount(), channels);
    QCOMPARE(model.columnCount(), headers.size());
    QStringList shown;
    for (int c = 0; c < model.columnCount(); ++c)
        shown << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QCOMPARE(shown, headers);
    for (int r = 0; r < channels; ++r) {
        QCOMPARE(model.data(model.index(r, 0), Qt::DisplayRole).toString(), QString::number(r + 1));
        for (int c = 1; c < model.columnCount(); ++c)
            QVERIFY(model.data(model.index(r, c), Qt::DisplayRole).toString().isEmpty());
    }
    // View row r-1 is channel r.
    QCOMPARE(model.indexOf(3, 2), model.index(2, 2));
    QCOMPARE(ChannelTableModel::tableRow(model.index(2, 2)), 3);
}

void TestChannelTableModel::alignmentByColumn_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("alignment");
    const int top = int(Qt::AlignHCenter | Qt::AlignTop);
    const int left = int(Qt::AlignLeft | Qt::AlignVCenter);
    for (const QString& layout : {QStringLiteral("0"), QStringLiteral("1")}) {
        const int columns = layout == QLatin1String("1") ? 11 : 8;
        for (int c = 0; c < columns; ++c) {
            QTest::addRow("layout %s column %d", qPrintable(layout), c)
                << layout << c << ((c == 1 || c == 2) ? left : top);
        }
    }
}

void TestChannelTableModel::alignmentByColumn() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    QFETCH(int, alignment);
    Grid grid(layout, 16);
    ChannelTableModel& model = grid.model;
    model.setCell(5, column == 0 ? 1 : column, QStringLiteral("是"));
    for (int r : {0, 4, 15})
        QCOMPARE(model.data(model.index(r, column), Qt::TextAlignmentRole).toInt(), alignment);
}

void TestChannelTableModel::neverEditableThroughTheView() {
    Grid grid(QStringLiteral("1"), 16);
    ChannelTableModel& model = grid.model;
    for (int c = 0; c < model.columnCount(); ++c) {
        const Qt::ItemFlags f = model.flags(model.index(0, c));
        QVERIFY(!(f & Qt::ItemIsEditable));
        QVERIFY(f & Qt::ItemIsEnabled);
    }
    QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("430.12500"), Qt::EditRole));
    QCOMPARE(model.cell(1, 1), QString());
}

void TestChannelTableModel::setCellStoresAndNotifies() {
    Grid grid(QStringLiteral("0"), 16);
    ChannelTableModel& model = grid.model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.setCell(3, 1, QStringLiteral("430.12500"));
    QCOMPARE(model.cell(3, 1), QStringLiteral("430.12500"));
    QCOMPARE(model.table().cell(3, 1), QStringLiteral("430.12500"));
    QCOMPARE(model.data(model.index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("430.12500"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model.index(2, 1));
    QCOMPARE(changed[0][1].toModelIndex(), model.index(2, 1));

    // The same text again changes nothing and says nothing.
    model.setCell(3, 1, QStringLiteral("430.12500"));
    QCOMPARE(changed.size(), 1);

    // A mark is shown as a text colour and announced like a text change.
    QVERIFY(!model.data(model.index(2, 1), Qt::ForegroundRole).isValid());
    model.setCellMark(3, 1, ChannelTableModel::FrequencyMark);
    QCOMPARE(model.cellMark(3, 1), int(ChannelTableModel::FrequencyMark));
    QCOMPARE(changed.size(), 2);
    const QVariant frequencyColour = model.data(model.index(2, 1), Qt::ForegroundRole);
    QVERIFY(frequencyColour.canConvert<QBrush>());
    model.setCellMark(3, 5, ChannelTableModel::ListMark);
    QVERIFY(model.data(model.index(2, 5), Qt::ForegroundRole).value<QBrush>() !=
            frequencyColour.value<QBrush>());
}

void TestChannelTableModel::setCellIgnoresCellsOutsideTheTable() {
    Grid grid(QStringLiteral("0"), 8);
    ChannelTableModel& model = grid.model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const ChannelTable before = model.table();
    model.setCell(9, 1, QStringLiteral("x"));
    model.setCell(1, 8, QStringLiteral("x"));
    model.setCell(-1, 1, QStringLiteral("x"));
    model.setCell(1, -1, QStringLiteral("x"));
    QVERIFY(model.table() == before);
    QCOMPARE(changed.size(), 0);
}

void TestChannelTableModel::headerCellChangesTheHeader() {
    Grid grid(QStringLiteral("0"), 16);
    ChannelTableModel& model = grid.model;
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    model.setCell(0, 6, QStringLiteral("带宽"));
    QCOMPARE(model.headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("带宽"));
    QCOMPARE(header.size(), 1);
    QCOMPARE(header[0][1].toInt(), 6);
}

void TestChannelTableModel::layOutEmptiesTableAndMarks() {
    Grid grid(QStringLiteral("1"), 16);
    ChannelTableModel& model = grid.model;
    model.setCell(1, 9, QStringLiteral("3"));
    model.setCell(2, 1, QStringLiteral("430.12500"));
    model.setCellMark(2, 1, ChannelTableModel::FrequencyMark);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    grid.layOut(QStringLiteral("0"), 8);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model.columnCount(), 8);
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(model.cell(2, 1), QString());
    QCOMPARE(model.cellMark(2, 1), int(ChannelTableModel::NoMark));

    // Back to layout 1: the old data does not come back.
    grid.layOut(QStringLiteral("1"), 16);
    QCOMPARE(model.columnCount(), 11);
    QCOMPARE(model.cell(1, 9), QString());
}

void TestChannelTableModel::setTableReplacesEverything() {
    Grid grid;
    ChannelTableModel& model = grid.model;
    model.setCellMark(1, 1, ChannelTableModel::FrequencyMark);
    ChannelTable table;
    table.layOut(Layout::One, 8);
    table.setCell(4, 10, QStringLiteral("中"));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    grid.document.setTable(table);
    QCOMPARE(reset.size(), 1);
    QVERIFY(model.table() == table);
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(model.columnCount(), 11);
    QCOMPARE(model.data(model.index(3, 10), Qt::DisplayRole).toString(), QStringLiteral("中"));
    QCOMPARE(model.cellMark(1, 1), int(ChannelTableModel::NoMark));
}

QTEST_MAIN(TestChannelTableModel)
#include "tst_channel_table_model.moc"
