// The function settings panel: lists, enabling per layout, and the two kept bytes.
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "main_window_fixture.h"

class TestMainSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void itemLists();
    void functionByte_data();
    void functionByte();
    void voiceByte_data();
    void voiceByte();
    void tuneOptionsReachByteAtActivation_data();
    void tuneOptionsReachByteAtActivation();
    void enablingFollowsLayoutAndKeepsSelections();
    void newModelRecomputesWithItsLayout();
};

void TestMainSettings::itemLists() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    f.create();
    const QList<QPair<QString, QStringList>> lists = {
        {"cboFuncMoni", {"打开", "关闭"}},
        {"cbosd", {"有效", "无效"}},
        {"cboTSY", {"打开", "关闭"}},
        {"cboRPGN", {"打开", "关闭"}},
        {"cboFuncTOT", {"关闭", "30s", "60s", "90s", "120s", "150s", "180s", "210s", "240s", "270s", "300s"}},
        {"cboFuncSQL", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"cboFuncSave", {"有效", "无效"}},
        {"cboYXXD", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"}},
        {"cboYYBP", {"关", "中文", "英文"}},
    };
    int top = -1;
    for (const auto& [name, items] : lists) {
        QComboBox* c = f.combo(name);
        QVERIFY2(c, qPrintable(name));
        QVERIFY(!c->isEditable());
        QStringList shown;
        for (int i = 0; i < c->count(); ++i)
            shown << c->itemText(i);
        QCOMPARE(shown, items);
        // Top to bottom in this order.
        QVERIFY(c->y() > top);
        top = c->y();
    }
}

void TestMainSettings::functionByte_data() {
    QTest::addColumn<int>("model"); // 0: layout 1, 1: layout 0
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");
    // Layout 1: monitor, power saving, beep, scrambling, crystal, polarity, 0, 0 from the top bit down.
    QTest::newRow("layout 1 defaults") << 0 << "cboFuncSave" << 1 << 0x10;
    QTest::newRow("layout 1 monitor off") << 0 << "cboFuncMoni" << 1 << 0x90;
    QTest::newRow("layout 1 saving off") << 0 << "cbosd" << 1 << 0x50;
    QTest::newRow("layout 1 beep off") << 0 << "cboTSY" << 1 << 0x30;
    QTest::newRow("layout 1 scrambling on") << 0 << "cboRPGN" << 0 << 0x00;
    // Layout 0: monitor, power saving, crystal, polarity, then zeros; beep and scrambling do not count.
    QTest::newRow("layout 0 defaults") << 1 << "cboFuncSQL" << 2 << 0x00;
    QTest::newRow("layout 0 monitor off") << 1 << "cboFuncMoni" << 1 << 0x80;
    QTest::newRow("layout 0 saving off") << 1 << "cbosd" << 1 << 0x40;
    QTest::newRow("layout 0 beep off") << 1 << "cboTSY" << 1 << 0x00;
}

void TestMainSettings::functionByte() {
    QFETCH(int, model);
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(int, expected);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(model);
    f.combo(list)->setCurrentIndex(index);
    QCOMPARE(w->document().settings().functionByte(), std::optional<int>(expected));
    QCOMPARE(w->document().settings().index(RadioSettings::FuncSQL),
             f.combo(QStringLiteral("cboFuncSQL"))->currentIndex());
}

void TestMainSettings::voiceByte_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");
    QTest::newRow("关") << 0 << 0xFF;
    QTest::newRow("中文") << 1 << 0x00;
    QTest::newRow("英文") << 2 << 0x01;
}

void TestMainSettings::voiceByte() {
    QFETCH(int, index);
    QFETCH(int, expected);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(1);
    QComboBox* voice = f.combo(QStringLiteral("cboYYBP"));
    voice->setCurrentIndex((index + 1) % 3);
    voice->setCurrentIndex(index);
    QCOMPARE(w->document().settings().voiceByte(), std::optional<int>(expected));
}

void TestMainSettings::tuneOptionsReachByteAtActivation_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("crystal");
    QTest::addColumn<int>("polarity");
    QTest::addColumn<int>("expected");
    QTest::newRow("layout 0 crystal") << 1 << 1 << 0 << 0x20;
    QTest::newRow("layout 0 polarity") << 1 << 0 << 1 << 0x10;
    QTest::newRow("layout 1 crystal") << 0 << 1 << 0 << 0x18;
    QTest::newRow("layout 1 both") << 0 << 1 << 1 << 0x1C;
}

void TestMainSettings::tuneOptionsReachByteAtActivation() {
    QFETCH(int, model);
    QFETCH(int, crystal);
    QFETCH(int, polarity);
    QFETCH(int, expected);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(model);
    const std::optional<int> before = w->document().settings().functionByte();
    TuneValues tune = w->document().settings().tune;
    tune.optJT = crystal;
    tune.Option1 = polarity;
    w->document().setTune(tune);
    QCOMPARE(w->document().settings().functionByte(), before); // not before the window is active again
    w->activate();
    QCOMPARE(w->document().settings().functionByte(), std::optional<int>(expected));
}

void TestMainSettings::enablingFollowsLayoutAndKeepsSelections() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    f.combo(QStringLiteral("cboRPGN"))->setCurrentIndex(0);
    f.combo(QStringLiteral("cboYXXD"))->setCurrentIndex(11);
    f.combo(QStringLiteral("cboFuncTOT"))->setCurrentIndex(5);
    f.prompter.answers = {Prompter::Answer::Discard}; // the settings were changed
    w->models().modelMenuClick(2);                    // layout 0
    for (const char* name : {"cboRPGN", "cboYXXD"})
        QVERIFY(!f.combo(name)->isEnabled());
    QVERIFY(!f.label(QStringLiteral("lblRPGN"))->isEnabled());
    QVERIFY(!f.label(QStringLiteral("lblYXXD"))->isEnabled());
    QVERIFY(f.combo(QStringLiteral("cboTSY"))->isEnabled());
    QCOMPARE(f.combo(QStringLiteral("cboRPGN"))->currentText(), QStringLiteral("打开"));
    w->models().modelMenuClick(3); // layout 1 again
    QVERIFY(f.combo(QStringLiteral("cboRPGN"))->isEnabled());
    QVERIFY(f.label(QStringLiteral("lblYXXD"))->isEnabled());
    QCOMPARE(f.combo(QStringLiteral("cboYXXD"))->currentText(), QStringLiteral("12"));
    QCOMPARE(f.combo(QStringLiteral("cboFuncTOT"))->currentText(), QStringLiteral("150s"));
}

void TestMainSettings::newModelRecomputesWithItsLayout() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(1); // layout 0: defaults give 0
    QCOMPARE(w->document().settings().functionByte(), std::optional<int>(0));
    f.modelAnswer = 0; // layout 1: scrambling "关闭" sets its bit
    w->models().chooseModel();
    QCOMPARE(w->document().settings().functionByte(), std::optional<int>(0x10));
}

QTEST_MAIN(TestMainSettings)
#include "tst_main_settings.moc"
