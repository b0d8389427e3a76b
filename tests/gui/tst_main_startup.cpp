// Start-up stages, the first activation and the window's fixed furniture (menus, toolbar, status bar).
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/channel_table_model.h"
#include "ui/housekeeping.h"

class TestMainStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithConfiguration();
    void startsWithoutConfiguration_data();
    void startsWithoutConfiguration();
    void firstActivationAsksOnce();
    void laterActivationsDoNotAsk();
    void menuItems_data();
    void menuItems();
    void toolbarButtons();
    void statusBarPanels();
    void regionsCarryTheirCaptions();
};

namespace {

QStringList column0(const ChannelTable& t) {
    QStringList l;
    for (int r = 1; r < t.rowCount(); ++r)
        l << t.cell(r, 0);
    return l;
}

QStringList numbers(int n) {
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << QString::number(i);
    return l;
}

} // namespace

void TestMainStartup::startsWithConfiguration() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.create();

    QVERIFY(f.prompter.shown.isEmpty());
    QCOMPARE(w->windowTitle(), QStringLiteral("测试编程软件"));
    QVERIFY(!w->windowIcon().isNull());
    QCOMPARE(f.label(QStringLiteral("sbPanel1"))->text(), QStringLiteral("测试状态栏"));
    // No model yet: the band selector holds the two suffixes alone, the first selected.
    QCOMPARE(f.bandItems(), QStringLiteral("(U)|(V)"));
    QCOMPARE(w->document().model().band, 0);
    QCOMPARE(w->document().rangeText(), QStringLiteral("400MHz---470MHz"));
    // The settings lists show their start-up selections.
    const QList<QPair<QString, QString>> selections = {
        {"cboFuncMoni", "打开"}, {"cbosd", "有效"},     {"cboTSY", "打开"},
        {"cboRPGN", "关闭"},     {"cboFuncTOT", "30s"}, {"cboFuncSQL", "4"},
        {"cboFuncSave", "有效"}, {"cboYXXD", "1"},      {"cboYYBP", "关"},
    };
    for (const auto& [name, text] : selections)
        QCOMPARE(f.combo(name)->currentText(), text);
    QCOMPARE(w->document().settings().functionByte(), std::optional<int>(0));
    QCOMPARE(w->document().settings().voiceByte(), std::optional<int>(255));
    // The grid: 16 numbered channels in layout 0.
    const ChannelTable& t = w->document().table();
    QCOMPARE(t.rowCount(), 17);
    QCOMPARE(t.columnCount(), 8);
    QCOMPARE(column0(t), numbers(16));
    QCOMPARE(f.grid()->model()->rowCount(), 16);
    QCOMPARE(f.grid()->model()->columnCount(), 8);
    QVERIFY(!f.combo(QStringLiteral("cboRPGN"))->isEnabled());
    QVERIFY(!f.combo(QStringLiteral("cboYXXD"))->isEnabled());
    QVERIFY(f.combo(QStringLiteral("cboTSY"))->isEnabled());
}

void TestMainStartup::startsWithoutConfiguration_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<QString>("messageStart");
    QTest::newRow("no file") << QByteArray() << false << QStringLiteral("文件未找到");
    QTest::newRow("empty ICON key") << QByteArray("[PcCaption]\r\nCaption=X\r\n") << false
                                    << QStringLiteral("文件未找到");
    QTest::newRow("icon is no picture")
        << QByteArray("[PcIcon]\r\nICON=Sfc.ini\r\n") << false << QStringLiteral("无效的图片");
}

void TestMainStartup::startsWithoutConfiguration() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, icon);
    QFETCH(QString, messageStart);
    MainWindowFixture f;
    if (!ini.isEmpty())
        f.writeIni(ini, icon);
    MainWindow* w = f.create();

    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Information);
    QCOMPARE(f.prompter.shown[0].title, QStringLiteral("信息提示"));
    QVERIFY2(f.prompter.shown[0].text.startsWith(messageStart), qPrintable(f.prompter.shown[0].text));
    // The design-time state stays.
    QCOMPARE(w->windowTitle(), QString());
    QCOMPARE(f.label(QStringLiteral("sbPanel1"))->text(), QString());
    QCOMPARE(f.bandItems(), QStringLiteral("LX-58_U|LX-58_V"));
    for (int i = 0; i < RadioSettings::ListCount; ++i)
        QCOMPARE(f.combo(RadioSettings::objectName(RadioSettings::List(i)))->currentIndex(), -1);
    QVERIFY(!w->document().settings().functionByte().has_value());
    QCOMPARE(w->document().table().rowCount(), 17);
    QCOMPARE(w->document().table().columnCount(), 8);
    QCOMPARE(column0(w->document().table()), numbers(16));
    // No model question at the first activation.
    w->activate();
    QCOMPARE(f.modelDialogRuns, 0);
    QCOMPARE(f.prompter.shown.size(), 1);
}

void TestMainStartup::firstActivationAsksOnce() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.create();
    w->show();
    QTRY_COMPARE(f.modelDialogRuns, 1);
    // Closing the dialog activated the window again; it still asked only once.
    QTest::qWait(20);
    QCOMPARE(f.modelDialogRuns, 1);
    QCOMPARE(f.bandItems(), QStringLiteral("A16-1(U)|A16-1(V)"));
    QCOMPARE(w->document().model().strPc, QStringLiteral("A16-1"));
}

void TestMainStartup::laterActivationsDoNotAsk() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(2);
    QCOMPARE(f.modelDialogRuns, 1);
    w->stopHousekeeping();
    w->activate();
    w->activate();
    QCOMPARE(f.modelDialogRuns, 1);
    // Each activation restarts the housekeeping timer.
    QVERIFY(w->housekeeping().timer()->isActive());
    QCOMPARE(w->housekeeping().timer()->interval(), Housekeeping::kIntervalMs);
}

void TestMainStartup::menuItems_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("open") << "mnuOpen"
                          << "打开(&O)" << QKeySequence(Qt::CTRL | Qt::Key_O) << true;
    QTest::newRow("save") << "mnuSave"
                          << "另存(&S)" << QKeySequence(Qt::CTRL | Qt::Key_S) << true;
    QTest::newRow("preview") << "mnuPreview"
                             << "打印预览(&V)" << QKeySequence() << false;
    QTest::newRow("print") << "mnuPrint"
                           << "打印(&P)" << QKeySequence(Qt::CTRL | Qt::Key_P) << false;
    QTest::newRow("exit") << "mnuExit"
                          << "退出(&X)" << QKeySequence(Qt::CTRL | Qt::Key_X) << true;
    QTest::newRow("read") << "mnuRead"
                          << "读频(&R)" << QKeySequence(Qt::CTRL | Qt::Key_R) << false;
    QTest::newRow("write") << "mnuWrite"
                           << "写频(&W)" << QKeySequence(Qt::CTRL | Qt::Key_W) << false;
    QTest::newRow("tune") << "mnuTune"
                          << "调整模式(&T)" << QKeySequence() << false;
    QTest::newRow("port") << "mnuPort"
                          << "选择端口(&P)" << QKeySequence() << false;
    QTest::newRow("about") << "mnuAbout"
                           << "关于(&A)" << QKeySequence() << false;
}

void TestMainStartup::menuItems() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QKeySequence, keys);
    QFETCH(bool, enabled);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.create();
    auto* action = w->findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), keys);
    QCOMPARE(action->isEnabled(), enabled);

    QStringList menus;
    for (QAction* m : w->menuBar()->actions())
        menus << m->text();
    QCOMPARE(menus, QStringList({"文件(&F)", "编程(&P)", "编辑(&E)", "端口选择(&C)", "帮助(&H)"}));
    auto* newMenu = w->findChild<QMenu*>(QStringLiteral("mnuNew"));
    QVERIFY(newMenu);
    QCOMPARE(newMenu->title(), QStringLiteral("新建(&N)"));
}

void TestMainStartup::toolbarButtons() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.create();
    auto* bar = w->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    QVERIFY(bar);
    QStringList captions;
    QStringList keys;
    QList<bool> enabled;
    for (QAction* a : bar->actions()) {
        captions << a->text();
        keys << a->data().toString();
        enabled << a->isEnabled();
        QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
    }
    QCOMPARE(captions, QStringList({"新建", "打开", "另存", "打印", "读频", "写频"}));
    QCOMPARE(keys, QStringList({"New", "Open", "Save", "Print", "Read", "Write"}));
    QCOMPARE(enabled, QList<bool>({true, true, true, false, false, false}));

    // Wiring a command enables its menu item and its button together.
    bool ran = false;
    w->setCommandHandler(MainWindow::Command::Read, [&ran] {
        ran = true;
        return Error::none();
    });
    QVERIFY(w->commands().menuAction(MainWindow::Command::Read)->isEnabled());
    QVERIFY(w->commands().toolbarAction(MainWindow::Command::Read)->isEnabled());
    QVERIFY(!w->commands().toolbarAction(MainWindow::Command::About));
    w->commands().toolbarAction(MainWindow::Command::Read)->trigger();
    QVERIFY(ran);
}

void TestMainStartup::statusBarPanels() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.create();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QCOMPARE(f.label(QStringLiteral("sbPanel2"))->text(),
             chinese.toString(QDate::currentDate(), QLocale::ShortFormat));
    const QTime shown =
        QTime::fromString(f.label(QStringLiteral("sbPanel3"))->text(), QStringLiteral("HH:mm:ss"));
    QVERIFY(shown.isValid());
    QVERIFY(qAbs(shown.secsTo(QTime::currentTime())) <= 2 ||
            qAbs(shown.secsTo(QTime::currentTime())) > 86000);
    // The clock keeps going.
    const QString before = f.label(QStringLiteral("sbPanel3"))->text();
    QTRY_VERIFY_WITH_TIMEOUT(f.label(QStringLiteral("sbPanel3"))->text() != before, 2500);
    Q_UNUSED(w);
}

void TestMainStartup::regionsCarryTheirCaptions() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.create();
    QCOMPARE(w->objectName(), QStringLiteral("mainFrm"));
    QStringList frames;
    for (QGroupBox* g : w->findChildren<QGroupBox*>())
        frames << g->title();
    frames.sort();
    QStringList expected = {"机型选择", "功能设置", "信道数据设置"};
    expected.sort();
    QCOMPARE(frames, expected);
    auto* grid = f.grid();
    QCOMPARE(qobject_cast<QGroupBox*>(grid->parentWidget())->title(), QStringLiteral("信道数据设置"));
    QCOMPARE(qobject_cast<QGroupBox*>(f.combo("cboPCmodel")->parentWidget())->title(),
             QStringLiteral("机型选择"));
    QCOMPARE(qobject_cast<QGroupBox*>(f.combo("cboYYBP")->parentWidget())->title(),
             QStringLiteral("功能设置"));
    QStringList labels;
    for (QLabel* l : f.combo("cboYYBP")->parentWidget()->findChildren<QLabel*>())
        labels << l->text();
    QCOMPARE(labels.size(), 9);
    QVERIFY(labels.contains(QStringLiteral("语音报频：")));
}

QTEST_MAIN(TestMainStartup)
#include "tst_main_startup.moc"
