#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

#include "cli_harness.h"
#include "main_window_fixture.h"
#include "private_settings.h"
#include "texts/fleet_texts.h"
#include "ui/command_wiring.h"
#include "ui/fleet_window.h"
#include "ui/radio_commands.h"

// frmFleet as a dealer uses it: 编程 → 批量写频…, two cables (virtual radios that come and go), 开始, the
// live states, 停止, 导出记录, and closing while a radio is being written.
class TestFleetWindow : public QObject {
    Q_OBJECT

    MainWindowFixture fixture;
    MainWindow* window = nullptr;
    QTemporaryDir dir;

    FleetWindow* openFleet() {
        QAction* item = window->findChild<QAction*>(QStringLiteral("mnuFleet"));
        if (!item || !item->isEnabled())
            return nullptr;
        item->trigger();
        auto* fleet = window->findChild<FleetWindow*>(QStringLiteral("frmFleet"));
        if (fleet) {
            LinkTimings timings;
            timings.startDelayMs = 100;
            timings.noResponseMs = 3000;
            fleet->setTimings(timings);
            fleet->setGapMs(1000);
        }
        return fleet;
    }
    template <typename T> static T* child(QWidget* w, const char* name) {
        return w->findChild<T*>(QLatin1String(name));
    }
    // Only the virtual radios: the machine's own serial ports are listed too, and stay untouched.
    static void check(QListWidget* ports, const QStringList& devices) {
        for (int i = 0; i < ports->count(); ++i) {
            QListWidgetItem* item = ports->item(i);
            if (devices.contains(item->data(Qt::UserRole).toString()))
                item->setCheckState(Qt::Checked);
        }
    }
    static QStringList checked(QListWidget* ports) {
        QStringList out;
        for (int i = 0; i < ports->count(); ++i) {
            if (ports->item(i)->checkState() == Qt::Checked)
                out << ports->item(i)->data(Qt::UserRole).toString();
        }
        return out;
    }
    static QStringList column(QTableWidget* grid, int c) {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            out << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        return out;
    }

private Q_SLOTS:
    void initTestCase() {
        usePrivateSettings();
        QSettings(QStringLiteral("RadioCPS"), QStringLiteral("RadioCPS")).clear();
        if (!CliHarness::prepareCliTest(dir))
            QSKIP("radiocps-sim is not built");
        fixture.writeIni(MainWindowFixture::standardIni());
        window = fixture.createWithModel(0);
        wireCommands(*window);
        auto* radio = window->findChild<RadioCommands*>(QStringLiteral("radioCommands"));
        radio->backups().setFolder(dir.filePath(QStringLiteral("backups")));
        radio->backups().setTraceFolder(dir.filePath(QStringLiteral("traces")));
    }

    // A test that failed half-way leaves its window; the next one must not find it instead of its own.
    void cleanup() { qDeleteAll(window->findChildren<FleetWindow*>()); }

    // Start, live states, stop and export through the real window.
    void runStopExport() {
        CliHarness::Sim a;
        CliHarness::Sim b;
        QVERIFY(a.start({"--swap", "2.5", "--baud", "9600"}));
        QVERIFY(b.start({"--swap", "2.5", "--baud", "9600"}));
        window->setPortDevices({a.device, b.device});
        QPointer<FleetWindow> fleet = openFleet();
        QVERIFY(fleet);
        auto* ports = child<QListWidget>(fleet, "lstFleetPorts");
        auto* grid = child<QTableWidget>(fleet, "gridFleet");
        auto* counter = child<QLabel>(fleet, "lblFleetCounter");
        QVERIFY(ports->findItems(a.device, Qt::MatchStartsWith).size() == 1);
        QVERIFY(ports->findItems(b.device, Qt::MatchStartsWith).size() == 1);

        // The cables given with --port come ticked; with none ticked, 开始 asks for one.
        QCOMPARE(checked(ports), (QStringList{a.device, b.device}));
        for (int i = 0; i < ports->count(); ++i)
            ports->item(i)->setCheckState(Qt::Unchecked);
        fixture.prompter.clear();
        child<QPushButton>(fleet, "cmdFleetStart")->click();
        QCOMPARE(fixture.prompter.texts(), QStringList{FleetTexts::ChoosePort});
        check(ports, {a.device, b.device});
        child<QPushButton>(fleet, "cmdFleetStart")->click();
        // Each port shows what it does, and a radio's row follows it while it is written.
        const QListWidgetItem* first = ports->findItems(a.device, Qt::MatchStartsWith).value(0);
        QTRY_VERIFY_WITH_TIMEOUT(first->text().endsWith(QStringLiteral("等待对讲机…")) ||
                                     first->text().contains(QStringLiteral("台：")),
                                 5000);
        QTRY_VERIFY_WITH_TIMEOUT(column(grid, 4).join('|').contains(QStringLiteral("台：写频")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(counter->text() == FleetTexts::counter(2, 0), 30000);
        // A fresh radio comes on each cable; stop while both are written: they finish, nothing new starts.
        QTRY_VERIFY_WITH_TIMEOUT(grid->rowCount() == 4, 30000);
        // Their rows follow the blocks as they go out.
        QTRY_VERIFY_WITH_TIMEOUT(
            column(grid, 4).filter(QRegularExpression(QStringLiteral("台：写频 [1-9]\\d*/128"))).size() == 2,
            10000);
        const QByteArray shot = qgetenv("RADIOCPS_FLEET_SCREENSHOT");
        if (!shot.isEmpty())
            fleet->grab().save(QString::fromLocal8Bit(shot));
        child<QPushButton>(fleet, "cmdFleetStop")->click();
        QTRY_VERIFY_WITH_TIMEOUT(fleet->run()->isFinished(), 30000);
        QCOMPARE(column(grid, 4), QStringList(4, QStringLiteral("成功")));
        QCOMPARE(column(grid, 5), QStringList(4, QStringLiteral("一致")));
        QCOMPARE(counter->text(), FleetTexts::counter(4, 0));
        QVERIFY(child<QPushButton>(fleet, "cmdFleetStart")->isEnabled());

        fixture.prompter.fileNames = {dir.filePath(QStringLiteral("fleet"))};
        child<QPushButton>(fleet, "cmdFleetExport")->click();
        QFile log(dir.filePath(QStringLiteral("fleet.csv")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), FleetTexts::csv(fleet->run()->records()));
        QCOMPARE(fleet->run()->records().size(), 4);
        fleet->close();
        QTRY_VERIFY(!fleet);
    }

    // Closing while a radio is written (Escape, as the close box) asks first; the radio is written to the
    // end, then the window goes.
    void closeWhileWriting() {
        CliHarness::Sim a;
        QVERIFY(a.start({"--swap", "2.5", "--baud", "9600"}));
        window->setPortDevices({a.device});
        QPointer<FleetWindow> fleet = openFleet();
        QVERIFY(fleet);
        check(child<QListWidget>(fleet, "lstFleetPorts"), {a.device});
        child<QPushButton>(fleet, "cmdFleetStart")->click();
        auto* grid = child<QTableWidget>(fleet, "gridFleet");
        const QString backups = dir.filePath(QStringLiteral("backups"));
        const int kept = CliHarness::filesIn(backups).size();
        QTRY_VERIFY_WITH_TIMEOUT(column(grid, 4).join('|').contains(QStringLiteral("台：写频")), 10000);
        fixture.prompter.clear();
        fixture.prompter.answers = {Prompter::Answer::Ok};
        QTest::keyClick(fleet.data(), Qt::Key_Escape); // as the close box

        QCOMPARE(fixture.prompter.texts(), QStringList{FleetTexts::ConfirmClose});
        QVERIFY(fleet && fleet->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!fleet, 30000);
        // The radio was written in full before the window went.
        QCOMPARE(CliHarness::filesIn(backups).size(), kept + 1);
    }
};

QTEST_MAIN(TestFleetWindow)
#include "tst_fleet_window.moc"
