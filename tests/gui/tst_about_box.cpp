#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "scripted_prompter.h"
#include "ui/about_box.h"
#include "ui/system_info.h"

// frmAbout: texts and picture from [PcHelp], a picture that cannot be shown is left out silently, and the
// system information button starts the registered program or says there is none.
namespace {

const QString kInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kUnavailable = QStringLiteral("此时系统信息不可用");
const QString kAbsent = QStringLiteral("<absent>"); // a registry value that is not there
const QString kGap = QStringLiteral("                                  "); // 34 spaces

QString fakeKey(RegistryRoot root, const QString& key, const QString& value) {
    return (root == RegistryRoot::LocalMachine ? QStringLiteral("HKLM|") : QStringLiteral("HKCU|")) + key +
           QLatin1Char('|') + value;
}

// Answers registry reads from a map and remembers what it was asked to do.
class FakePlatform : public SystemInfoPlatform {
public:
    QMap<QString, QString> values; // fakeKey(...) -> value
    QSet<QString> files;
    bool startSucceeds = true;
    QStringList reads;
    QStringList started;

    void set(RegistryRoot root, const QString& key, const QString& name, const QString& value) {
        values.insert(fakeKey(root, key, name), value);
    }
    bool readRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                           QString* value) override {
        const QString k = fakeKey(root, keyPath, valueName);
        reads << k;
        if (!values.contains(k))
            return false;
        *value = values.value(k);
        return true;
    }
    bool fileExists(const QString& path) override { return files.contains(path); }
    bool startProgram(const QString& program) override {
        started << program;
        return startSucceeds;
    }
};

class ConfigFolder {
public:
    ConfigFolder() { QVERIFY(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString iniPath() const { return path(QStringLiteral("Sfc.ini")); }

    void writeIni(const QString& helpSection) const {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QStringLiteral("[PcIcon]\r\nICON=app.ico\r\n[PcHelp]\r\n").toUtf8() + helpSection.toUtf8());
    }
    void writePng(const QString& name, QSize size) const {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(path(name), "PNG"));
    }
    void writeText(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private:
    QTemporaryDir dir_;
};

QString descriptionFor(const QString& type) {
    return QStringLiteral("应用程序描述:") + kGap + type + QStringLiteral("系列电脑编程软件，适用于") + type +
           QStringLiteral("等系列无线对讲机,进行与对讲机之间进数据通信。");
}

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullConfig_data();
    void fullConfig();
    void unusablePicture_data();
    void unusablePicture();
    void loadRereadsFile();
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
};

void TestAboutBox::fullConfig_data() {
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QSize>("shownSize");
    QTest::newRow("small picture kept") << QSize(32, 32) << QSize(32, 32);
    QTest::newRow("large picture fitted") << QSize(200, 100) << QSize(64, 32);
    QTest::newRow("tall picture fitted") << QSize(48, 192) << QSize(16, 64);
}

void TestAboutBox::fullConfig() {
    QFETCH(QSize, imageSize);
    QFETCH(QSize, shownSize);
    ConfigFolder folder;
    folder.writePng(QStringLiteral("logo.png"), imageSize);
    folder.writeIni(QStringLiteral("picture=logo.png\r\ntype=RC\r\nversion=版本 1.0.0\r\n"));
    ScriptedPrompter prompter;
    FakePlatform platform;
    AboutBox box(folder.iniPath(), prompter, platform);

    QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box.windowTitle(), QStringLiteral("关于"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("无线对讲机电脑编程软件"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("lblDescription"))->text(),
             descriptionFor(QStringLiteral("RC")));
    QVERIFY(box.findChild<QLabel*>(QStringLiteral("lblDescription"))->wordWrap());
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("版本 1.0.0"));
    auto* pic = box.findChild<QLabel*>(QStringLiteral("picIcon"));
    QVERIFY(pic);
    QVERIFY(!pic->pixmap().isNull());
    QCOMPARE(pic->pixmap().size(), shownSize);
    QVERIFY(!pic->isHidden());
    QCOMPARE(box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("确定"));
    QCOMPARE(box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(), QStringLiteral("系统信息"));
    QVERIFY(box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->isDefault());
    QVERIFY(prompter.shown.isEmpty());
    QVERIFY(platform.reads.isEmpty()); // the registry is only asked when the button is pressed
}

void TestAboutBox::unusablePicture_data() {
    QTest::addColumn<QString>("pictureLine");
    QTest::newRow("file missing") << QStringLiteral("picture=nothere.png\r\n");
    QTest::newRow("empty key") << QStringLiteral("picture=\r\n");
    QTest::newRow("no key") << QString();
    QTest::newRow("not an image") << QStringLiteral("picture=notes.png\r\n");
    QTest::newRow("a folder") << QStringLiteral("picture=sub\r\n");
}

void TestAboutBox::unusablePicture() {
    QFETCH(QString, pictureLine);
    ConfigFolder folder;
    folder.writeText(QStringLiteral("notes.png"), "this is not a picture\r\n");
    QVERIFY(QDir(folder.path(QString())).mkdir(QStringLiteral("sub")));
    folder.writeIni(pictureLine + QStringLiteral("type=RC\r\nversion=V2\r\n"));
    ScriptedPrompter prompter;
    FakePlatform platform;
    AboutBox box(folder.iniPath(), prompter, platform);

    QCOMPARE(box.windowTitle(), QStringLiteral("关于"));
    QCOMPARE(box.titleLabel()->text(), QStringLiteral("无线对讲机电脑编程软件"));
    QCOMPARE(box.descriptionLabel()->text(), descriptionFor(QStringLiteral("RC")));
    QCOMPARE(box.versionLabel()->text(), QStringLiteral("V2"));
    QVERIFY(box.picture()->pixmap().isNull());
    QVERIFY(box.picture()->isHidden());
    QVERIFY(prompter.shown.isEmpty());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(prompter.shown.isEmpty());
}

void TestAboutBox::loadRereadsFile() {
    ConfigFolder folder;
    folder.writePng(QStringLiteral("logo.png"), QSize(20, 20));
    folder.writeIni(QStringLiteral("picture=logo.png\r\ntype=RC\r\nversion=V1\r\n"));
    ScriptedPrompter prompter;
    FakePlatform platform;
    AboutBox box(folder.iniPath(), prompter, platform);
    const QString disclaimer = box.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text();
    QVERIFY(!disclaimer.isEmpty());
    QVERIFY(!box.picture()->pixmap().isNull());

    folder.writeIni(QStringLiteral("picture=gone.png\r\ntype=TK\r\nversion=V9\r\n"));
    box.load();
    QCOMPARE(box.descriptionLabel()->text(), descriptionFor(QStringLiteral("TK")));
    QCOMPARE(box.versionLabel()->text(), QStringLiteral("V9"));
    QVERIFY(box.picture()->pixmap().isNull());
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text(), disclaimer);

    folder.writeIni(QStringLiteral("picture=logo.png\r\n"));
    box.load();
    QVERIFY(!box.picture()->pixmap().isNull());
    QVERIFY(!box.picture()->isHidden());
    QCOMPARE(box.versionLabel()->text(), QString());
    QVERIFY(prompter.shown.isEmpty());
}

void TestAboutBox::getKeyValue_data() {
    QTest::addColumn<int>("storedRoot"); // -1: nothing stored
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("expectedRead");
    QTest::addColumn<QString>("expected");
    const int lm = int(RegistryRoot::LocalMachine);
    const int cu = int(RegistryRoot::CurrentUser);
    QTest::newRow("present") << lm << QStringLiteral("C:\\Tools\\msinfo32.exe") << true
                             << QStringLiteral("C:\\Tools\\msinfo32.exe");
    QTest::newRow("terminator removed")
        << lm << QString(QStringLiteral("C:\\Tools") + QChar(u'\0')) << true << QStringLiteral("C:\\Tools");
    QTest::newRow("empty value") << lm << QString() << true << QString();
    QTest::newRow("absent") << -1 << QString() << false << QString();
    QTest::newRow("other root only") << cu << QStringLiteral("C:\\Tools") << false << QString();
}

void TestAboutBox::getKeyValue() {
    QFETCH(int, storedRoot);
    QFETCH(QString, stored);
    QFETCH(bool, expectedRead);
    QFETCH(QString, expected);
    ConfigFolder folder;
    ScriptedPrompter prompter;
    FakePlatform platform;
    if (storedRoot >= 0)
        platform.set(RegistryRoot(storedRoot), QStringLiteral("SOFTWARE\\Vendor"), QStringLiteral("Dir"),
                     stored);
    AboutBox box(folder.iniPath(), prompter, platform);

    QString result = QStringLiteral("left over");
    QCOMPARE(box.GetKeyValue(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Vendor"),
                             QStringLiteral("Dir"), &result),
             expectedRead);
    QCOMPARE(result, expected);
    QCOMPARE(platform.reads, QStringList{fakeKey(RegistryRoot::LocalMachine,
                                                 QStringLiteral("SOFTWARE\\Vendor"), QStringLiteral("Dir"))});
}

void TestAboutBox::startSysInfo_data() {
    QTest::addColumn<QString>("path");     // PATH of the MSINFO key
    QTest::addColumn<QString>("location"); // MSINFO of the location key
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<QStringList>("expectedStarted");
    QTest::addColumn<bool>("expectMessage");

    const QString exe = QStringLiteral("C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe");
    const QString loc = QStringLiteral("C:\\Program Files\\Common Files\\MSInfo");
    const QString locExe = loc + QStringLiteral("\\MSINFO32.EXE");
    QTest::newRow("nothing registered")
        << kAbsent << kAbsent << QStringList() << true << QStringList() << true;
    QTest::newRow("path registered") << exe << kAbsent << QStringList() << true << QStringList{exe} << false;
    QTest::newRow("path wins over location")
        << exe << loc << QStringList{locExe} << true << QStringList{exe} << false;
    QTest::newRow("path with terminator")
        << QString(exe + QChar(u'\0')) << kAbsent << QStringList() << true << QStringList{exe} << false;
    QTest::newRow("location with program")
        << kAbsent << loc << QStringList{locExe} << true << QStringList{locExe} << false;
    QTest::newRow("empty path falls to location")
        << QStringLiteral("") << loc << QStringList{locExe} << true << QStringList{locExe} << false;
    QTest::newRow("location without program")
        << kAbsent << loc << QStringList() << true << QStringList() << true;
    QTest::newRow("path will not start")
        << exe << loc << QStringList{locExe} << false << QStringList{exe} << true;
    QTest::newRow("location will not start")
        << kAbsent << loc << QStringList{locExe} << false << QStringList{locExe} << true;
}

void TestAboutBox::startSysInfo() {
    QFETCH(QString, path);
    QFETCH(QString, location);
    QFETCH(QStringList, files);
    QFETCH(bool, startSucceeds);
    QFETCH(QStringList, expectedStarted);
    QFETCH(bool, expectMessage);
    ConfigFolder folder;
    folder.writeIni(QStringLiteral("type=RC\r\n"));
    ScriptedPrompter prompter;
    FakePlatform platform;
    if (path != kAbsent)
        platform.set(RegistryRoot::LocalMachine, kInfoKey, QStringLiteral("PATH"), path);
    if (location != kAbsent)
        platform.set(RegistryRoot::LocalMachine, kLocationKey, QStringLiteral("MSINFO"), location);
    // The same values for the current user must not be used.
    platform.set(RegistryRoot::CurrentUser, kInfoKey, QStringLiteral("PATH"), QStringLiteral("C:\\user.exe"));
    for (const QString& f : files)
        platform.files.insert(f);
    platform.startSucceeds = startSucceeds;
    AboutBox box(folder.iniPath(), prompter, platform);

    box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();

    QCOMPARE(platform.started, expectedStarted);
    if (expectMessage) {
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].icon, Prompter::Icon::Information);
        QCOMPARE(prompter.shown[0].title, QStringLiteral("关于"));
        QCOMPARE(prompter.shown[0].text, kUnavailable);
        QCOMPARE(prompter.shown[0].buttons, Prompter::Buttons::Ok);
    } else {
        QVERIFY(prompter.shown.isEmpty());
    }
}

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
