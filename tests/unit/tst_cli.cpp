#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/program_run.h"
#include <sys/stat.h>

#include "../support/file_bytes.h"

// radiocps-cli show and convert, run as a user would.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QString cli = QStringLiteral(RADIOCPS_BIN_DIR "/radiocps-cli");
    const QString config = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/Sfc.ini");
    const QString samples = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/");

    using Run = ProgramRun;
    Run run(const QStringList& args) { return runProgram(cli, args); }
    // For inputs that might block the tool: a run still going after the deadline counts as code -1.
    Run runWithin(const QStringList& args, int ms) { return runProgram(cli, args, ms); }
    // Replaces (or, given an undefined value, removes) the value at a path of object keys and array indexes.
    static QJsonValue replaced(const QJsonValue& at, const QStringList& path, const QJsonValue& value) {
        if (path.isEmpty())
            return value;
        const QStringList rest = path.mid(1);
        if (at.isArray()) {
            QJsonArray a = at.toArray();
            const int i = path.first().toInt();
            a[i] = replaced(a[i], rest, value);
            return a;
        }
        QJsonObject o = at.toObject();
        if (rest.isEmpty() && value.isUndefined())
            o.remove(path.first());
        else
            o[path.first()] = replaced(o.value(path.first()), rest, value);
        return o;
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
        QTest::newRow("csv without a model") << QStringList{"convert", "x.csv", "x.qfd"} << 2;
        QTest::newRow("csv with base and model")
            << QStringList{"convert", "x.csv", "x.qfd", "--base", "b.qfd", "--model", "RC-160", "--band", "0"}
            << 2;
        QTest::newRow("csv model without band")
            << QStringList{"convert", "x.csv", "x.qfd", "--model", "RC-160"} << 2;
        QTest::newRow("csv band 2") << QStringList{"convert", "x.csv",  "x.qfd", "--model",
                                                   "RC-160",  "--band", "2"}
                                    << 2;
        QTest::newRow("csv base with band")
            << QStringList{"convert", "x.csv", "x.qfd", "--base", "b.qfd", "--band", "1"} << 2;
        QTest::newRow("fleet without port") << QStringList{"fleet", "x.qfd"} << 2;
        QTest::newRow("fleet gap below a wake-up cycle")
            << QStringList{"fleet", "x.qfd", "--port", "/dev/null", "--gap", "0.5"} << 2;
        QTest::newRow("fleet count 0")
            << QStringList{"fleet", "x.qfd", "--port", "/dev/null", "--count", "0"} << 2;
        QTest::newRow("renumber without csv") << QStringList{"convert", "x.qfd", "x.csv", "--renumber"} << 2;
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
        QTest::newRow("raw power in lower case") << 7 << 10 << "3c";
        QTest::newRow("raw form of a listed power") << 7 << 10 << "FF";
        QTest::newRow("raw form of a listed scrambler") << 7 << 9 << "03";
        QTest::newRow("raw byte in a bit field") << 7 << 7 << "3C";
        QTest::newRow("bandwidth byte instead of its meaning") << 7 << 6 << "FE";
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

    // Bytes the lists do not name: shown by show, in the JSON form as their raw texts (or as their meaning,
    // with the byte kept beside the grid), and back in the file unchanged; a raw text in the JSON form is
    // written as that byte.
    void convertKeepsRawBytes_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("token"); // of line 5, the second block of channel 2
        QTest::newRow("power") << 10 << "77" << 10;
        QTest::newRow("scrambler") << 9 << "0A" << 11;
        QTest::newRow("decimal scrambler") << 9 << "10" << 11;
    }
    void convertKeepsRawBytes() {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, token);
        QList<QByteArray> lines = fileBytes(samples + "demo-16.qfd").split('\n');
        lines[3] = "52 00 18 08 70 06 65 13 03 FE 3C 5A\r";
        const QString qfd = dir.filePath("raw.qfd");
        writeAll(qfd, lines.join('\n'));

        const Run shown = run({"show", qfd, "--config", config});
        QCOMPARE(shown.code, 0);
        QVERIFY2(shown.out.contains("\t窄\t是\t否\t5A\t3C\n"), shown.out.constData());
        const QString json = dir.filePath("raw.json");
        QCOMPARE(run({"convert", qfd, json, "--config", config}).code, 0);
        QJsonObject o = QJsonDocument::fromJson(fileBytes(json)).object();
        QJsonArray grid = o.value("grid").toArray();
        QCOMPARE(grid[1].toArray()[10].toString(), QStringLiteral("3C"));
        const QString back = dir.filePath("raw-back.qfd");
        QCOMPARE(run({"convert", json, back, "--config", config}).code, 0);
        QCOMPARE(fileBytes(back), fileBytes(qfd));

        QJsonArray cells = grid[2].toArray();
        cells[column] = text;
        grid[2] = cells;
        o["grid"] = grid;
        writeAll(json, QJsonDocument(o).toJson());
        const Run r = run({"convert", json, back, "--config", config});
        QVERIFY2(r.code == 0, r.err.constData());
        QCOMPARE(fileBytes(back).split('\n')[5].split(' ')[token].trimmed(), text.toLatin1());
    }

    // Every value of the JSON form that a channel file needs must be there with its own type; nothing is
    // guessed, and the message names the key.
    void convertRefusesIncompleteJson_data() {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<int>("rows"); // grows the grid to this many rows (with the title row), when not 0
        QTest::addColumn<QString>("named");
        const QJsonValue absent(QJsonValue::Undefined);
        const QJsonValue null(QJsonValue::Null);
        QTest::newRow("time-out missing")
            << QStringList{"settings", "cboFuncTOT"} << absent << 0 << "\"cboFuncTOT\"";
        QTest::newRow("squelch null")
            << QStringList{"settings", "cboFuncSQL"} << null << 0 << "\"cboFuncSQL\"";
        QTest::newRow("scan null") << QStringList{"settings", "cboFuncSave"} << null << 0
                                   << "\"cboFuncSave\"";
        QTest::newRow("priority missing")
            << QStringList{"settings", "cboYXXD"} << absent << 0 << "\"cboYXXD\"";
        QTest::newRow("squelch as number")
            << QStringList{"settings", "cboFuncSQL"} << QJsonValue(4) << 0 << "\"cboFuncSQL\"";
        QTest::newRow("no settings") << QStringList{"settings"} << absent << 0 << "\"settings\"";
        QTest::newRow("more channels than the model")
            << QStringList{"channelCount"} << QJsonValue(20) << 21 << "\"channelCount\"";
        QTest::newRow("layout of another model")
            << QStringList{"layout"} << QJsonValue("0") << 0 << "\"layout\"";
        QTest::newRow("code of no model")
            << QStringList{"modelCode"} << QJsonValue("99") << 0 << "\"modelCode\"";
        QTest::newRow("code of the other band")
            << QStringList{"modelCode"} << QJsonValue("72") << 0 << "\"modelCode\"";
        QTest::newRow("unknown model") << QStringList{"model"} << QJsonValue("RC-999") << 0 << "\"model\"";
        QTest::newRow("cell as number")
            << QStringList{"grid", "3", "1"} << QJsonValue(430.5) << 0 << "第 3 行第 1 列";
        QTest::newRow("cell null") << QStringList{"grid", "4", "4"} << null << 0 << "第 4 行第 4 列";
        QTest::newRow("cell as array")
            << QStringList{"grid", "5", "2"} << QJsonValue(QJsonArray{"430.00000"}) << 0 << "第 5 行第 2 列";
        QTest::newRow("power as text")
            << QStringList{"tune", "sPower"} << QJsonValue("5") << 0 << "\"sPower\"";
        QTest::newRow("crystal as bool")
            << QStringList{"tune", "optJT"} << QJsonValue(true) << 0 << "\"optJT\"";
        QTest::newRow("polarity missing") << QStringList{"tune", "Option1"} << absent << 0 << "\"Option1\"";
        QTest::newRow("power fraction")
            << QStringList{"tune", "sPower"} << QJsonValue(2.5) << 0 << "\"sPower\"";
        const auto kept = [](const char* byte) {
            return QJsonValue(QJsonArray{QJsonObject{{"row", 2}, {"column", 6}, {"byte", byte}}});
        };
        // Channel 2 is wide: FD would read narrow, and FF is wide's own byte.
        QTest::newRow("kept byte of another meaning")
            << QStringList{"keptBytes"} << kept("FD") << 0 << "\"keptBytes\" 的第 1 项";
        QTest::newRow("kept byte the list names")
            << QStringList{"keptBytes"} << kept("FF") << 0 << "\"keptBytes\" 的第 1 项";
        // The grid is read by its title row, each channel once and in order.
        QTest::newRow("unknown title")
            << QStringList{"grid", "0", "3"} << QJsonValue("信令") << 0 << "\"信令\"";
        QTest::newRow("title twice") << QStringList{"grid", "0", "4"} << QJsonValue("接收信令") << 0
                                     << "\"接收信令\" 出现了两次";
        QTest::newRow("empty title row")
            << QStringList{"grid", "0"} << QJsonValue(QJsonArray{}) << 0 << "缺少 \"信道\" 列";
        QTest::newRow("channel out of order")
            << QStringList{"grid", "3", "0"} << QJsonValue("4") << 0 << "第 3 行的信道号";
        QTest::newRow("blocks of another size")
            << QStringList{"blocks"} << QJsonValue(256) << 0 << "\"blocks\"";
        QTest::newRow("complete as text")
            << QStringList{"complete"} << QJsonValue("yes") << 0 << "\"complete\"";
    }

    // Columns swapped in the title row and in every row keep their values: the same file comes out.
    void convertReadsJsonColumnsByTitle() {
        const QString json = dir.filePath("swapped.json");
        QCOMPARE(run({"convert", samples + "demo-16.qfd", json, "--config", config}).code, 0);
        QJsonObject o = QJsonDocument::fromJson(fileBytes(json)).object();
        QJsonArray grid = o.value("grid").toArray();
        for (int r = 0; r < grid.size(); ++r) {
            QJsonArray row = grid[r].toArray();
            const QJsonValue rx = row[3];
            row[3] = row[4];
            row[4] = rx;
            grid[r] = row;
        }
        o["grid"] = grid;
        writeAll(json, QJsonDocument(o).toJson());
        const QString out = dir.filePath("swapped.qfd");
        QCOMPARE(run({"convert", json, out, "--config", config}).code, 0);
        QCOMPARE(fileBytes(out), fileBytes(samples + "demo-16.qfd"));
    }
    void convertRefusesIncompleteJson() {
        QFETCH(QStringList, path);
        QFETCH(QJsonValue, value);
        QFETCH(int, rows);
        QFETCH(QString, named);
        const QString json = dir.filePath("incomplete.json");
        QCOMPARE(run({"convert", samples + "demo-16.qfd", json, "--config", config}).code, 0);
        QJsonObject o = QJsonDocument::fromJson(fileBytes(json)).object();
        QJsonArray grid = o.value("grid").toArray();
        while (rows > 0 && grid.size() < rows) {
            QJsonArray row = grid.last().toArray();
            row[0] = QString::number(grid.size());
            grid.append(row);
        }
        o["grid"] = grid;
        o = replaced(o, path, value).toObject();
        writeAll(json, QJsonDocument(o).toJson());
        const QString out = dir.filePath("incomplete.qfd");
        const Run r = run({"convert", json, out, "--config", config});
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(r.code == 1, qPrintable(err));
        QVERIFY2(err.contains(named), qPrintable(err));
        QVERIFY(!QFile::exists(out));
    }

    // qfd -> csv -> qfd with the original as the base gives the file back, raw bytes included.
    void convertCsvRoundTrips_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QByteArray>("line3"); // replaces line 3 (channel 1's second block) when given
        for (const char* s : {"demo-16", "rc168-vhf", "rc80-uhf", "rc996-99"})
            QTest::newRow(s) << QString::fromLatin1(s) << QByteArray();
        QTest::newRow("raw bandwidth, power and scrambler")
            << "demo-16" << QByteArray("52 00 18 08 70 06 65 13 03 FE 3C 5A\r");
        QTest::newRow("raw busy lock, layout 0")
            << "rc168-vhf" << QByteArray("52 00 18 08 70 06 65 13 5A FE 77 FF\r");
    }
    void convertCsvRoundTrips() {
        QFETCH(QString, sample);
        QFETCH(QByteArray, line3);
        QString original = samples + sample + ".qfd";
        if (!line3.isEmpty()) {
            QList<QByteArray> lines = fileBytes(original).split('\n');
            lines[3] = line3;
            original = dir.filePath(sample + "-raw.qfd");
            writeAll(original, lines.join('\n'));
        }
        const QString csv = dir.filePath(sample + ".csv");
        const QString back = dir.filePath(sample + "-back.qfd");
        Run r = run({"convert", original, csv, "--config", config});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY(fileBytes(csv).startsWith("Location,Name,Frequency,Duplex,"));
        r = run({"convert", csv, back, "--config", config, "--base", samples + sample + ".qfd"});
        QVERIFY2(r.code == 0, r.err.constData());
        QCOMPARE(fileBytes(back), fileBytes(original));
    }

    // A file as CHIRP writes it for a radio counting from 0 goes into a new table of the model.
    void convertCsvIntoModel() {
        const QString csv = dir.filePath("chirp.csv");
        writeAll(csv,
                 "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                 "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
                 "0,PMR,446.006250,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,12.50,,0.5W,,,,,\r\n"
                 "1,R,439.000000,-,7.600000,Cross,88.5,123.0,125,RN,023,DTCS->Tone,FM,5.00,S,5.0W,,,,,\r\n");
        const QString json = dir.filePath("chirp.json");
        const QStringList args{"convert", csv, json, "--config", config, "--model", "RC-120", "--band", "0"};
        Run r = run(args);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("Location 0") && r.err.contains("--renumber"), r.err.constData());
        QVERIFY(!QFile::exists(json));

        r = run(args + QStringList{"--renumber"});
        QVERIFY2(r.code == 0, r.err.constData());
        const QJsonObject o = QJsonDocument::fromJson(fileBytes(json)).object();
        QCOMPARE(o.value("model").toString(), QStringLiteral("RC-120"));
        QCOMPARE(o.value("band").toInt(), 0);
        QCOMPARE(o.value("channelCount").toInt(), 12);
        // The start-up settings, not those of any sample (which all time out at 60 s).
        QCOMPARE(o.value("settings").toObject().value("cboFuncTOT").toString(), QStringLiteral("30s"));
        const QJsonArray grid = o.value("grid").toArray();
        const auto row = [&](int r) { return grid[r].toVariant().toStringList(); };
        QCOMPARE(row(1), (QStringList{"1", "446.00625", "446.00625", "100.0", "100.0", "否", "窄", "是", "否",
                                      "无", "低"}));
        QCOMPARE(row(2), (QStringList{"2", "439.00000", "431.40000", "123.0", "D125I", "否", "宽", "否", "否",
                                      "无", "高"}));
        QCOMPARE(row(3)[1], QString());
    }

    void convertCsvRefuses_data() {
        QTest::addColumn<QByteArray>("line3");
        QTest::addColumn<QStringList>("model");
        QTest::addColumn<QString>("named");
        const QStringList vhf{"--model", "RC-168", "--band", "1"};
        QTest::newRow("out of the band") << QByteArray("2,438.5,TSQL") << vhf << "第 3 行 Frequency 列";
        QTest::newRow("reverse squelch") << QByteArray("2,145.5,TSQL-R") << vhf << "第 3 行 Tone 列";
        QTest::newRow("past the model") << QByteArray("17,145.5,") << vhf << "第 3 行的 Location 17";
        QTest::newRow("past the base")
            << QByteArray("17,145.5,") << QStringList{"--base", samples + "rc168-vhf.qfd"}
            << "第 3 行的 Location 17";
        QTest::newRow("no such model")
            << QByteArray("2,145.5,") << QStringList{"--model", "RC-1", "--band", "1"} << "RC-1";
    }
    void convertCsvRefuses() {
        QFETCH(QByteArray, line3);
        QFETCH(QStringList, model);
        QFETCH(QString, named);
        const QString csv = dir.filePath("bad.csv");
        writeAll(csv, "Location,Frequency,Tone\n1,145.000000,\n" + line3 + "\n");
        const QString out = dir.filePath("bad-csv.qfd");
        const Run r = run(QStringList{"convert", csv, out, "--config", config} + model);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(r.code == 1, qPrintable(err));
        QVERIFY2(err.contains(named), qPrintable(err));
        QVERIFY(!QFile::exists(out));
    }

    // A club list of forty lines of two bands into a 16-channel UHF radio: refused whole with every problem
    // named, or with --skip-unfit the UHF channels at their Location or, with --renumber, in file order.
    void convertLongMixedList_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("placed"); // the channels holding a frequency afterwards
        QTest::addColumn<QStringList>("said");  // on stderr
        QTest::newRow("refused whole") << QStringList{} << 1 << QList<int>{}
                                       << QStringList{"第 2 行 Frequency 列", "第 40 行 Frequency 列",
                                                      "第 41 行的 Location 40", "--skip-unfit"};
        QTest::newRow("at their Location")
            << QStringList{"--skip-unfit"} << 0 << QList<int>{2, 4, 6, 8, 10, 12, 14, 16}
            << QStringList{"跳过：", "第 3 行：名称“UHF 2”不保存", "已导入 8 个信道，跳过 32 行"};
        QTest::newRow("in file order")
            << QStringList{"--skip-unfit", "--renumber"} << 0
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}
            << QStringList{"第 35 行排在本机型的 16 个信道之后", "已导入 16 个信道，跳过 24 行"};
    }
    void convertLongMixedList() {
        QFETCH(QStringList, options);
        QByteArray list = "Location,Name,Frequency\n";
        for (int i = 1; i <= 40; ++i) {
            const bool uhf = i % 2 == 0;
            list += QStringLiteral("%1,%2 %1,%3\n")
                        .arg(i)
                        .arg(uhf ? "UHF" : "VHF")
                        .arg(uhf ? 430.0 + i * 0.025 : 145.0 + i * 0.0125, 0, 'f', 5)
                        .toUtf8();
        }
        const QString csv = dir.filePath("club.csv");
        writeAll(csv, list);
        const QString out = dir.filePath("club.json");
        QFile::remove(out);
        const Run r =
            run(QStringList{"convert", csv, out, "--config", config, "--model", "RC-160", "--band", "0"} +
                options);
        const QString err = QString::fromUtf8(r.err);
        QTEST(r.code, "code");
        QFETCH(QStringList, said);
        for (const QString& text : said)
            QVERIFY2(err.contains(text), qPrintable(err));
        QFETCH(QList<int>, placed);
        QCOMPARE(QFile::exists(out), !placed.isEmpty());
        const QJsonArray grid = QJsonDocument::fromJson(fileBytes(out)).object().value("grid").toArray();
        QList<int> used;
        for (int row = 1; row < grid.size(); ++row) {
            if (!grid[row].toArray()[1].toString().isEmpty())
                used << row;
        }
        QCOMPARE(used, placed);
    }

    // Anything that exists and is not a regular file is refused before it is opened, so a FIFO cannot
    // block the tool; a configuration file that cannot be read is named rather than taken as empty.
    void refusesWhatIsNotAFile_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        const QString fifo = dir.filePath("fifo.qfd");
        const QString fifoJson = dir.filePath("fifo.json");
        const QString fifoIni = dir.filePath("fifo.ini");
        for (const QString& f : {fifo, fifoJson, fifoIni}) {
            if (!QFileInfo::exists(f))
                mkfifo(QFile::encodeName(f).constData(), 0600);
        }
        const QString demo = samples + "demo-16.qfd";
        const QString out = dir.filePath("never.json");
        const QString notFile = QStringLiteral(" 不是普通文件");
        QTest::newRow("show fifo") << QStringList{"show", fifo, "--config", config} << fifo + notFile;
        QTest::newRow("convert fifo")
            << QStringList{"convert", fifo, out, "--config", config} << fifo + notFile;
        QTest::newRow("convert fifo json")
            << QStringList{"convert", fifoJson, out, "--config", config} << fifoJson + notFile;
        QTest::newRow("report fifo") << QStringList{"report",   fifo,  "--pdf", dir.filePath("never.pdf"),
                                                    "--config", config}
                                     << fifo + notFile;
        QTest::newRow("write fifo") << QStringList{"write", fifo, "--port", "/dev/null", "--config", config}
                                    << fifo + notFile;
        QTest::newRow("show device") << QStringList{"show", "/dev/null", "--config", config}
                                     << "/dev/null" + notFile;
        QTest::newRow("show folder") << QStringList{"show", dir.path(), "--config", config}
                                     << dir.path() + notFile;
        QTest::newRow("config fifo") << QStringList{"show", demo, "--config", fifoIni} << fifoIni + notFile;
        QTest::newRow("config fifo, convert")
            << QStringList{"convert", demo, out, "--config", fifoIni} << fifoIni + notFile;
        QTest::newRow("config missing") << QStringList{"show", demo, "--config", dir.filePath("none.ini")}
                                        << "文件未找到：" + dir.filePath("none.ini");
        QTest::newRow("config device")
            << QStringList{"show", demo, "--config", "/dev/null"} << "/dev/null" + notFile;
        // What the tool creates: never through a link, never in a folder it would have to make.
        const QString link = dir.filePath("link.json");
        if (!QFileInfo(link).isSymLink())
            QFile::link(dir.filePath("never.json"), link);
        QTest::newRow("convert over a link")
            << QStringList{"convert", demo, link, "--config", config} << link + QStringLiteral(" 是符号链接");
        QTest::newRow("convert into a missing folder")
            << QStringList{"convert", demo, dir.filePath("missing/x.json"), "--config", config}
            << "路径未找到：" + dir.filePath("missing");
        QTest::newRow("read into a missing folder")
            << QStringList{"read",     "--port", "/dev/null", "--out", dir.filePath("missing/x.qfd"),
                           "--config", config}
            << "路径未找到：" + dir.filePath("missing");
        // A configuration entry that cannot be used is named as it is read, before any channel.
        const QString badIni = dir.filePath("bad.ini");
        QFile bad(badIni);
        if (bad.open(QIODevice::WriteOnly))
            bad.write(
                "[Frequent]\nPL1=470MHz---400MHz\nPL2=136MHz---174MHz\n[PcStyle]\nPc1=RC-160;-5;1;71;72\n");
        bad.close();
        QTest::newRow("unusable configuration")
            << QStringList{"show", demo, "--config", badIni} << "[PcStyle] Pc1=RC-160;-5;1;71;72：信道数";
    }
    void refusesWhatIsNotAFile() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const Run r = runWithin(args, 15000);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(r.code == 1, qPrintable(QStringLiteral("exit %1: %2").arg(r.code).arg(err)));
        QVERIFY2(err.contains(named), qPrintable(err));
        QVERIFY(!QFile::exists(dir.filePath("never.json")));
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // Every command answers --help and -h with its usage and options on stdout, and nothing on stderr.
    void helpOfEveryCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("words"); // what its help must name
        QTest::newRow("show") << "show" << QStringList{"--json", "--config", "退出码"};
        QTest::newRow("convert") << "convert" << QStringList{".json", "退出码"};
        QTest::newRow("report") << "report" << QStringList{"--pdf", "退出码"};
        QTest::newRow("ports") << "ports" << QStringList{"--json", "ttyUSB0", "退出码"};
        QTest::newRow("diff") << "diff" << QStringList{"0 相同", "1 不同", "2 用法错误", "5 文件无法打开"};
        QTest::newRow("read") << "read" << QStringList{"--out FILE", "--trace FILE"};
        QTest::newRow("write") << "write" << QStringList{"--verify", "--trace FILE"};
        QTest::newRow("fleet") << "fleet"
                               << QStringList{"--port DEVICE", "--no-verify", "--log FILE", "1 有失败"};
        QTest::newRow("verify") << "verify"
                                << QStringList{"--trace FILE", "3 不一致", "4 对讲机是另一机型", "1 失败"};
    }
    void helpOfEveryCommand() {
        QFETCH(QString, command);
        QFETCH(QStringList, words);
        for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            // Help wins over anything else on the line, even arguments that would be wrong.
            const Run r = run({command, "--bogus", flag});
            QCOMPARE(r.code, 0);
            // report starts Qt's GUI side, which may warn about the session on its own.
            QVERIFY2(
                QString::fromUtf8(r.err).remove(QRegularExpression("^QStandardPaths:[^\n]*\n")).isEmpty(),
                r.err.constData());
            const QString out = QString::fromUtf8(r.out);
            QVERIFY2(out.startsWith("用法：radiocps-cli " + command + ' '), qPrintable(out));
            for (const QString& word : words)
                QVERIFY2(out.contains(word), qPrintable(command + ": " + word));
        }
    }
    void helpListsEveryCommandOnce() {
        const Run r = run({"--help"});
        QCOMPARE(r.code, 0);
        const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        for (const char* command :
             {"show", "convert", "report", "ports", "diff", "read", "write", "verify"}) {
            int found = 0;
            for (const QString& line : lines)
                found += line.startsWith(QStringLiteral("  ") + QLatin1String(command) + ' ');
            QVERIFY2(found == 1, command);
        }
    }

    // diff: a JSON form edited at `path` to `value`, compared with the sample it came from.
    void diff_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QStringList>("path"); // empty: the JSON form unchanged
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("lines"); // stdout, in order
        QTest::newRow("a file and its JSON form")
            << "demo-16" << QStringList{} << QJsonValue() << 0 << QStringList{};
        QTest::newRow("a cell") << "demo-16" << QStringList{"grid", "3", "2"} << QJsonValue("431.00000") << 1
                                << QStringList{"信道 3 发射频率：430.25000 → 431.00000"};
        QTest::newRow("a cell emptied") << "demo-16" << QStringList{"grid", "16", "4"} << QJsonValue("") << 1
                                        << QStringList{"信道 16 发射信令：123.0 → （空）"};
        QTest::newRow("a setting") << "demo-16" << QStringList{"settings", "cboFuncSQL"} << QJsonValue("9")
                                   << 1 << QStringList{"设置 静噪等级：5 → 9"};
        QTest::newRow("a tune value") << "demo-16" << QStringList{"tune", "sPower"} << QJsonValue(7) << 1
                                      << QStringList{"调整模式 功率调整（sPower）：5 → 7"};
    }
    void diff() {
        QFETCH(QString, a);
        QFETCH(QStringList, path);
        QFETCH(QJsonValue, value);
        const QString sample = samples + a + ".qfd";
        const QString json = dir.filePath("diff-" + QString::fromLatin1(QTest::currentDataTag()) + ".json");
        QCOMPARE(run({"convert", sample, json, "--config", config}).code, 0);
        if (!path.isEmpty()) {
            QFile f(json);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QJsonValue edited = replaced(QJsonDocument::fromJson(f.readAll()).object(), path, value);
            f.close();
            writeAll(json, QJsonDocument(edited.toObject()).toJson());
        }
        const Run r = run({"diff", sample, json, "--config", config});
        QTEST(r.code, "code");
        QTEST(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts), "lines");
        QVERIFY(!r.err.isEmpty()); // the verdict in words, beside the code
    }
    void diffOfTwoModels() {
        const Run r = run({"diff", samples + "demo-16.qfd", samples + "rc168-vhf.qfd", "--config", config});
        QCOMPARE(r.code, 1);
        const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.mid(0, 3), (QStringList{"机型：RC-160 → RC-168", "机型代码：71 → 32", "布局：1 → 0"}));
        // Columns only layout 1 has are compared with empty cells.
        QVERIFY(lines.contains(QStringLiteral("信道 1 扫描添加：是 → （空）")));
    }
    void diffExitCodes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("named"); // the file a failure names
        const QString demo = samples + "demo-16.qfd";
        const QString bad = dir.filePath("bad.qfd");
        writeAll(bad, "52 00\r\n");
        QTest::newRow("one file") << QStringList{"diff", demo} << 2 << QString();
        QTest::newRow("three files") << QStringList{"diff", "a", "b", "c"} << 2 << QString();
        QTest::newRow("missing file")
            << QStringList{"diff", demo, "/nonexistent.qfd"} << 5 << "/nonexistent.qfd";
        QTest::newRow("a folder") << QStringList{"diff", dir.path(), demo} << 5 << dir.path();
        // Fails with an I/O error on the first read, even for root.
        QTest::newRow("unreadable") << QStringList{"diff", "/proc/self/mem", demo} << 5 << "/proc/self/mem";
        QTest::newRow("undecodable") << QStringList{"diff", demo, bad} << 5 << bad;
    }
    void diffExitCodes() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const Run r = run(args + QStringList{"--config", config});
        QTEST(r.code, "code");
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
        QVERIFY2(QString::fromUtf8(r.err).contains(named), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
