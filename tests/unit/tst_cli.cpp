#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/file_bytes.h"

// radiocps-cli show and convert, run as a user would.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QString cli = QStringLiteral(RADIOCPS_BIN_DIR "/radiocps-cli");
    const QString config = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/Sfc.ini");
    const QString samples = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/");

    struct Run {
        int code;
        QByteArray out;
        QByteArray err;
    };
    Run run(const QStringList& args) {
        QProcess p;
        p.start(cli, args);
        p.waitForFinished(30000);
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }
    static void writeAll(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }

private Q_SLOTS:
    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no command") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2;
        QTest::newRow("show without file") << QStringList{"show"} << 2;
        QTest::newRow("unknown option") << QStringList{"show", "x.qfd", "--colour"} << 2;
        QTest::newRow("convert one argument") << QStringList{"convert", "x.qfd"} << 2;
        QTest::newRow("missing file") << QStringList{"show", "/nonexistent.qfd"} << 1;
        QTest::newRow("help") << QStringList{"--help"} << 0;
    }
    void usage() {
        QFETCH(QStringList, args);
        QTEST(run(args).code, "code");
    }

    void showJson() {
        const Run r = run({"show", samples + "demo-16.qfd", "--config", config, "--json"});
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o.value("model").toString(), QStringLiteral("RC-160"));
        QCOMPARE(o.value("band").toInt(), 0);
        QCOMPARE(o.value("layout").toString(), QStringLiteral("1"));
        QCOMPARE(o.value("channelCount").toInt(), 16);
        QCOMPARE(o.value("blocks").toInt(), 128);
        QCOMPARE(o.value("modelCode").toString(), QStringLiteral("71"));
        const QJsonObject s = o.value("settings").toObject();
        QCOMPARE(s.size(), 9);
        QCOMPARE(s.value("cboFuncTOT").toString(), QStringLiteral("60s"));
        QCOMPARE(s.value("cboYYBP").toString(), QStringLiteral("中文"));
        QCOMPARE(o.value("tune").toObject().value("sPower").toInt(), 5);
        const QJsonArray grid = o.value("grid").toArray();
        QCOMPARE(grid.size(), 17);
        QCOMPARE(grid[0].toArray().size(), 11);
        QCOMPARE(grid[0].toArray()[10].toString(), QStringLiteral("发射功率"));
        QCOMPARE(grid[1].toArray()[0].toString(), QStringLiteral("1"));
        QCOMPARE(grid[1].toArray()[1].toString(), QStringLiteral("430.00000"));
    }

    void showText() {
        const Run r = run({"show", samples + "rc80-uhf.qfd", "--config", config});
        QCOMPARE(r.code, 0);
        const QString out = QString::fromUtf8(r.out);
        QVERIFY(out.contains(QStringLiteral("RC-80(U)")));
        QVERIFY(out.contains(QStringLiteral("400MHz---470MHz")));
        QVERIFY(out.contains(QStringLiteral("438.50000")));
    }

    void convertRoundTrips_data() {
        QTest::addColumn<QString>("sample");
        for (const char* s : {"demo-16", "rc168-vhf", "rc80-uhf", "rc996-99"})
            QTest::newRow(s) << QString::fromLatin1(s);
    }
    void convertRoundTrips() {
        QFETCH(QString, sample);
        const QString json = dir.filePath(sample + ".json");
        const QString qfd = dir.filePath(sample + ".qfd");
        QCOMPARE(run({"convert", samples + sample + ".qfd", json, "--config", config}).code, 0);
        QCOMPARE(run({"convert", json, qfd, "--config", config}).code, 0);
        QCOMPARE(fileBytes(qfd), fileBytes(samples + sample + ".qfd"));
    }

    void convertRefusesWhatTheEditorsWouldNot_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown code") << 3 << 3 << "D999N";
        QTest::newRow("out of band") << 2 << 1 << "480.00000";
        QTest::newRow("off raster") << 2 << 2 << "430.00100";
        QTest::newRow("short frequency") << 5 << 1 << "430.1";
        QTest::newRow("power word") << 7 << 10 << "max";
    }
    void convertRefusesWhatTheEditorsWouldNot() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        const QString json = dir.filePath("bad.json");
        QCOMPARE(run({"convert", samples + "demo-16.qfd", json, "--config", config}).code, 0);
        QJsonObject o = QJsonDocument::fromJson(fileBytes(json)).object();
        QJsonArray grid = o.value("grid").toArray();
        QJsonArray cells = grid[row].toArray();
        cells[column] = text;
        grid[row] = cells;
        o["grid"] = grid;
        writeAll(json, QJsonDocument(o).toJson());
        const QString out = dir.filePath("bad.qfd");
        const Run r = run({"convert", json, out, "--config", config});
        QCOMPARE(r.code, 1);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(err.contains(QStringLiteral("第 %1 行第 %2 列").arg(row).arg(column)), qPrintable(err));
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
