#include <QTemporaryDir>
#include <QtTest>

#include "config/app_config.h"
#include "config/config_check.h"
#include "config/ini_file.h"

class TestConfig : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("Sfc.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return path;
    }

private Q_SLOTS:
    void paths_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain folder") << "/opt/radiocps"
                                      << "/opt/radiocps/Sfc.ini";
        QTest::newRow("root keeps one slash") << "/"
                                              << "/Sfc.ini";
        QTest::newRow("trailing slash") << "/opt/x/"
                                        << "/opt/x/Sfc.ini";
    }
    void paths() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(configFilePath(folder), expected);
    }

    void bandRanges_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("400-470") << "400MHz---470MHz" << true << 400 << 470;
        QTest::newRow("leading zero") << "066MHz---088MHz" << true << 66 << 88;
        QTest::newRow("two digits slice wrongly") << "66MHz---88MHz" << false << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0;
    }
    void bandRanges() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        int low = 0, high = 0;
        QCOMPARE(BandRange{text}.limits(&low, &high), valid);
        if (valid) {
            QTEST(low, "low");
            QTEST(high, "high");
        }
        QCOMPARE(BandRange::fromLimits(QStringLiteral("400"), QStringLiteral("470")).text,
                 QStringLiteral("400MHz---470MHz"));
    }

    // Limits that the slices could misread are refused before a range text is formed from them.
    void limitChecks_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("three digits") << "400"
                                      << "470" << true;
        QTest::newRow("leading zeros") << "066"
                                       << "088" << true;
        QTest::newRow("two digits") << "66"
                                    << "470" << false;
        QTest::newRow("four digits") << "400"
                                     << "1000" << false;
        QTest::newRow("sign") << "-40"
                              << "470" << false;
        QTest::newRow("fraction") << "4.5"
                                  << "470" << false;
        QTest::newRow("spaces") << " 40"
                                << "470" << false;
        QTest::newRow("full-width digits") << "４００"
                                           << "470" << false;
        QTest::newRow("upside down") << "470"
                                     << "400" << false;
        QTest::newRow("no width") << "400"
                                  << "400" << false;
    }
    void limitChecks() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(bool, accepted);
        const Error e = BandRange::checkLimits(low, high);
        QCOMPARE(!e.isError(), accepted);
        if (accepted) {
            int l = 0, h = 0;
            QVERIFY(BandRange::fromLimits(low, high).limits(&l, &h));
            QCOMPARE(l, low.toInt());
            QCOMPARE(h, high.toInt());
        } else {
            QCOMPARE(e.code, 380);
            QVERIFY(e.description.contains(low));
        }
    }

    void modelTableStopsAtFirstGap_data() {
        QTest::addColumn<QByteArray>("style");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("three models") << QByteArray("Pc1=A;16;1;71;72\nPc2=B;8;0;31;32\nPc3=C;99;0;51;52\n")
                                      << QStringList{"A", "B", "C"};
        QTest::newRow("gap ends the list")
            << QByteArray("Pc1=A;16;1;71;72\nPc3=C;99;0;51;52\n") << QStringList{"A"};
        QTest::newRow("short entry ends the list and is not listed")
            << QByteArray("Pc1=A;16;1;71;72\nPc2=B;8;0\nPc3=C;99;0;51;52\n") << QStringList{"A"};
        QTest::newRow("extra fields ignored") << QByteArray("Pc1=A;16;1;71;72;x;y\n") << QStringList{"A"};
        QTest::newRow("none") << QByteArray() << QStringList{};
    }
    void modelTableStopsAtFirstGap() {
        QFETCH(QByteArray, style);
        QFETCH(QStringList, names);
        ModelTable table;
        QCOMPARE(table.readFrom(write("[PcStyle]\n" + style)), names);
    }

    // Every entry the programs use as more than text is named when it is wrong: the section, the key and
    // what it should hold. The good lines around it change nothing.
    void configProblems_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("keys"); // "Section Key" of each problem; "Section" for a missing one
        const QByteArray bands = "[Frequent]\nPL1=400MHz---470MHz\nPL2=136MHz---174MHz\n";
        const QByteArray models = "[PcStyle]\nPc1=RC-160;16;1;71;72\n";
        const auto row = [&](const char* name, const QByteArray& ini, const QStringList& keys) {
            QTest::newRow(name) << ini << keys;
        };
        row("good", bands + "PL6=066MHz---088MHz\n" + models + "Pc2=X;99;0;5;6\n", {});
        row("negative channels", bands + "[PcStyle]\nPc1=RC-160;-5;1;71;72\n", {"PcStyle Pc1"});
        for (const char* count : {"0", "abc", "99999999999", "1000", "128"})
            row(count, bands + "[PcStyle]\nPc1=A;" + QByteArray(count) + ";0;71;72\n", {"PcStyle Pc1"});
        row("layout 5", bands + models + "Pc2=B;8;5;41;42\n", {"PcStyle Pc2"});
        row("code of three digits", bands + models + "Pc2=B;8;0;410;42\n", {"PcStyle Pc2"});
        row("short model line", bands + models + "Pc2=B;8\n", {"PcStyle Pc2"});
        row("no models", bands, {"PcStyle"});
        row("no bands", models, {"Frequent"});
        row("garbage range", "[Frequent]\nPL1=garbage\nPL2=136MHz---174MHz\n" + models, {"Frequent PL1"});
        row("range upside down", "[Frequent]\nPL1=470MHz---400MHz\nPL2=000MHz---000MHz\n" + models,
            {"Frequent PL1", "Frequent PL2"});
        row("second band missing", "[Frequent]\nPL1=400MHz---470MHz\n" + models, {"Frequent PL2"});
        row("optional band wrong", bands + "PL5=1\n" + models, {"Frequent PL5"});
    }
    void configProblems() {
        QFETCH(QByteArray, ini);
        QStringList keys;
        for (const ConfigProblem& p : checkConfig(IniFile::fromBytes(ini))) {
            keys << QString(p.section + QLatin1Char(' ') + p.key).trimmed();
            QVERIFY(p.text().contains(p.section) && p.text().contains(p.value));
        }
        QTEST(keys, "keys");
    }

    void modelTableKeepsEntriesNotReached() {
        ModelTable table;
        table.readFrom(write("[PcStyle]\nPc1=A;16;1;71;72\nPc2=B;8;0;31;32\n"));
        table.readFrom(write("[PcStyle]\nPc1=Z;12;1;73;74\n"));
        QCOMPARE(table.entries[0].name, QStringLiteral("Z"));
        QCOMPARE(table.entries[0].channels(), 12);
        QCOMPARE(table.entries[1].name, QStringLiteral("B"));
        QCOMPARE(table.entries[1].codeB, QStringLiteral("32"));
    }

    void startupKeys() {
        const QString path =
            write("[Frequent]\nPL1=400MHz---470MHz\nPL6=1\n[PcIcon]\nICON=i.png\n[PcCaption]\n"
                  "Caption= 标题 \n[PcStatueCaption]\nStatueCaption=状态\n[PcHelp]\npicture=a.png\n"
                  "type=RC\nversion=V1\n");
        const StartupConfig s = StartupConfig::read(path, QStringLiteral("/app"));
        QCOMPARE(s.bandRanges[0], QStringLiteral("400MHz---470MHz"));
        QCOMPARE(s.bandRanges[1], QString());
        QCOMPARE(s.bandRanges[5], QStringLiteral("1"));
        QCOMPARE(s.iconPath, QStringLiteral("/app/i.png"));
        QCOMPARE(s.caption, QStringLiteral("标题"));
        QCOMPARE(s.statusCaption, QStringLiteral("状态"));
        const AboutConfig a = AboutConfig::read(path, QStringLiteral("/app/"));
        QCOMPARE(a.picturePath, QStringLiteral("/app/a.png"));
        QCOMPARE(a.type, QStringLiteral("RC"));
        QCOMPARE(a.version, QStringLiteral("V1"));
    }

    void shippedConfigurationIsComplete() {
        const QString path = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/Sfc.ini");
        ModelTable table;
        const QStringList names = table.readFrom(path);
        QVERIFY(names.size() >= 5);
        QSet<QString> layouts;
        QSet<int> counts;
        for (int i = 0; i < names.size(); ++i) {
            const ModelEntry& e = table.entries[i];
            layouts << e.layout;
            counts << e.channels();
            bool ok = false;
            QCOMPARE(e.codeA.size(), 2);
            QVERIFY2(e.codeA.toInt(&ok, 16) % 2 == 1 && ok, qPrintable(e.codeA));
            QVERIFY2(e.codeB.toInt(&ok, 16) % 2 == 0 && ok, qPrintable(e.codeB));
            if (e.layout == QLatin1String("1"))
                QVERIFY(e.codeA.startsWith(QLatin1Char('7')) && e.codeB.startsWith(QLatin1Char('7')));
        }
        QCOMPARE(layouts, (QSet<QString>{"0", "1"}));
        QVERIFY(counts.contains(16) && counts.contains(99) && (counts.contains(8) || counts.contains(12)));
        const StartupConfig s = StartupConfig::read(path, QStringLiteral(RADIOCPS_SOURCE_DIR "/data"));
        QVERIFY(BandRange{s.bandRanges[0]}.limits(nullptr, nullptr));
        QVERIFY(BandRange{s.bandRanges[1]}.limits(nullptr, nullptr));
        QVERIFY(QFile::exists(s.iconPath));
        QVERIFY(!s.caption.isEmpty() && !s.statusCaption.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
