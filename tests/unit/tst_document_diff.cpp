// The comparison of two channel sets: which cells, lists, tune values and model fields it reports, and
// which it does not.
#include <QtTest>

#include "document/document_diff.h"

Q_DECLARE_METATYPE(DocumentDifferences)

namespace {

using Kind = DocumentDifference::Kind;

// A table of `channels` rows of `layout` whose cells are set by (channel, header, text) triples; "窄=FD"
// keeps the byte FD behind the text.
struct Cells {
    Layout layout = Layout::Zero;
    int channels = 16;
    QList<std::tuple<int, QString, QString>> set;

    ChannelTable table() const {
        ChannelTable t;
        t.layOut(layout, channels);
        for (const auto& [row, header, text] : set) {
            for (int c = 0; c < t.columnCount(); ++c) {
                if (t.cell(0, c) != header)
                    continue;
                const QStringList textAndByte = text.split(QLatin1Char('='));
                t.setCell(row, c, textAndByte[0]);
                if (textAndByte.size() == 2)
                    t.keepByte(row, c, parseRawByte(textAndByte[1]));
            }
        }
        return t;
    }
};

RadioSettings startup() {
    RadioSettings s;
    s.selectStartupDefaults();
    return s;
}

} // namespace

Q_DECLARE_METATYPE(Cells)
Q_DECLARE_METATYPE(RadioSettings)
Q_DECLARE_METATYPE(CurrentModel)

class TestDocumentDiff : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tables_data();
    void tables();
    void settings_data();
    void settings();
    void models_data();
    void models();
    void wholeSetsInOrder();
};

void TestDocumentDiff::tables_data() {
    QTest::addColumn<Cells>("a");
    QTest::addColumn<Cells>("b");
    QTest::addColumn<DocumentDifferences>("expected");
    const QString rx = QStringLiteral("接收频率");
    const QString tx = QStringLiteral("发射频率");
    const QString rxSig = QStringLiteral("接收信令");
    const QString scrambler = QStringLiteral("扰频码");

    QTest::newRow("same") << Cells{Layout::Zero, 16, {{1, rx, "438.50000"}}}
                          << Cells{Layout::Zero, 16, {{1, rx, "438.50000"}}} << DocumentDifferences{};
    QTest::newRow("one cell") << Cells{Layout::Zero, 16, {{3, tx, "438.50000"}}}
                              << Cells{Layout::Zero, 16, {{3, tx, "439.00000"}}}
                              << DocumentDifferences{{Kind::Cell, 3, tx, "438.50000", "439.00000"}};
    QTest::newRow("channel by channel, column by column")
        << Cells{Layout::Zero, 16, {{5, tx, "1"}, {2, rxSig, "D023N"}, {2, rx, "1"}}}
        << Cells{Layout::Zero, 16, {}}
        << DocumentDifferences{{Kind::Cell, 2, rx, "1", ""},
                               {Kind::Cell, 2, rxSig, "D023N", ""},
                               {Kind::Cell, 5, tx, "1", ""}};
    QTest::newRow("OFF and blank are both empty")
        << Cells{Layout::Zero, 16, {{4, rxSig, "OFF"}}} << Cells{Layout::Zero, 16, {{4, rxSig, " "}}}
        << DocumentDifferences{};
    QTest::newRow("a channel only the longer table has")
        << Cells{Layout::Zero, 8, {}} << Cells{Layout::Zero, 16, {{12, rx, "440.00000"}}}
        << DocumentDifferences{{Kind::Cell, 12, rx, "", "440.00000"}};
    QTest::newRow("a column only one layout has")
        << Cells{Layout::Zero, 16, {{1, rx, "438.50000"}}}
        << Cells{Layout::One, 16, {{1, rx, "438.50000"}, {1, scrambler, "3"}}}
        << DocumentDifferences{{Kind::Cell, 1, scrambler, "", "3"}};
    const QString bandwidth = QStringLiteral("宽/窄");
    QTest::newRow("only the byte behind a text")
        << Cells{Layout::One, 16, {{3, bandwidth, "窄=FD"}}} << Cells{Layout::One, 16, {{3, bandwidth, "窄"}}}
        << DocumentDifferences{{Kind::Cell, 3, bandwidth, "窄 (FD)", "窄"}};
}

void TestDocumentDiff::tables() {
    QFETCH(Cells, a);
    QFETCH(Cells, b);
    QFETCH(DocumentDifferences, expected);
    const ChannelTable ta = a.table();
    const ChannelTable tb = b.table();
    QCOMPARE(compareTables(ta, tb), expected);
    // Read the other way round, every difference swaps its values.
    DocumentDifferences swapped;
    for (const DocumentDifference& d : expected)
        swapped.append({d.kind, d.channel, d.name, d.b, d.a});
    QCOMPARE(compareTables(tb, ta), swapped);
}

void TestDocumentDiff::settings_data() {
    QTest::addColumn<RadioSettings>("b");
    QTest::addColumn<DocumentDifferences>("expected");
    const auto changed = [](RadioSettings::List list, int index) {
        RadioSettings s = startup();
        s.setIndex(list, index);
        return s;
    };
    QTest::newRow("same") << startup() << DocumentDifferences{};
    QTest::newRow("a list that feeds no kept byte")
        << changed(RadioSettings::FuncSQL, 7)
        << DocumentDifferences{{Kind::List, 0, QStringLiteral("静噪等级："), "4", "7"}};
    QTest::newRow("monitor, and the function byte with it")
        << changed(RadioSettings::FuncMoni, 1)
        << DocumentDifferences{
               {Kind::List, 0, QStringLiteral("监听："), QStringLiteral("打开"), QStringLiteral("关闭")},
               {Kind::KeptByte, 0, "function", "00", "80"}};
    QTest::newRow("voice, and the voice byte with it")
        << changed(RadioSettings::YYBP, 2)
        << DocumentDifferences{
               {Kind::List, 0, QStringLiteral("语音报频："), QStringLiteral("关"), QStringLiteral("英文")},
               {Kind::KeptByte, 0, "voice", "FF", "01"}};
    RadioSettings tuned = startup();
    tuned.tune.sPower = 8;
    tuned.tune.optJT = 1;
    QTest::newRow("tune values") << tuned
                                 << DocumentDifferences{{Kind::Tune, 0, "optJT", "0", "1"},
                                                        {Kind::Tune, 0, "sPower", "5", "8"}};
}

void TestDocumentDiff::settings() {
    QFETCH(RadioSettings, b);
    QFETCH(DocumentDifferences, expected);
    QCOMPARE(compareSettings(startup(), b), expected);
}

void TestDocumentDiff::models_data() {
    QTest::addColumn<CurrentModel>("b");
    QTest::addColumn<QStringList>("names");
    CurrentModel base;
    base.strPc = "RC-160";
    base.strBandCode = "7A";
    base.strStype = "1";
    QTest::newRow("same, code in another case") << [&] {
        CurrentModel m = base;
        m.strBandCode = "7a";
        return m;
    }() << QStringList{};
    QTest::newRow("other band") << [&] {
        CurrentModel m = base;
        m.strBandCode = "7B";
        return m;
    }() << QStringList{"code"};
    QTest::newRow("other model") << [&] {
        CurrentModel m = base;
        m.strPc = "RC-990";
        m.strBandCode = "51";
        m.strType = 99;
        m.strStype = "0";
        return m;
    }() << QStringList{"model", "code", "channels", "layout"};
}

void TestDocumentDiff::models() {
    QFETCH(CurrentModel, b);
    QFETCH(QStringList, names);
    CurrentModel a;
    a.strPc = "RC-160";
    a.strBandCode = "7A";
    a.strStype = "1";
    QStringList got;
    for (const DocumentDifference& d : compareModels(a, b)) {
        QCOMPARE(d.kind, Kind::Model);
        got << d.name;
    }
    QCOMPARE(got, names);
}

void TestDocumentDiff::wholeSetsInOrder() {
    LoadedChannelFile a;
    a.model.strPc = "RC-160";
    a.table = Cells{Layout::Zero, 16, {{2, "接收频率", "438.50000"}}}.table();
    a.settings = startup();
    LoadedChannelFile b = a;
    b.model.strPc = "RC-161";
    b.table = Cells{Layout::Zero, 16, {{2, "接收频率", "438.60000"}}}.table();
    b.settings.tune.sPower = 2;
    QList<Kind> kinds;
    for (const DocumentDifference& d : compareChannelSets(a, b))
        kinds << d.kind;
    QCOMPARE(kinds, (QList<Kind>{Kind::Model, Kind::Cell, Kind::Tune}));
    QVERIFY(compareChannelSets(a, a).isEmpty());
}

QTEST_GUILESS_MAIN(TestDocumentDiff)
#include "tst_document_diff.moc"
