#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "image/channel_file.h"
#include "main_window_fixture.h"
#include "print/report_data.h"
#include "private_settings.h"
#include "sim/pty_radio.h"
#include "ui/channel_table_model.h"
#include "ui/command_wiring.h"
#include "ui/model_dialog.h"
#include "ui/radio_commands.h"

// The desktop program as a user drives it: the read and write commands of the main window's menu, wired to
// the real transfers, over a pty to the virtual radio.
class TestMainRadio : public QObject {
    Q_OBJECT

    MainWindowFixture fixture;
    MainWindow* window = nullptr;
    std::unique_ptr<PtyRadio> radio;
    QTemporaryDir dir;

    RadioCommands* radioCommands() const {
        return window->findChild<RadioCommands*>(QStringLiteral("radioCommands"));
    }

    static MemoryImage demoImage() {
        QFile f(QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/demo-16.qfd"));
        f.open(QIODevice::ReadOnly);
        MemoryImage image;
        ChannelFile::parse(f.readAll(), &image.blocks);
        return image;
    }

    // Runs a menu command; frmWAIT runs the transfer by itself and closes when it ends.
    void runCommand(MainWindow::Command command) {
        QAction* action = window->commands().menuAction(command);
        QVERIFY(action->isEnabled());
        action->trigger();
    }

private Q_SLOTS:
    void initTestCase() {
        usePrivateSettings();
        QSettings(QStringLiteral("RadioCPS"), QStringLiteral("RadioCPS")).clear();
        fixture.writeIni(MainWindowFixture::standardIni());
        window = fixture.createWithModel(1); // a 16-channel layout 0 model: the read must switch it
        wireCommands(*window);
        radioCommands()->backups().setFolder(dir.filePath(QStringLiteral("backups")));
        radioCommands()->backups().setTraceFolder(dir.filePath(QStringLiteral("traces")));
        // Own dialogs other than the model dialog run for real (frmWAIT closes itself).
        window->setDialogRunner([](QDialog* dialog) { return dialog->exec(); });
        radio = std::make_unique<PtyRadio>(RadioMachine(demoImage()), 0);
        QVERIFY(!radio->open().isError());
        window->setPortDevice(radio->devicePath());
    }

    void readFillsTheWindow() {
        fixture.prompter.clear();
        fixture.prompter.answers = {Prompter::Answer::Ok}; // "确定要开始读频吗?"
        runCommand(MainWindow::Command::Read);
        QCOMPARE(fixture.prompter.shown.size(), 1);
        QCOMPARE(fixture.prompter.shown[0].text, QStringLiteral("确定要开始读频吗?"));
        const ChannelTable& t = window->document().table();
        QCOMPARE(window->document().model().strPc, QStringLiteral("A16-1"));
        QCOMPARE(t.columnCount(), 11);
        QCOMPARE(t.cell(1, 1), QStringLiteral("430.00000"));
        QCOMPARE(t.cell(16, 1), QStringLiteral("431.87500"));
        QCOMPARE(reportBandText(window->document().model()), QStringLiteral("A16-1(U)"));
    }

    void writeSendsTheEdits() {
        window->channelModel()->setCell(2, 1, QStringLiteral("440.50000"));
        window->channelModel()->setCell(2, 2, QStringLiteral("445.50000"));
        fixture.prompter.clear();
        fixture.prompter.answers = {Prompter::Answer::Ok}; // "确定要开始写频吗?"
        runCommand(MainWindow::Command::Write);
        QCOMPARE(fixture.prompter.texts(), QStringList{QStringLiteral("确定要开始写频吗?")});
        const Block& b = radio->machine().image().blocks[4]; // channel 2, first block
        QCOMPARE(int(b[2]), 0x05);
        QCOMPARE(int(b[3]), 0x44);
        QCOMPARE(int(b[6]), 0x55);
        QCOMPARE(int(b[7]), 0x44);
        QCOMPARE(int(radio->machine().image().blocks[1][7]), 16); // the last used channel
    }

    void openBackupsMenuItem() {
        // The item follows 读频, 写频 and 批量写频 after a separator, and opens the folder, creating it
        // first.
        auto* program = window->findChild<QMenu*>(QStringLiteral("mnuProgram"));
        QVERIFY(program);
        const QList<QAction*> items = program->actions();
        const int at = items.indexOf(window->findChild<QAction*>(QStringLiteral("mnuOpenBackups")));
        QVERIFY(at >= 3);
        QCOMPARE(items[at]->text(), QStringLiteral("打开备份文件夹"));
        QVERIFY(items[at - 1]->isSeparator());
        QCOMPARE(items[at - 2]->objectName(), QStringLiteral("mnuFleet"));
        QCOMPARE(items[at - 3]->objectName(), QStringLiteral("mnuWrite"));

        const QString folder = dir.filePath(QStringLiteral("not yet/备份"));
        radioCommands()->backups().setFolder(folder);
        QList<QUrl> opened;
        radioCommands()->backups().setUrlOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        fixture.prompter.clear();
        items[at]->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(fixture.prompter.shown.isEmpty());

        // A desktop that cannot open it says so, naming the folder.
        radioCommands()->backups().setUrlOpener([](const QUrl&) { return false; });
        items[at]->trigger();
        QCOMPARE(fixture.prompter.shown.size(), 1);
        QVERIFY(fixture.prompter.shown[0].text.contains(QDir::toNativeSeparators(folder)));
        radioCommands()->backups().setFolder(dir.filePath(QStringLiteral("backups")));
    }

    void openTracesMenuItem() {
        // In the help menu, before "关于"; it opens the folder of the traces, where the transfers so far
        // have each left one.
        auto* help = window->findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QVERIFY(help);
        auto* item = window->findChild<QAction*>(QStringLiteral("mnuOpenTraces"));
        QVERIFY(item && help->actions().contains(item));
        QCOMPARE(item->text(), QStringLiteral("打开日志文件夹"));
        const QString folder = radioCommands()->backups().traceFolder();
        QVERIFY(QDir(folder).entryList(QDir::Files).size() >= 2); // the read and the write before
        QList<QUrl> opened;
        radioCommands()->backups().setUrlOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        fixture.prompter.clear();
        item->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
        QVERIFY(fixture.prompter.shown.isEmpty());
        radioCommands()->backups().setUrlOpener([](const QUrl&) { return false; });
        item->trigger();
        QCOMPARE(fixture.prompter.shown.size(), 1);
        QCOMPARE(fixture.prompter.shown[0].text,
                 QStringLiteral("无法打开日志文件夹：") + QDir::toNativeSeparators(folder));
    }

    // Both write options on: the radio is read, written and read back in one progress window.
    void writeWithBothOptions() {
        for (const char* name : {"mnuBackupBeforeWrite", "mnuVerifyAfterWrite"}) {
            QAction* item = window->findChild<QAction*>(QLatin1String(name));
            QVERIFY(item && !item->isChecked());
            item->trigger();
        }
        window->channelModel()->setCell(5, 1, QStringLiteral("441.50000"));
        const int readBefore = radio->machine().blocksRead();
        const int writtenBefore = radio->machine().blocksWritten();
        int windows = 0;
        // The body names each stage, and each stage's bar starts from nothing.
        QStringList stages;
        window->setDialogRunner([&](QDialog* dialog) {
            ++windows;
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, [&] {
                const auto* line = dialog->findChild<QLabel*>(QStringLiteral("lblStage"));
                const auto* bar = dialog->findChild<QProgressBar*>(QStringLiteral("pgbCount"));
                const QString seen = line->text() + (bar->value() == bar->maximum() ? " 100%" : "");
                if (line->isVisible() && (stages.isEmpty() || !stages.last().startsWith(line->text())))
                    stages << seen;
            });
            look.start(1);
            return dialog->exec();
        });
        fixture.prompter.clear();
        fixture.prompter.answers = {Prompter::Answer::Ok}; // "确定要开始写频吗?"
        runCommand(MainWindow::Command::Write);
        QCOMPARE(stages, (QStringList{QStringLiteral("第 1 步，共 3 步：读取备份"),
                                      QStringLiteral("第 2 步，共 3 步：写频"),
                                      QStringLiteral("第 3 步，共 3 步：校验")}));
        window->setDialogRunner([](QDialog* dialog) { return dialog->exec(); });
        for (const char* name : {"mnuBackupBeforeWrite", "mnuVerifyAfterWrite"})
            window->findChild<QAction*>(QLatin1String(name))->trigger();

        QCOMPARE(fixture.prompter.texts(), QStringList{QStringLiteral("确定要开始写频吗?")});
        QCOMPARE(windows, 1);
        // The radio's contents before the write and the image written are both kept, and said so.
        const QStringList notes = window->statusNote().split(QStringLiteral("；"));
        QCOMPARE(notes.size(), 3);
        QVERIFY2(notes[0].startsWith(QStringLiteral("已备份到：")) &&
                     notes[0].contains(QStringLiteral("-读频-")),
                 qPrintable(notes[0]));
        QVERIFY2(notes[1].contains(QStringLiteral("-写频-")), qPrintable(notes[1]));
        QCOMPARE(notes[2], QStringLiteral("写频完成，校验一致"));
        const QStringList kept =
            QDir(radioCommands()->backups().folder()).entryList({QStringLiteral("*.qfd")}, QDir::Files);
        QCOMPARE(kept.filter(QStringLiteral("-读频-")).size() >= 1, true);
        QCOMPARE(radio->machine().blocksRead() - readBefore, 2 * 128);
        QCOMPARE(radio->machine().blocksWritten() - writtenBefore, 128);
        QCOMPARE(int(radio->machine().image().blocks[10][2]), 0x15); // channel 5: 441.50000
        QVERIFY(window->document().isModified());                    // the radio has the edit, no file does
    }

    void frequencyCheckStopsTheWrite() {
        window->channelModel()->setCell(3, 1, QStringLiteral("651.00000"));
        fixture.prompter.clear();
        runCommand(MainWindow::Command::Write);
        QCOMPARE(fixture.prompter.shown.size(), 1);
        QVERIFY(fixture.prompter.shown[0].text.startsWith(QStringLiteral("第3个信道数据的接收频率不合法")));
    }
};

QTEST_MAIN(TestMainRadio)
#include "tst_main_radio.moc"
