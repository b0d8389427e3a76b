// The service commands through the main window: tune mode (the password dialog, the tune window and what
// leaving it stores) and the about box.
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "config/ini_file.h"
#include "file_bytes.h"
#include "image/channel_file.h"
#include "main_window_fixture.h"
#include "ui/about_box.h"
#include "ui/command_wiring.h"
#include "ui/login_dialog.h"
#include "ui/tune_window.h"

class TestServiceCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void passwordAttempts_data();
    void passwordAttempts();
    void laterCommandAsksAgain();
    void windowLoadsFromMainWindow();
    void nodesSwitchPages();
    void mouseClickOnExitNodeLeaves();
    void exitNodeStoresRange_data();
    void exitNodeStoresRange();
    void rangeNotStored_data();
    void rangeNotStored();
    void closeBoxKeepsRangeForThisRun();
    void onlyTheRangeLineChanges_data();
    void onlyTheRangeLineChanges();
    void unwritableFileIsReported();
    void textBoxesRefuseNonNumbers_data();
    void textBoxesRefuseNonNumbers();
    void emptyBandRangeEmptiesBoxWithMessage();
    void optionsReachSavedFile_data();
    void optionsReachSavedFile();
    void choicesAreShownAgainNextTime();
    void loadedCrystalSurvivesAVisit();
    void aboutCommandOpensTheBox_data();
    void aboutCommandOpensTheBox();
};

namespace {

const QString kPassword = QStringLiteral("4816930");

// What a tune command met: the attempts made, whether the tune window opened.
struct Session {
    int loginShowings = 0;
    int tuneShowings = 0;
    bool lastLoginSucceeded = false;
};

// A main window with every command wired, whose dialog runner types the scripted passwords into frmLogin
// (until it closes) and lets `onTune` act on frmMODE.
class TuneFixture {
public:
    explicit TuneFixture(int model = 1, const QByteArray& ini = MainWindowFixture::standardIni()) {
        f.writeIni(ini);
        f.otherDialog = [this](QDialog* dialog) { return answer(dialog); };
        window = f.createWithModel(model);
        wireCommands(*window);
    }

    // Runs the tune command; each password is typed and confirmed in turn, "" stands for "取消".
    Session tune(const QStringList& passwords, std::function<void(TuneWindow&)> onTune = {}) {
        passwords_ = passwords;
        onTune_ = std::move(onTune);
        session_ = {};
        window->commands().menuAction(MainWindow::Command::Tune)->trigger();
        return session_;
    }

    MainWindowFixture f;
    MainWindow* window = nullptr;
    QStringList loginSelections; // the selected text after each wrong attempt

private:
    int answer(QDialog* dialog) {
        if (auto* login = qobject_cast<LoginDialog*>(dialog)) {
            ++session_.loginShowings;
            bool closed = false;
            QObject::connect(login, &QDialog::finished, login, [&closed] { closed = true; });
            while (!closed && !passwords_.isEmpty()) {
                const QString p = passwords_.takeFirst();
                if (p.isEmpty()) {
                    login->cancelButton()->click();
                    break;
                }
                login->passwordBox()->setText(p);
                login->okButton()->click();
                if (!closed)
                    loginSelections << login->passwordBox()->selectedText();
            }
            session_.lastLoginSucceeded = login->LoginSucceeded;
            return login->result();
        }
        if (auto* tune = qobject_cast<TuneWindow*>(dialog)) {
            ++session_.tuneShowings;
            if (onTune_)
                onTune_(*tune);
            return tune->result();
        }
        return QDialog::Rejected;
    }

    QStringList passwords_;
    std::function<void(TuneWindow&)> onTune_;
    Session session_;
};

template <typename T> T* child(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (!c)
        qWarning("no child %s", qPrintable(name));
    return c;
}

void clickNode(TuneWindow& t, const QString& key) {
    QTreeWidgetItem* item = t.node(key);
    QVERIFY(item);
    emit t.tree()->itemClicked(item, 0);
}

void setLimits(TuneWindow& t, const QString& low, const QString& high) {
    child<QLineEdit>(t, QStringLiteral("Text2"))->setText(low);
    child<QLineEdit>(t, QStringLiteral("Text1"))->setText(high);
}

// The function byte (d4) and the tune power byte (d7) of settings block A in a saved file.
void settingsBytes(const QString& path, int* function, int* power) {
    QVector<Block> blocks;
    QVERIFY(!ChannelFile::parse(fileBytes(path), &blocks).isError());
    QVERIFY(!blocks.isEmpty());
    *function = blocks[0][4];
    *power = blocks[0][7];
}

QByteArray iniWith(const QByteArray& pl1) {
    QByteArray ini = MainWindowFixture::standardIni();
    ini.replace(QByteArray("PL1=400MHz---470MHz"), QByteArray(QByteArray("PL1=") + pl1));
    return ini;
}

} // namespace

void TestServiceCommands::passwordAttempts_data() {
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("messages");

    QTest::newRow("first try") << QStringList{kPassword} << true << 0;
    QTest::newRow("third try") << QStringList{"1234567", "4816931", kPassword} << true << 2;
    QTest::newRow("three wrong") << QStringList{"a", "b", "c", kPassword} << false << 3;
    QTest::newRow("trailing space") << QStringList{kPassword + " ", "", kPassword} << false << 1;
    QTest::newRow("prefix only") << QStringList{"481693", "48169300", "4816930\t"} << false << 3;
    QTest::newRow("cancel") << QStringList{"", kPassword} << false << 0;
}

void TestServiceCommands::passwordAttempts() {
    QFETCH(QStringList, passwords);
    QFETCH(bool, opens);
    QFETCH(int, messages);

    TuneFixture t;
    const Session s = t.tune(passwords);
    QCOMPARE(s.loginShowings, 1);
    QCOMPARE(s.lastLoginSucceeded, opens);
    QCOMPARE(s.tuneShowings, opens ? 1 : 0);
    QCOMPARE(t.f.prompter.shown.size(), messages);
    for (const ScriptedPrompter::Shown& m : t.f.prompter.shown) {
        QCOMPARE(m.icon, Prompter::Icon::Critical);
        QCOMPARE(m.title, QStringLiteral("错误"));
        QCOMPARE(m.text, QStringLiteral("密码不正确，请重新输入"));
    }
    // After each wrong try that leaves the dialog open, the whole text is selected for retyping.
    for (int i = 0; i < t.loginSelections.size(); ++i)
        QCOMPARE(t.loginSelections[i], passwords[i]);
}

void TestServiceCommands::laterCommandAsksAgain() {
    TuneFixture t;
    QCOMPARE(t.tune({kPassword}).tuneShowings, 1);
    const Session again = t.tune({"x", "y", "z"});
    QCOMPARE(again.loginShowings, 1);
    QCOMPARE(again.tuneShowings, 0);
    // Each showing starts with three fresh attempts.
    QCOMPARE(t.tune({"x", "y", kPassword}).tuneShowings, 1);
}

void TestServiceCommands::windowLoadsFromMainWindow() {
    TuneFixture t(1);
    QComboBox* band = t.f.combo(QStringLiteral("cboPCmodel"));
    band->setCurrentIndex(1);
    t.window->models().bandSelectorClick(1);
    TuneValues tune = t.window->document().settings().tune;
    tune.sPower = 8;
    t.window->document().setTune(tune);
    t.tune({kPassword}, [](TuneWindow& w) {
        QCOMPARE(w.objectName(), QStringLiteral("frmMODE"));
        QCOMPARE(w.windowTitle(), QStringLiteral("调整模式"));
        for (const QString& name : {QStringLiteral("cboPCmodel_0"), QStringLiteral("cboPCmodel_1")}) {
            QComboBox* c = child<QComboBox>(w, name);
            QCOMPARE(c->count(), 2);
            QCOMPARE(c->itemText(0), QStringLiteral("B16-0(U)"));
            QCOMPARE(c->itemText(1), QStringLiteral("B16-0(V)"));
            QCOMPARE(c->currentIndex(), 1);
        }
        QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), QStringLiteral("136"));
        QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text1"))->text(), QStringLiteral("174"));
        QCOMPARE(child<QLabel>(w, QStringLiteral("freQuent"))->text(), QStringLiteral("136MHz---174MHz"));
        QCOMPARE(child<QComboBox>(w, QStringLiteral("cboFrequent"))->currentText(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(w, QStringLiteral("lblRadiomodel"))->text(), QStringLiteral("机型号："));
        QVERIFY(child<QRadioButton>(w, QStringLiteral("optJT_0"))->isChecked());
        QVERIFY(child<QRadioButton>(w, QStringLiteral("Option1_0"))->isChecked());
        QCOMPARE(child<QRadioButton>(w, QStringLiteral("optJT_0"))->text(), QStringLiteral("13MHz "));
        QCOMPARE(child<QRadioButton>(w, QStringLiteral("optJT_1"))->text(), QStringLiteral("14.4MHz"));

        // The tree: the first root expanded with its two children, then the exit node.
        QTreeWidget* tree = w.tree();
        QCOMPARE(tree->objectName(), QStringLiteral("tremode"));
        QCOMPARE(tree->topLevelItemCount(), 2);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("调整项"));
        QVERIFY(root->isExpanded());
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(0)->text(0), QStringLiteral("频率调整"));
        QCOMPARE(root->child(1)->text(0), QStringLiteral("功率调整"));
        QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("退出调整"));
    });
    // Choosing the other band in the window fills the boxes from that band's range.
    t.tune({kPassword}, [](TuneWindow& w) {
        child<QComboBox>(w, QStringLiteral("cboPCmodel_0"))->setCurrentIndex(0);
        QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), QStringLiteral("400"));
        QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text1"))->text(), QStringLiteral("470"));
    });
    QVERIFY(t.f.prompter.shown.isEmpty());
}

void TestServiceCommands::nodesSwitchPages() {
    TuneFixture t;
    t.tune({kPassword}, [](TuneWindow& w) {
        const QStringList frequency{"cboPCmodel_0", "Text1",   "Text2",  "Option1_0",
                                    "Option1_1",    "optJT_0", "optJT_1"};
        const QStringList power{"cboPCmodel_1", "freQuent", "cboFrequent"};
        auto pageShown = [&w](const QStringList& names, bool shown) {
            for (const QString& n : names) {
                QWidget* c = child<QWidget>(w, n);
                QVERIFY2(c && c->isHidden() != shown, qPrintable(n));
            }
        };
        pageShown(frequency, true);
        pageShown(power, false);
        clickNode(w, QStringLiteral("power"));
        pageShown(frequency, false);
        pageShown(power, true);
        clickNode(w, QStringLiteral("node1")); // the root does nothing
        pageShown(power, true);
        clickNode(w, QStringLiteral("frequent"));
        pageShown(frequency, true);
        pageShown(power, false);
        QVERIFY(!w.tree()->isHidden());
        QVERIFY(!child<QWidget>(w, QStringLiteral("lblRadiomodel"))->isHidden());
        QCOMPARE(w.exit(), TuneWindow::Exit::Open);
    });
}

void TestServiceCommands::mouseClickOnExitNodeLeaves() {
    TuneFixture t;
    bool left = false;
    t.tune({kPassword}, [&left](TuneWindow& w) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        setLimits(w, QStringLiteral("401"), QStringLiteral("469"));
        QTreeWidgetItem* exitNode = w.node(QStringLiteral("node2"));
        QTest::mouseClick(w.tree()->viewport(), Qt::LeftButton, {},
                          w.tree()->visualItemRect(exitNode).center());
        left = w.exit() == TuneWindow::Exit::ExitNode && !w.isVisible();
    });
    QVERIFY(left);
    QCOMPARE(t.window->document().bandRange(1), QStringLiteral("401MHz---469MHz"));
}

void TestServiceCommands::exitNodeStoresRange_data() {
    QTest::addColumn<int>("bandItem");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("key");

    QTest::newRow("first band") << 0 << "400"
                                << "470"
                                << "PL1";
    QTest::newRow("second band") << 1 << "137"
                                 << "175"
                                 << "PL2";
    QTest::newRow("leading zero") << 0 << "066"
                                  << "088"
                                  << "PL1";
}

void TestServiceCommands::exitNodeStoresRange() {
    QFETCH(int, bandItem);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QString, key);

    TuneFixture t(1, iniWith("380MHz---420MHz"));
    t.tune({kPassword}, [&](TuneWindow& w) {
        child<QComboBox>(w, QStringLiteral("cboPCmodel_0"))->setCurrentIndex(bandItem);
        setLimits(w, low, high);
        clickNode(w, QStringLiteral("node2"));
        QCOMPARE(w.exit(), TuneWindow::Exit::ExitNode);
        QCOMPARE(w.result(), int(QDialog::Accepted));
    });
    const QString expected = low + QStringLiteral("MHz---") + high + QStringLiteral("MHz");
    QCOMPARE(expected.size(), 15);
    QCOMPARE(t.window->document().bandRange(bandItem + 1), expected);
    QCOMPARE(ReadIniString(QStringLiteral("Frequent"), key, t.f.iniPath()), expected);
    // The main window's band is the first item: its label shows PL1 after the activation that followed.
    const QString pl1 = bandItem == 0 ? expected : QStringLiteral("380MHz---420MHz");
    QCOMPARE(t.f.label(QStringLiteral("Label2"))->text(), pl1);
    QVERIFY(t.f.prompter.shown.isEmpty());
}

void TestServiceCommands::rangeNotStored_data() {
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QStringList>("messages");

    const QString number = QStringLiteral("请输入数字");
    QTest::newRow("high emptied") << "400"
                                  << "" << QStringList{number};
    QTest::newRow("low emptied") << ""
                                 << "470" << QStringList{number};
    QTest::newRow("two digits") << "40"
                                << "470"
                                << QStringList{"低端频率“40”不是三位整数（MHz），例如 400。频率范围未保存。"};
    QTest::newRow("four digits") << "400"
                                 << "1470"
                                 << QStringList{
                                        "高端频率“1470”不是三位整数（MHz），例如 400。频率范围未保存。"};
    QTest::newRow("fraction")
        << "4.5"
        << "47" << QStringList{"低端频率“4.5”和高端频率“47”不是三位整数（MHz），例如 400。频率范围未保存。"};
}

void TestServiceCommands::rangeNotStored() {
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QStringList, messages);

    TuneFixture t(1);
    const QByteArray before = fileBytes(t.f.iniPath());
    t.tune({kPassword}, [&](TuneWindow& w) {
        setLimits(w, low, high);
        child<QRadioButton>(w, QStringLiteral("optJT_1"))->setChecked(true);
        child<QRadioButton>(w, QStringLiteral("Option1_1"))->setChecked(true);
        child<QComboBox>(w, QStringLiteral("cboFrequent"))->setCurrentIndex(9);
        clickNode(w, QStringLiteral("node2"));
        QCOMPARE(w.exit(), TuneWindow::Exit::ExitNode);
        QVERIFY(!w.storedRange());
    });
    QCOMPARE(t.f.prompter.texts(), messages);
    QCOMPARE(t.window->document().bandRange(1), QStringLiteral("400MHz---470MHz"));
    QCOMPARE(fileBytes(t.f.iniPath()), before);
    // The other choices are stored all the same.
    const TuneValues& v = t.window->document().settings().tune;
    QCOMPARE(v.optJT, 1);
    QCOMPARE(v.Option1, 1);
    QCOMPARE(v.sPower, 9);
}

void TestServiceCommands::closeBoxKeepsRangeForThisRun() {
    TuneFixture t(1);
    const QByteArray before = fileBytes(t.f.iniPath());
    t.tune({kPassword}, [](TuneWindow& w) {
        setLimits(w, QStringLiteral("410"), QStringLiteral("480"));
        child<QRadioButton>(w, QStringLiteral("optJT_1"))->setChecked(true);
        child<QComboBox>(w, QStringLiteral("cboFrequent"))->setCurrentIndex(0);
        w.show(); // the close box belongs to a window on screen
        w.close();
        QCOMPARE(w.exit(), TuneWindow::Exit::CloseBox);
    });
    QCOMPARE(t.window->document().bandRange(1), QStringLiteral("410MHz---480MHz"));
    QCOMPARE(t.f.label(QStringLiteral("Label2"))->text(), QStringLiteral("410MHz---480MHz"));
    QCOMPARE(fileBytes(t.f.iniPath()), before);
    QCOMPARE(t.window->document().settings().tune.optJT, 1);
    QCOMPARE(t.window->document().settings().tune.sPower, 0);
}

void TestServiceCommands::onlyTheRangeLineChanges_data() {
    QTest::addColumn<bool>("gbk");
    QTest::addColumn<bool>("crlf");
    QTest::newRow("utf-8, CRLF") << false << true;
    QTest::newRow("utf-8, LF") << false << false;
    QTest::newRow("gbk, CRLF") << true << true;
}

void TestServiceCommands::onlyTheRangeLineChanges() {
    QFETCH(bool, gbk);
    QFETCH(bool, crlf);

    QByteArray ini = MainWindowFixture::standardIni() + "[PcHelp]\r\ntype=测试系列\r\nversion=版本 2.0\r\n";
    if (!crlf)
        ini.replace("\r\n", "\n");
    if (gbk) {
        QStringEncoder encoder("GB18030");
        ini = encoder.encode(QString::fromUtf8(ini));
        QVERIFY(!encoder.hasError());
    }
    TuneFixture t(1, ini);
    const QByteArray before = fileBytes(t.f.iniPath());
    t.tune({kPassword}, [](TuneWindow& w) {
        child<QComboBox>(w, QStringLiteral("cboPCmodel_0"))->setCurrentIndex(1);
        setLimits(w, QStringLiteral("144"), QStringLiteral("148"));
        clickNode(w, QStringLiteral("node2"));
    });
    QByteArray expected = before;
    expected.replace("PL2=136MHz---174MHz", "PL2=144MHz---148MHz");
    QVERIFY(expected != before);
    QCOMPARE(fileBytes(t.f.iniPath()), expected);
}

void TestServiceCommands::unwritableFileIsReported() {
    TuneFixture t(1);
    // A folder where the file should be: the write must fail and say so.
    QFile::remove(t.f.iniPath());
    QVERIFY(QDir().mkpath(t.f.iniPath()));
    t.tune({kPassword}, [](TuneWindow& w) {
        setLimits(w, QStringLiteral("420"), QStringLiteral("450"));
        clickNode(w, QStringLiteral("node2"));
    });
    QCOMPARE(t.window->document().bandRange(1), QStringLiteral("420MHz---450MHz"));
    QCOMPARE(t.f.prompter.shown.size(), 1);
    QCOMPARE(t.f.prompter.shown[0].icon, Prompter::Icon::Warning);
    QVERIFY(t.f.prompter.shown[0].text.contains(t.f.iniPath()));
}

void TestServiceCommands::textBoxesRefuseNonNumbers_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("typed"); // texts set in turn
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("left");

    QTest::newRow("letters") << "Text1" << QStringList{"abc"} << 1 << "";
    QTest::newRow("digit then letter") << "Text2" << QStringList{"4", "4a"} << 1 << "";
    QTest::newRow("number kept") << "Text2" << QStringList{"41", "412"} << 0 << "412";
    QTest::newRow("emptied by the user") << "Text1" << QStringList{""} << 1 << "";
    QTest::newRow("spaces only") << "Text2" << QStringList{"   "} << 1 << "";
    QTest::newRow("signed number") << "Text1" << QStringList{"-5"} << 0 << "-5";
}

void TestServiceCommands::textBoxesRefuseNonNumbers() {
    QFETCH(QString, box);
    QFETCH(QStringList, typed);
    QFETCH(int, messages);
    QFETCH(QString, left);

    TuneFixture t(1);
    QString result;
    t.tune({kPassword}, [&](TuneWindow& w) {
        QLineEdit* edit = child<QLineEdit>(w, box);
        for (const QString& text : typed)
            edit->setText(text);
        result = edit->text();
    });
    QCOMPARE(result, left);
    QCOMPARE(t.f.prompter.shown.size(), messages);
    for (const ScriptedPrompter::Shown& m : t.f.prompter.shown) {
        QCOMPARE(m.text, QStringLiteral("请输入数字"));
        QCOMPARE(m.buttons, Prompter::Buttons::Ok);
        QCOMPARE(m.title, QStringLiteral("测试编程软件"));
    }
}

void TestServiceCommands::emptyBandRangeEmptiesBoxWithMessage() {
    QByteArray ini = MainWindowFixture::standardIni();
    ini.replace("PL2=136MHz---174MHz\r\n", "");
    TuneFixture t(1, ini);
    t.tune({kPassword}, [](TuneWindow& w) {
        // Opening on the first band is quiet; the second has no range, so both boxes are emptied.
        QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), QStringLiteral("400"));
        child<QComboBox>(w, QStringLiteral("cboPCmodel_0"))->setCurrentIndex(1);
        QVERIFY(child<QLineEdit>(w, QStringLiteral("Text2"))->text().isEmpty());
        QVERIFY(child<QLineEdit>(w, QStringLiteral("Text1"))->text().isEmpty());
    });
    // The missing range is said at start-up, naming the entry.
    QVERIFY(t.f.prompter.texts().value(0).contains(QStringLiteral("[Frequent] PL2=：")));
    QCOMPARE(t.f.prompter.texts().mid(1), (QStringList{"请输入数字", "请输入数字"}));
}

void TestServiceCommands::optionsReachSavedFile_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("crystal");
    QTest::addColumn<int>("polarity");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("functionByte");

    // Layout 0 keeps crystal and polarity in bits 5 and 4; layout 1 in bits 3 and 2 (its scrambling
    // default sets bit 4).
    QTest::newRow("layout 0, defaults") << 1 << 0 << 0 << 5 << 0x00;
    QTest::newRow("layout 0, 14.4MHz") << 1 << 1 << 0 << 0 << 0x20;
    QTest::newRow("layout 0, negative") << 1 << 0 << 1 << 10 << 0x10;
    QTest::newRow("layout 0, both") << 1 << 1 << 1 << 7 << 0x30;
    QTest::newRow("layout 1, defaults") << 0 << 0 << 0 << 5 << 0x10;
    QTest::newRow("layout 1, 14.4MHz") << 0 << 1 << 0 << 3 << 0x18;
    QTest::newRow("layout 1, both") << 0 << 1 << 1 << 1 << 0x1C;
}

void TestServiceCommands::optionsReachSavedFile() {
    QFETCH(int, model);
    QFETCH(int, crystal);
    QFETCH(int, polarity);
    QFETCH(int, step);
    QFETCH(int, functionByte);

    TuneFixture t(model);
    t.tune({kPassword}, [&](TuneWindow& w) {
        child<QRadioButton>(w, QStringLiteral("optJT_%1").arg(crystal))->setChecked(true);
        child<QRadioButton>(w, QStringLiteral("Option1_%1").arg(polarity))->setChecked(true);
        clickNode(w, QStringLiteral("power"));
        child<QComboBox>(w, QStringLiteral("cboFrequent"))->setCurrentIndex(step);
        clickNode(w, QStringLiteral("node2"));
    });
    const TuneValues& v = t.window->document().settings().tune;
    QCOMPARE(v.optJT, crystal);
    QCOMPARE(v.Option1, polarity);
    QCOMPARE(v.sPower, step);

    const QString saved = t.f.path(QStringLiteral("tuned.qfd"));
    t.f.prompter.fileNames << saved;
    t.window->files().saveChannelFile();
    int function = -1;
    int power = -1;
    settingsBytes(saved, &function, &power);
    QCOMPARE(function, functionByte);
    QCOMPARE(power, step * 5);
}

void TestServiceCommands::choicesAreShownAgainNextTime() {
    TuneFixture t(1);
    t.tune({kPassword}, [](TuneWindow& w) {
        child<QRadioButton>(w, QStringLiteral("optJT_1"))->setChecked(true);
        child<QRadioButton>(w, QStringLiteral("Option1_1"))->setChecked(true);
        child<QComboBox>(w, QStringLiteral("cboFrequent"))->setCurrentIndex(5);
        clickNode(w, QStringLiteral("node2"));
    });
    t.tune({kPassword}, [](TuneWindow& w) {
        QVERIFY(child<QRadioButton>(w, QStringLiteral("optJT_1"))->isChecked());
        QVERIFY(child<QRadioButton>(w, QStringLiteral("Option1_1"))->isChecked());
        QCOMPARE(child<QComboBox>(w, QStringLiteral("cboFrequent"))->currentText(), QStringLiteral("0"));
        w.reject(); // Esc
    });
    QCOMPARE(t.window->document().settings().tune.sPower, 5);
}

void TestServiceCommands::loadedCrystalSurvivesAVisit() {
    // A file made with the 14.4 MHz crystal...
    QByteArray made;
    {
        TuneFixture maker(1);
        maker.tune({kPassword}, [](TuneWindow& w) {
            child<QRadioButton>(w, QStringLiteral("optJT_1"))->setChecked(true);
            clickNode(w, QStringLiteral("node2"));
        });
        const QString path = maker.f.path(QStringLiteral("made.qfd"));
        maker.f.prompter.fileNames << path;
        maker.window->files().saveChannelFile();
        made = fileBytes(path);
    }
    // ...opened in a fresh run whose tune window was never left: visiting tune mode must not undo the
    // crystal.
    TuneFixture t(1);
    const QString opened = t.f.path(QStringLiteral("made.qfd"));
    QFile file(opened);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(made) == made.size());
    file.close();
    t.window->files().loadChannelFile(opened);
    QCOMPARE(t.window->document().settings().tune.optJT, 1);
    t.tune({kPassword}, [](TuneWindow& w) {
        QVERIFY(child<QRadioButton>(w, QStringLiteral("optJT_1"))->isChecked());
        clickNode(w, QStringLiteral("node2"));
    });
    QCOMPARE(t.window->document().settings().tune.optJT, 1);
    const QString again = t.f.path(QStringLiteral("again.qfd"));
    t.f.prompter.fileNames << again;
    t.window->files().saveChannelFile();
    QCOMPARE(fileBytes(again), made);
}

void TestServiceCommands::aboutCommandOpensTheBox_data() {
    QTest::addColumn<QByteArray>("help");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("picture");

    const QString spaces(34, QLatin1Char(' '));
    QTest::newRow("all keys")
        << QByteArray("[PcHelp]\r\npicture=icon.png\r\ntype=RC\r\nversion=版本 1.0\r\n")
        << "应用程序描述:" + spaces +
               "RC系列电脑编程软件，适用于RC等系列无线对讲机,进行与对讲机之间进数据通信。"
        << "版本 1.0" << true;
    QTest::newRow("no section") << QByteArray()
                                << "应用程序描述:" + spaces +
                                       "系列电脑编程软件，适用于等系列无线对讲机,进行与对讲机之间进数据通信。"
                                << "" << false;
    QTest::newRow("picture missing")
        << QByteArray("[PcHelp]\r\npicture=gone.png\r\ntype=X\r\n")
        << "应用程序描述:" + spaces +
               "X系列电脑编程软件，适用于X等系列无线对讲机,进行与对讲机之间进数据通信。"
        << "" << false;
}

void TestServiceCommands::aboutCommandOpensTheBox() {
    QFETCH(QByteArray, help);
    QFETCH(QString, description);
    QFETCH(QString, version);
    QFETCH(bool, picture);

    TuneFixture t(1, MainWindowFixture::standardIni() + help);
    int shown = 0;
    QStringList texts;
    bool hasPicture = false;
    int closedWith = -1;
    t.f.otherDialog = [&](QDialog* dialog) {
        auto* about = qobject_cast<AboutBox*>(dialog);
        if (!about)
            return int(QDialog::Rejected);
        ++shown;
        texts = QStringList{about->objectName(), about->windowTitle(), about->titleLabel()->text(),
                            about->descriptionLabel()->text(), about->versionLabel()->text()};
        hasPicture = !about->picture()->pixmap().isNull();
        // This system has no system information program to start.
        about->sysInfoButton()->click();
        about->okButton()->click();
        closedWith = about->result();
        return closedWith;
    };
    QVERIFY(t.window->commands().menuAction(MainWindow::Command::About)->isEnabled());
    t.window->commands().menuAction(MainWindow::Command::About)->trigger();
    QCOMPARE(shown, 1);
    QCOMPARE(texts, (QStringList{"frmAbout", "关于", "无线对讲机电脑编程软件", description, version}));
    QCOMPARE(hasPicture, picture);
    QCOMPARE(closedWith, int(QDialog::Accepted));
    QCOMPARE(t.f.prompter.texts(), QStringList{QStringLiteral("此时系统信息不可用")});
}

QTEST_MAIN(TestServiceCommands)
#include "tst_service_commands.moc"
