// The open channel set as one object: what each change does to the model, the table, the limits and the
// modified flag, and what it announces.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "document/radio_document.h"

namespace {

ModelTable models() {
    ModelTable t;
    t.entries[0] = {"A16-1", "16", "1", "71", "72"};
    t.entries[1] = {"E99-0", "99", "0", "51", "52"};
    return t;
}

// A document as a window has it after start-up: models known, ranges read, model A16-1 on band "(U)".
struct Opened {
    RadioDocument document;
    Opened() {
        document.models() = models();
        document.setBandRanges({"400MHz---470MHz", "136MHz---174MHz", {}, {}, {}, {}});
        document.selectStartupSettings();
        document.chooseModel(0);
    }
};

} // namespace

class TestRadioDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modelChoiceLaysOutTable_data();
    void modelChoiceLaysOutTable();
    void bandSelectsCodeAndLimits_data();
    void bandSelectsCodeAndLimits();
    void emptyTableIsLaidOutAgainOnBandChange();
    void modifiedFollowsChanges_data();
    void modifiedFollowsChanges();
    void loadedFileReplacesEverything();
    void tableResetsAreAnnouncedInPairs();
    void everyDoorMarksWhatTheRulesRefuse_data();
    void everyDoorMarksWhatTheRulesRefuse();
};

void TestRadioDocument::modelChoiceLaysOutTable_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("iData");
    QTest::newRow("16 channels, layout 1") << 0 << 17 << 11 << 1;
    QTest::newRow("99 channels, layout 0") << 1 << 100 << 8 << 2;
}

void TestRadioDocument::modelChoiceLaysOutTable() {
    QFETCH(int, entry);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, iData);
    Opened o;
    o.document.setCell(1, 1, QStringLiteral("430.12500"));
    o.document.chooseModel(entry);
    const CurrentModel& m = o.document.model();
    QCOMPARE(m.modelIndex, entry);
    QCOMPARE(m.strPc, models().entries[entry].name);
    QCOMPARE(m.I_data(), iData);
    QCOMPARE(m.band, 0);
    QCOMPARE(m.strBandCode, models().entries[entry].codeA);
    QCOMPARE(o.document.table().rowCount(), rows);
    QCOMPARE(o.document.table().columnCount(), columns);
    QCOMPARE(o.document.cell(1, 1), QString());
    QVERIFY(!o.document.isModified());
}

void TestRadioDocument::bandSelectsCodeAndLimits_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    // Sixteen-channel models take their limits from the range text, the others from the band.
    QTest::newRow("16 channels, (U)") << 0 << 0 << "71"
                                      << "400MHz---470MHz" << 400 << 470;
    QTest::newRow("16 channels, (V)") << 0 << 1 << "72"
                                      << "136MHz---174MHz" << 136 << 174;
    QTest::newRow("99 channels, (U)") << 1 << 0 << "51"
                                      << "400MHz---470MHz" << 300 << 650;
    QTest::newRow("99 channels, (V)") << 1 << 1 << "52"
                                      << "136MHz---174MHz" << 70 << 300;
}

void TestRadioDocument::bandSelectsCodeAndLimits() {
    QFETCH(int, entry);
    QFETCH(int, band);
    QFETCH(QString, code);
    QFETCH(QString, range);
    QFETCH(int, lower);
    QFETCH(int, upper);
    Opened o;
    o.document.chooseModel(entry);
    o.document.selectBand(band);
    QCOMPARE(o.document.model().strBandCode, code);
    QCOMPARE(o.document.rangeText(), range);
    const CellRules::FrequencyLimits limits = o.document.frequencyLimits();
    QVERIFY(limits.valid);
    QCOMPARE(limits.lower, lower);
    QCOMPARE(limits.upper, upper);
}

void TestRadioDocument::emptyTableIsLaidOutAgainOnBandChange() {
    Opened o;
    o.document.setCell(3, 3, QStringLiteral("67.0"));
    o.document.selectBand(1, true);
    QCOMPARE(o.document.cell(3, 3), QString()); // no receive frequency in channel 1: laid out again
    o.document.setCell(1, 1, QStringLiteral("430.12500"));
    o.document.setCell(3, 3, QStringLiteral("67.0"));
    o.document.selectBand(0, true);
    QCOMPARE(o.document.cell(3, 3), QStringLiteral("67.0"));
    QCOMPARE(o.document.model().strBandCode, QStringLiteral("71"));
}

void TestRadioDocument::modifiedFollowsChanges_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("modified");
    QTest::newRow("a cell") << 0 << true;
    QTest::newRow("the same cell text again") << 1 << false;
    QTest::newRow("a settings list") << 2 << true;
    QTest::newRow("the selected item again") << 3 << false;
    QTest::newRow("the tune values") << 4 << true;
    QTest::newRow("the other band") << 5 << true;
    QTest::newRow("a cell, then saved") << 6 << false;
    QTest::newRow("a cell, then a new model") << 7 << false;
}

void TestRadioDocument::modifiedFollowsChanges() {
    QFETCH(int, change);
    QFETCH(bool, modified);
    Opened o;
    RadioDocument& d = o.document;
    QSignalSpy spy(&d, &RadioDocument::modifiedChanged);
    switch (change) {
    case 0:
        d.setCell(2, 1, QStringLiteral("430.12500"));
        break;
    case 1:
        d.setCell(2, 0, QStringLiteral("2"));
        break;
    case 2:
        d.setSettingIndex(RadioSettings::FuncSQL, 7);
        break;
    case 3:
        d.setSettingIndex(RadioSettings::FuncSQL, d.settings().index(RadioSettings::FuncSQL));
        break;
    case 4: {
        TuneValues t = d.settings().tune;
        t.sPower = 9;
        d.setTune(t);
        break;
    }
    case 5:
        d.selectBand(1);
        break;
    case 6:
        d.setCell(2, 1, QStringLiteral("430.12500"));
        d.markSaved(QStringLiteral("/tmp/x.qfd"));
        QCOMPARE(d.filePath(), QStringLiteral("/tmp/x.qfd"));
        break;
    case 7:
        d.setCell(2, 1, QStringLiteral("430.12500"));
        d.chooseModel(1);
        break;
    }
    QCOMPARE(d.isModified(), modified);
    QCOMPARE(spy.isEmpty() ? false : spy.last().at(0).toBool(), modified);
}

void TestRadioDocument::loadedFileReplacesEverything() {
    Opened o;
    o.document.setCell(1, 1, QStringLiteral("430.12500"));
    LoadedChannelFile loaded;
    loaded.model.applyEntry(models().entries[1]);
    loaded.model.modelIndex = 1;
    loaded.model.selectBand(models(), 1);
    loaded.table.layOut(Layout::Zero, 99);
    loaded.table.setCell(5, 2, QStringLiteral("150.00000"));
    loaded.settings = o.document.settings();
    loaded.settings.setIndex(RadioSettings::FuncSQL, 2);
    loaded.complete = false;
    o.document.applyLoaded(loaded, QStringLiteral("/tmp/short.qfd"));
    QCOMPARE(o.document.model().strBandCode, QStringLiteral("52"));
    QCOMPARE(o.document.rangeText(), QStringLiteral("136MHz---174MHz"));
    QVERIFY(o.document.table() == loaded.table);
    QCOMPARE(o.document.settings().index(RadioSettings::FuncSQL), 2);
    QCOMPARE(o.document.filePath(), QStringLiteral("/tmp/short.qfd"));
    QVERIFY(!o.document.isComplete());
    QVERIFY(!o.document.isModified());
    // A byte kept behind a text comes back with an undo, and goes with a channel that moves.
    ChannelTable moved = loaded.table;
    moved.setCell(5, 6, CellToken::Narrow);
    moved.keepByte(5, 6, 0xFD);
    o.document.changeTable(moved);
    const DocumentState kept = o.document.state();
    o.document.setCell(5, 6, CellToken::Wide);
    o.document.restoreState(kept);
    QCOMPARE(o.document.table().keptByte(5, 6), std::optional<quint8>(0xFD));
    moved.swapChannels(5, 6);
    o.document.changeTable(moved);
    QCOMPARE(o.document.table().keptByte(6, 6), std::optional<quint8>(0xFD));
    o.document.chooseModel(0);
    QVERIFY(o.document.isComplete()); // a new table has every channel
}

void TestRadioDocument::tableResetsAreAnnouncedInPairs() {
    Opened o;
    QStringList order;
    connect(&o.document, &RadioDocument::tableAboutToBeReset, this, [&] { order << "about"; });
    connect(&o.document, &RadioDocument::tableReset, this,
            [&] { order << QString::number(o.document.table().rowCount()); });
    o.document.chooseModel(1);
    ChannelTable t;
    t.layOut(Layout::One, 8);
    o.document.setTable(t);
    QCOMPARE(order, QStringList({"about", "100", "about", "9"}));
}

QTEST_MAIN(TestRadioDocument)
#include "tst_radio_document.moc"

void TestRadioDocument::everyDoorMarksWhatTheRulesRefuse_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("problem");
    using P = CellRules::Problem;
    QTest::newRow("in band") << 1 << "430.12500" << int(P::None);
    QTest::newRow("above the band") << 1 << "480.00000" << int(P::OutOfBand);
    QTest::newRow("transmit below the band") << 2 << "399.00000" << int(P::OutOfBand);
    QTest::newRow("off the raster") << 1 << "430.00100" << int(P::OffRaster);
    QTest::newRow("no frequency") << 2 << "4A0.50000" << int(P::NotAFrequency);
    QTest::newRow("tone") << 3 << "67.0" << int(P::None);
    QTest::newRow("short transmit tone") << 4 << "67" << int(P::None);
    QTest::newRow("unknown code") << 3 << "D999N" << int(P::UnknownSignalling);
    QTest::newRow("lower-case code") << 4 << "d023n" << int(P::UnknownSignalling);
    QTest::newRow("unlisted item") << 5 << "也许" << int(P::NotListed);
    QTest::newRow("power byte kept raw") << 10 << "3C" << int(P::None);
}

// Typing, a file, a read, undo and a change of band all come under the same rules; a file keeps what it
// had, marked.
void TestRadioDocument::everyDoorMarksWhatTheRulesRefuse() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(int, problem);
    const auto expected = CellRules::Problem(problem);
    const int count = expected == CellRules::Problem::None ? 0 : 1;
    Opened o;
    o.document.setCell(1, 1, QStringLiteral("430.00000"));
    const DocumentState clean = o.document.state();
    QSignalSpy validity(&o.document, &RadioDocument::validityChanged);
    o.document.setCell(3, column, text);
    QCOMPARE(validity.count(), count);
    const DocumentState marked = o.document.state();
    o.document.restoreState(clean); // undo and redo
    QCOMPARE(o.document.invalidCount(), 0);
    o.document.restoreState(marked);
    QCOMPARE(o.document.cellProblem(3, column), expected);
    QCOMPARE(o.document.invalidCount(), count);
    // A narrower band range marks a frequency that was within the old one.
    o.document.setBandRange(1, QStringLiteral("440MHz---470MHz"));
    QCOMPARE(o.document.cellProblem(1, 1), CellRules::Problem::OutOfBand);

    // Saved, then opened as a file and as a read: the same text, marked the same (only a frequency has bytes
    // for every such text).
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.qfd"));
    QVERIFY(!o.document.saveFile(path).isError());
    for (bool received : {false, true}) {
        Opened again;
        QVERIFY(!(received ? again.document.openReceived(path) : again.document.openFile(path)).isError());
        if (column <= 2 && expected != CellRules::Problem::NotAFrequency) {
            QCOMPARE(again.document.cell(3, column), text);
            // From the last cell round to the first marked one.
            QCOMPARE(again.document.nextInvalid(16, 10).value_or(CellRules::CellIssue{}).row, 3 * count);
        }
    }
}
