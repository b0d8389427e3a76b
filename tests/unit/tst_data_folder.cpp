#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "config/build_info.h"
#include "config/data_folder.h"
#include "texts/version_text.h"

// Where a program finds Sfc.ini: beside itself first (the build tree), then the installed data folder.
class TestDataFolder : public QObject {
    Q_OBJECT

    static void touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[PcStyle]\n");
    }

private Q_SLOTS:
    void lookup_data() {
        QTest::addColumn<bool>("besideExecutable");  // <root>/usr/bin/Sfc.ini
        QTest::addColumn<bool>("installed");         // <root>/usr/share/radiocps/Sfc.ini
        QTest::addColumn<bool>("folderNamedSfcIni"); // <root>/usr/bin/Sfc.ini/ is a folder, not a file
        QTest::addColumn<QString>("expected");       // relative to <root>
        QTest::newRow("build tree") << true << false << false << "usr/bin";
        QTest::newRow("installed") << false << true << false << "usr/share/radiocps";
        QTest::newRow("beside wins over installed") << true << true << false << "usr/bin";
        QTest::newRow("a folder is no configuration") << false << true << true << "usr/share/radiocps";
        QTest::newRow("neither: where it looked first") << false << false << false << "usr/bin";
    }
    void lookup() {
        QFETCH(bool, besideExecutable);
        QFETCH(bool, installed);
        QFETCH(bool, folderNamedSfcIni);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        QDir().mkpath(bin);
        if (besideExecutable)
            touch(bin + QStringLiteral("/Sfc.ini"));
        if (installed)
            touch(root.filePath(QStringLiteral("usr/share/radiocps/Sfc.ini")));
        if (folderNamedSfcIni)
            QDir().mkpath(bin + QStringLiteral("/Sfc.ini"));
        QCOMPARE(dataFolder(bin), root.filePath(expected));
        // The installed folder is found from the executable's folder alone, wherever the tree was unpacked.
        QCOMPARE(installedDataFolder(bin), root.filePath(QStringLiteral("usr/share/radiocps")));
    }

    void versionText_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("withConfig");
        QTest::addColumn<bool>("configExists");
        QTest::addColumn<QString>("secondLine"); // %1: the configuration's absolute path
        QTest::newRow("no configuration line") << "radiocps-sim" << false << false << QString();
        QTest::newRow("configuration in use") << "radiocps-cli" << true << true << "配置文件：%1";
        QTest::newRow("missing configuration") << "radiocps" << true << false << "配置文件：%1（不存在）";
    }
    void versionText() {
        QFETCH(QString, program);
        QFETCH(bool, withConfig);
        QFETCH(bool, configExists);
        QFETCH(QString, secondLine);
        QTemporaryDir dir;
        const QString config = dir.filePath(QStringLiteral("Sfc.ini"));
        if (configExists)
            touch(config);
        const QStringList lines =
            ::versionText(program, withConfig ? config : QString()).split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), program + QLatin1Char(' ') + QStringLiteral(RADIOCPS_VERSION));
        QCOMPARE(lines.size(), withConfig ? 2 : 1);
        if (withConfig)
            QCOMPARE(lines.last(), secondLine.arg(config));
    }

    // A relative --config is named by its absolute path, so the line says which file it really is.
    void versionNamesAbsolutePath() {
        const QString text = ::versionText(QStringLiteral("radiocps-cli"), QStringLiteral("Sfc.ini"));
        QVERIFY2(text.contains(QDir::current().filePath(QStringLiteral("Sfc.ini"))), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_data_folder.moc"
