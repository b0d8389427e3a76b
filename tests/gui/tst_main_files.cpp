// Open and Save of channel files through the main window.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTableView>
#include <QtTest>

#include "file_bytes.h"
#include "image/channel_file.h"
#include "main_window_fixture.h"
#include "ui/channel_table_model.h"
#include "ui/command_wiring.h"

class TestMainFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void discardingCommandsAsk_data();
    void discardingCommandsAsk();
    void sampleRoundTrip_data();
    void sampleRoundTrip();
    void editedTableRoundTrip();
    void saveOverExistingFile();
    void saveWithoutModelFails();
    void cancelledDialogsAreSilent();
    void missingFileIsSilent();
    void malformedFileLeavesWindowUnchanged_data();
    void malformedFileLeavesWindowUnchanged();
    void incompleteFileIsShownAndReported();
    void pointerIsRestoredBeforeMessages();
    void startupFile_data();
    void startupFile();
};

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray shippedIni() {
    return fileBytes(QStringLiteral(RADIOCPS_SOURCE_DIR "/data/Sfc.ini"));
}

// Records whether the busy pointer was still shown when a message appeared.
class PointerWatchingPrompter : public ScriptedPrompter {
public:
    QList<bool> busyAtMessage;
    Answer message(QWidget* p, Icon icon, const QString& title, const QString& text,
                   Buttons buttons) override {
        busyAtMessage << (QApplication::overrideCursor() != nullptr);
        return ScriptedPrompter::message(p, icon, title, text, buttons);
    }
};

} // namespace

void TestMainFiles::sampleRoundTrip_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("layout");
    const QString dir = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/");
    QTest::newRow("16 channels, layout 1") << dir + "demo-16.qfd" << 16 << "1";
    QTest::newRow("16 channels, layout 0") << dir + "rc168-vhf.qfd" << 16 << "0";
    QTest::newRow("8 channels") << dir + "rc80-uhf.qfd" << 8 << "0";
    QTest::newRow("99 channels") << dir + "rc996-99.qfd" << 99 << "1";
}

void TestMainFiles::sampleRoundTrip() {
    QFETCH(QString, sample);
    QFETCH(int, channels);
    QFETCH(QString, layout);
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(2);
    f.prompter.clear();

    f.prompter.fileNames << sample;
    w->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    QCOMPARE(f.prompter.fileDialogs.value(0), QStringLiteral("open:打开|qfd(*.qfd)|*.qfd|所有文件(*.*)|*.*"));
    QVERIFY2(f.prompter.shown.isEmpty(), qPrintable(f.prompter.texts().join("; ")));
    QCOMPARE(w->document().model().strType, channels);
    QCOMPARE(w->document().model().strStype, layout);
    QCOMPARE(w->document().table().channelCount(), channels);
    QVERIFY(!w->document().table().cell(1, 1).isEmpty());
    QCOMPARE(f.bandItems(), w->document().model().strPc + "(U)|" + w->document().model().strPc + "(V)");
    // The model menu follows the file.
    QStringList checked;
    for (QAction* a : w->findChild<QMenu*>(QStringLiteral("mnuNew"))->actions()) {
        if (a->isChecked())
            checked << a->text();
    }
    QCOMPARE(checked, QStringList{w->document().model().strPc});

    const QString copy = f.path(QStringLiteral("copy.qfd"));
    f.prompter.fileNames << copy;
    w->findChild<QAction*>(QStringLiteral("tbSave"))->trigger();
    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Information);
    QCOMPARE(f.prompter.shown[0].title, w->applicationTitle()); // the caption, not the title with the file
    QCOMPARE(f.prompter.shown[0].text, QStringLiteral("保存成功"));
    QCOMPARE(fileBytes(copy), fileBytes(sample));
}

void TestMainFiles::editedTableRoundTrip() {
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(0); // RC-160: 16 channels, layout 1
    const QStringList row = {"1",  "438.50000", "438.50000", "D023N", "67.0", "是",
                             "窄", "否",        "是",        "3",     "低"};
    const QString caption = w->applicationTitle();
    QCOMPARE(w->windowTitle(), caption); // a new table: the caption alone
    for (int c = 1; c < row.size(); ++c)
        w->channelModel()->setCell(1, c, row[c]);
    f.combo(QStringLiteral("cboYYBP"))->setCurrentIndex(2);
    f.combo(QStringLiteral("cboFuncSQL"))->setCurrentIndex(7);
    QCOMPARE(w->windowTitle(), caption + QStringLiteral("*")); // edited, not saved
    const QString first = f.path(QStringLiteral("first.qfd"));
    f.prompter.fileNames << first;
    w->files().saveChannelFile();
    QCOMPARE(fileBytes(first).count("\r\n"), 128);
    QCOMPARE(w->windowTitle(), QStringLiteral("first.qfd - ") + caption);
    w->channelModel()->setCell(2, 1, QStringLiteral("439.00000"));
    QCOMPARE(w->windowTitle(), QStringLiteral("first.qfd* - ") + caption);

    // Open it in a fresh window on another model and save again: the same bytes.
    MainWindowFixture g;
    g.writeIni(shippedIni());
    MainWindow* v = g.createWithModel(2);
    g.prompter.fileNames << first << g.path(QStringLiteral("second.qfd"));
    v->files().openChannelFile();
    QCOMPARE(v->windowTitle(), QStringLiteral("first.qfd - ") + caption);
    for (int c = 1; c < row.size(); ++c)
        QCOMPARE(v->document().table().cell(1, c), row[c]);
    QCOMPARE(g.combo(QStringLiteral("cboYYBP"))->currentText(), QStringLiteral("英文"));
    QCOMPARE(g.combo(QStringLiteral("cboFuncSQL"))->currentText(), QStringLiteral("7"));
    QCOMPARE(v->document().settings().voiceByte(), std::optional<int>(1));
    v->files().saveChannelFile();
    QCOMPARE(fileBytes(g.path(QStringLiteral("second.qfd"))), fileBytes(first));
}

void TestMainFiles::saveOverExistingFile() {
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(2);
    w->channelModel()->setCell(1, 1, QStringLiteral("430.00000"));
    const QString target = f.path(QStringLiteral("target.qfd"));
    writeFile(target, QByteArray(20000, 'x'));
    f.prompter.fileNames << target;
    w->files().saveChannelFile();
    QCOMPARE(f.prompter.texts(), QStringList{"保存成功"});
    const QByteArray saved = fileBytes(target);
    QVERIFY(!saved.contains('x'));
    QCOMPARE(saved.count("\r\n"), 256); // 8 channels: two units
    QVERIFY(saved.endsWith("52 07 F8 08 FF FF FF FF FF FF FF FF\r\n"));
}

void TestMainFiles::saveWithoutModelFails() {
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(-1);
    const QString target = f.path(QStringLiteral("none.qfd"));
    f.prompter.fileNames << target;
    w->files().saveChannelFile();
    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Critical);
    QCOMPARE(f.prompter.shown[0].title, QStringLiteral("错误"));
    QVERIFY(!QFileInfo::exists(target));
}

void TestMainFiles::cancelledDialogsAreSilent() {
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(0);
    w->channelModel()->setCell(1, 1, QStringLiteral("430.00000"));
    w->document().markUnmodified(); // as if it had just been saved: no question before Open
    f.prompter.fileNames << QString() << QString();
    w->findChild<QAction*>(QStringLiteral("tbOpen"))->trigger();
    w->findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
    QCOMPARE(f.prompter.fileDialogs.size(), 2);
    QVERIFY(f.prompter.fileDialogs[1].startsWith(QStringLiteral("save:")));
    QVERIFY(f.prompter.shown.isEmpty());
    QCOMPARE(w->document().table().cell(1, 1), QStringLiteral("430.00000"));
    QCOMPARE(QDir(f.path(QString())).entryList({"*.qfd"}), QStringList());
}

void TestMainFiles::missingFileIsSilent() {
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(0);
    w->files().loadChannelFile(f.path(QStringLiteral("nothing-here.qfd")));
    QVERIFY(f.prompter.shown.isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(w->document().model().strPc, QStringLiteral("RC-160"));
}

void TestMainFiles::malformedFileLeavesWindowUnchanged_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("title");
    const QByteArray good = fileBytes(QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/rc80-uhf.qfd"));
    QByteArray badToken = good;
    badToken.replace(good.indexOf("\r\n", 200) + 2 + 15, 2, "ZZ");
    QTest::newRow("malformed token") << badToken << "13";
    QTest::newRow("too few tokens") << QByteArray("52 00 00 08 41 FF\r\n") << "13";
    QTest::newRow("empty file") << QByteArray() << "62";
    QTest::newRow("unknown model, no eighth entry")
        << QByteArray("52 00 00 08 99 FF FF FF 10 06 05 19\r\n") << "9";
}

void TestMainFiles::malformedFileLeavesWindowUnchanged() {
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(0);
    w->channelModel()->setCell(2, 1, QStringLiteral("440.00000"));
    f.combo(QStringLiteral("cboFuncSQL"))->setCurrentIndex(9);
    const ChannelTable tableBefore = w->document().table();
    const RadioSettings settingsBefore = w->document().settings();
    const QString bandBefore = f.bandItems();
    const QString path = f.path(QStringLiteral("bad.qfd"));
    writeFile(path, content);
    w->document().markUnmodified(); // as if it had just been saved: no question before Open

    f.prompter.fileNames << path;
    w->files().openChannelFile();
    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Information);
    QCOMPARE(f.prompter.shown[0].title, title);
    QVERIFY(!f.prompter.shown[0].text.isEmpty());
    QVERIFY(w->document().table() == tableBefore);
    QVERIFY(w->document().settings() == settingsBefore);
    QCOMPARE(f.bandItems(), bandBefore);
    QCOMPARE(f.combo(QStringLiteral("cboFuncSQL"))->currentText(), QStringLiteral("9"));
    QCOMPARE(w->document().model().strPc, QStringLiteral("RC-160"));
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainFiles::incompleteFileIsShownAndReported() {
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(0);
    const QByteArray good = fileBytes(QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/rc80-uhf.qfd"));
    // Settings and the first three channels only.
    const QList<QByteArray> lines = good.split('\n');
    QByteArray part;
    for (int i = 0; i < 8; ++i)
        part += lines[i] + '\n';
    const QString path = f.path(QStringLiteral("part.qfd"));
    writeFile(path, part);
    w->files().loadChannelFile(path);
    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Information);
    QCOMPARE(f.prompter.shown[0].title, QStringLiteral("62"));
    QVERIFY(f.prompter.shown[0].text.contains(QStringLiteral("8")));
    QVERIFY(f.prompter.shown[0].text.contains(QStringLiteral("256")));
    // What was read is shown.
    QCOMPARE(w->document().model().strType, 8);
    QCOMPARE(w->document().table().rowCount(), 9);
    QVERIFY(!w->document().table().cell(1, 1).isEmpty());
}

void TestMainFiles::pointerIsRestoredBeforeMessages() {
    PointerWatchingPrompter watching;
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.createWithModel(0);
    // A window using the watching prompter; the fixture's first window only filled the model table.
    MainWindow v(f.iniPath(), &watching);
    v.document().models() = w->document().models();
    const QString path = f.path(QStringLiteral("bad.qfd"));
    writeFile(path, "52 00 00 08 GG\r\n");
    v.files().loadChannelFile(path);
    writeFile(path, fileBytes(QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/rc80-uhf.qfd")).left(40));
    v.files().loadChannelFile(path);
    QCOMPARE(watching.busyAtMessage, QList<bool>({false, false}));
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainFiles::startupFile_data() {
    QTest::addColumn<QByteArray>("content");   // of the file given at start; null: no such file
    QTest::addColumn<QStringList>("messages"); // their titles, the error numbers
    QTest::addColumn<int>("dialogs");          // model dialogs, each after the messages; it answers RC-160
    QTest::addColumn<QString>("model");
    const QByteArray good = fileBytes(QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/rc80-uhf.qfd"));
    QTest::newRow("file") << good << QStringList{} << 0 << "RC-80";
    QTest::newRow("missing file") << QByteArray() << QStringList{"53"} << 1 << "RC-160";
    QTest::newRow("malformed file") << QByteArray("52 00 00 08 GG\r\n") << QStringList{"13"} << 1 << "RC-160";
}

// A file given at start names its model, so it opens without the model question; a file that cannot be
// opened is reported, and then the model is asked for as at a start without a file. Both happen once.
void TestMainFiles::startupFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, dialogs);
    MainWindowFixture f;
    f.writeIni(shippedIni());
    MainWindow* w = f.create();
    const QString path = f.path(QStringLiteral("start.qfd"));
    if (!content.isNull())
        writeFile(path, content);
    w->setStartupFile(path);
    QStringList messages;
    f.prompter.whileShown = [&](const ScriptedPrompter::Shown& shown) {
        QCOMPARE(f.modelDialogRuns, 0);
        messages << shown.title;
    };
    w->activate();
    w->activate();
    QTEST(messages, "messages");
    QCOMPARE(f.modelDialogRuns, dialogs);
    QTEST(w->document().model().strPc, "model");
    QVERIFY(w->models().isModelMenuBuilt());
    QCOMPARE(w->windowTitle().contains(QStringLiteral("start.qfd")), dialogs == 0);
    QCOMPARE(w->document().table().cell(1, 1).isEmpty(), dialogs != 0);
}

void TestMainFiles::discardingCommandsAsk_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QString>("next"); // what the command shows after the question, when it goes on
    using A = Prompter::Answer;
    for (const auto& [action, next] :
         {std::pair{"tbNew", "model dialog"}, std::pair{"mnuTYPE_4", "model"},
          std::pair{"tbOpen", "open dialog"}, std::pair{"mnuRead", "read question"}}) {
        QTest::addRow("%s, cancelled", action) << action << A::Cancel << next;
        QTest::addRow("%s, not saved", action) << action << A::Discard << next;
        QTest::addRow("%s, saved", action) << action << A::Save << next;
    }
}

// Every command that would replace an edited table asks first; 取消 leaves everything as it was.
void TestMainFiles::discardingCommandsAsk() {
    QFETCH(QString, action);
    QFETCH(Prompter::Answer, answer);
    QFETCH(QString, next);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    wireCommands(*w);
    w->channelModel()->setCell(1, 1, QStringLiteral("430.00000"));
    const int dialogRuns = f.modelDialogRuns;
    const QString saved = f.path(QStringLiteral("saved.qfd"));
    // After the question (and 保存成功 when saved) the read question is declined.
    f.prompter.answers = {answer, Prompter::Answer::Cancel};
    if (answer == Prompter::Answer::Save)
        f.prompter.answers.insert(1, Prompter::Answer::Ok);
    f.prompter.fileNames = {saved, QString()}; // Save, then Open's dialog cancelled
    f.modelAnswer = 2;
    w->findChild<QAction*>(action)->trigger();

    QCOMPARE(f.prompter.shown[0].text, QStringLiteral("信道数据已修改，是否保存？"));
    const bool goesOn = answer != Prompter::Answer::Cancel;
    QCOMPARE(QFileInfo::exists(saved), answer == Prompter::Answer::Save);
    if (next == "model dialog")
        QCOMPARE(f.modelDialogRuns, dialogRuns + (goesOn ? 1 : 0));
    if (next == "model" || next == "model dialog")
        QCOMPARE(w->document().model().modelIndex, goesOn ? (next == "model" ? 4 : 2) : 0);
    if (next == "open dialog")
        QCOMPARE(f.prompter.fileDialogs.filter(QStringLiteral("open:")).size(), goesOn ? 1 : 0);
    if (next == "read question")
        QCOMPARE(f.prompter.texts().contains(QStringLiteral("确定要开始读频吗?")), goesOn);
    if (!goesOn || next == "open dialog" || next == "read question")
        QCOMPARE(w->document().table().cell(1, 1), QStringLiteral("430.00000"));
}

QTEST_MAIN(TestMainFiles)
#include "tst_main_files.moc"
