#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

#include "image/channel_file.h"

#include "cli_harness.h"

// radiocps-cli read / write / ports against the radiocps-sim executable, as a user would run them.
using namespace CliHarness;

class TestLinkCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void readPrintsWhatShowPrints();
    void writeThenReadBack_data();
    void writeThenReadBack();
    void silenceTimesOut();
    void failedReadStillShowsPartial();
    void interruptCancels_data();
    void interruptCancels();
    void readKeepsFileUnlessComplete_data();
    void readKeepsFileUnlessComplete();
    void writeChecksFrequencies_data();
    void writeChecksFrequencies();
    void writeOfShortFile_data();
    void writeOfShortFile();
    void usage_data();
    void usage();
    void writeHelp();
    void ports();
    void otherProgramsHelp_data();
    void otherProgramsHelp();
    void transfersLeaveABackup_data();
    void transfersLeaveABackup();
    void backupFolderDefaultsToTheDesktops();
    void backupFailureIsAWarning();

private:
    QTemporaryDir dir_;
};

void TestLinkCli::initTestCase() {
    if (!prepareCliTest(dir_))
        QSKIP("radiocps-sim or the demo sample is not built");
}

void TestLinkCli::transfersLeaveABackup_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name"); // how the backup's name ends
    QTest::addColumn<bool>("whole");   // the backup holds every channel of the sample
    QTest::newRow("read") << "read" << QString() << 0 << "-读频-RC-160.qfd" << true;
    QTest::newRow("write") << "write" << QString() << 0 << "-写频-RC-160.qfd" << true;
    QTest::newRow("read cut short") << "read"
                                    << "hangup:40" << 1 << "-读频-RC-160.qfd" << false;
    QTest::newRow("write not acknowledged") << "write"
                                            << "noack:7" << 1 << "-写频-RC-160.qfd" << true;
}

void TestLinkCli::transfersLeaveABackup() {
    QFETCH(QString, command);
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(bool, whole);
    Sim sim;
    QStringList simArgs{QStringLiteral("--image"), kSample};
    if (!fault.isEmpty())
        simArgs << QStringLiteral("--fault") << fault;
    QVERIFY(sim.start(simArgs));
    QTemporaryDir folder;
    const QString backups = folder.filePath(QStringLiteral("备份 folder"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RADIOCPS_BACKUP_DIR"), backups);
    QStringList args{command, QStringLiteral("--port"), sim.device, QStringLiteral("--config"), kConfig};
    if (command == QLatin1String("read"))
        args << QStringLiteral("--out") << folder.filePath(QStringLiteral("read.qfd"));
    else
        args << kSample;
    const Result r = cli(args, 30000, env);
    QCOMPARE(r.code, code);
    const QStringList files = filesIn(backups);
    QCOMPARE(files.size(), 1);
    QVERIFY2(files[0].endsWith(name), qPrintable(files[0]));
    QVERIFY2(r.err.contains(QStringLiteral("已备份到：") + QDir::toNativeSeparators(files[0])),
             qPrintable(r.err));
    const ChannelTable sample = channelsOf(kSample);
    const ChannelTable backedUp = channelsOf(files[0]);
    QVERIFY(sample.rowCount() > 1);
    QCOMPARE(backedUp.rowCount(), sample.rowCount());
    if (whole) {
        QVERIFY(backedUp == sample);
    } else {
        // Exactly the blocks that arrived before the line went dead.
        const QByteArray got = dataTokens(files[0]);
        QVERIFY(!got.isEmpty() && fileBytes(files[0]).count('\n') < 128);
        QCOMPARE(got, dataTokens(kSample).left(got.size()));
    }
}

void TestLinkCli::backupFolderDefaultsToTheDesktops() {
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--image"), kSample}));
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("RADIOCPS_BACKUP_DIR"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    const Result r =
        cli({QStringLiteral("read"), QStringLiteral("--port"), sim.device, QStringLiteral("--out"),
             home.filePath(QStringLiteral("read.qfd")), QStringLiteral("--config"), kConfig},
            30000, env);
    QCOMPARE(r.code, 0);
    // The desktop program's data folder: AppDataLocation of "RadioCPS".
    QCOMPARE(filesIn(home.filePath(QStringLiteral("RadioCPS/backups"))).size(), 1);
}

void TestLinkCli::backupFailureIsAWarning() {
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--image"), kSample}));
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("file"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RADIOCPS_BACKUP_DIR"), blocker + QStringLiteral("/backups"));
    const QString out = folder.filePath(QStringLiteral("read.qfd"));
    const Result r = cli({QStringLiteral("read"), QStringLiteral("--port"), sim.device,
                          QStringLiteral("--out"), out, QStringLiteral("--config"), kConfig},
                         30000, env);
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains(QStringLiteral("警告：备份没有保存")), qPrintable(r.err));
    QVERIFY(channelsOf(out) == channelsOf(kSample));
}

void TestLinkCli::readPrintsWhatShowPrints() {
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--image"), kSample}));
    const QString out = dir_.filePath(QStringLiteral("read.qfd"));
    const Result r = cli({QStringLiteral("read"), QStringLiteral("--port"), sim.device,
                          QStringLiteral("--out"), out, QStringLiteral("--config"), kConfig});
    QCOMPARE(r.code, 0);
    QCOMPARE(dataTokens(out), dataTokens(kSample));
    const Result show = cli({QStringLiteral("show"), out, QStringLiteral("--config"), kConfig});
    QCOMPARE(show.code, 0);
    QCOMPARE(r.out, show.out);
}

void TestLinkCli::writeThenReadBack_data() {
    QTest::addColumn<int>("line"); // of the sample, replaced when not negative
    QTest::addColumn<QByteArray>("replaced");
    QTest::newRow("sample") << -1 << QByteArray();
    // Power, bandwidth and scrambler bytes the lists do not name reach the radio as they were.
    QTest::newRow("bytes the lists do not name") << 3 << QByteArray("52 00 18 08 70 06 65 13 03 FE 3C 5A");
}

void TestLinkCli::writeThenReadBack() {
    QFETCH(int, line);
    QFETCH(QByteArray, replaced);
    QString file = kSample;
    if (line >= 0) {
        QList<QByteArray> lines = fileBytes(kSample).split('\n');
        lines[line] = replaced + '\r';
        file = dir_.filePath(QStringLiteral("edited.qfd"));
        QFile edited(file);
        QVERIFY(edited.open(QIODevice::WriteOnly));
        edited.write(lines.join('\n'));
    }
    Sim sim;
    const QString saved = dir_.filePath(QStringLiteral("radio-%1.qfd").arg(line));
    QVERIFY(sim.start({QStringLiteral("--blocks"), QStringLiteral("128"), QStringLiteral("--save"), saved,
                       QStringLiteral("--baud"), QStringLiteral("9600")}));
    const Result w = cli({QStringLiteral("write"), QStringLiteral("--port"), sim.device, file,
                          QStringLiteral("--config"), kConfig});
    QCOMPARE(w.code, 0);
    QTRY_VERIFY(QFile::exists(saved));
    // The radio holds the file, plus the last used channel in settings block B.
    QByteArray expected = dataTokens(file);
    QByteArray got = dataTokens(saved);
    QCOMPARE(got.size(), expected.size());
    QCOMPARE(got.mid(8 * 3 + 7 * 3, 2), QByteArray("10")); // block 1 byte 7: channel 16
    got.replace(8 * 3 + 7 * 3, 2, expected.mid(8 * 3 + 7 * 3, 2));
    QCOMPARE(got, expected);
}

void TestLinkCli::silenceTimesOut() {
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--fault"), QStringLiteral("silent")}));
    QElapsedTimer t;
    t.start();
    const Result r = cli({QStringLiteral("read"), QStringLiteral("--port"), sim.device,
                          QStringLiteral("--out"), dir_.filePath(QStringLiteral("silent.qfd")),
                          QStringLiteral("--timeout"), QStringLiteral("0.5")});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(wording(TransferMessage::noResponse())));
    QVERIFY(t.elapsed() < 10000);
    QVERIFY(r.out.isEmpty());
}

void TestLinkCli::failedReadStillShowsPartial() {
    Sim sim;
    QVERIFY(sim.start(
        {QStringLiteral("--image"), kSample, QStringLiteral("--fault"), QStringLiteral("noack:40")}));
    const QString out = dir_.filePath(QStringLiteral("partial.qfd"));
    const Result r = cli({QStringLiteral("read"), QStringLiteral("--port"), sim.device,
                          QStringLiteral("--out"), out, QStringLiteral("--config"), kConfig});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(wording(TransferMessage::communicationError())));
    QVERIFY(!r.out.isEmpty()); // the 40 blocks that came are shown
    QVERIFY(r.err.contains(QStringLiteral("读频未完成")));
    QVERIFY(!QFile::exists(out));
}

// Ctrl+C, a kill and a closed terminal all stop the transfer cleanly.
void TestLinkCli::interruptCancels_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestLinkCli::interruptCancels() {
    QFETCH(int, signal);
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--fault"), QStringLiteral("silent")}));
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("int.qfd"));
    QTemporaryDir traces;
    const QString trace = traces.filePath(QStringLiteral("trace.txt"));
    QFile own(out);
    QVERIFY(own.open(QIODevice::WriteOnly) && own.write(kOwnBytes) == kOwnBytes.size());
    own.close();
    QProcess p;
    p.start(kBin + QStringLiteral("/radiocps-cli"),
            {QStringLiteral("read"), QStringLiteral("--port"), sim.device, QStringLiteral("--out"), out,
             QStringLiteral("--trace"), trace});
    QVERIFY(p.waitForStarted());
    // Interrupted once the transfer runs (its first caption is out), however slowly the program started.
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError())
                                 .contains(TransferTexts::caption(TransferCaption::Connecting).toUtf8()),
                             10000);
    QTest::qWait(200);
    ::kill(pid_t(p.processId()), signal);
    QVERIFY(p.waitForFinished(3000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    err += p.readAllStandardError();
    QVERIFY2(QString::fromUtf8(err).contains(QStringLiteral("已取消")), err.constData());
    // A cancelled read leaves the user's file as it was, and nothing beside it.
    QCOMPARE(fileBytes(out), kOwnBytes);
    QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("int.qfd")});
    // The trace is written up to the cancel.
    QVERIFY(fileBytes(trace).endsWith(" CANCEL\n"));
}

void TestLinkCli::readKeepsFileUnlessComplete_data() {
    QTest::addColumn<QStringList>("simArgs"); // empty: the port does not exist
    QTest::addColumn<QString>("before");      // what is at FILE: none, file, dir, fifo or link
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("replaced"); // FILE holds the radio's image afterwards
    QTest::addColumn<bool>("refused");  // nothing was sent to the radio
    const QStringList image{QStringLiteral("--image"), kSample};
    const QStringList silent{QStringLiteral("--fault"), QStringLiteral("silent")};
    const QStringList hangup = image + QStringList{QStringLiteral("--fault"), QStringLiteral("hangup:40")};
    QTest::newRow("silent radio keeps file") << silent << "file" << 1 << false << false;
    QTest::newRow("silent radio leaves no file") << silent << "none" << 1 << false << false;
    QTest::newRow("wrong port keeps file") << QStringList() << "file" << 1 << false << false;
    QTest::newRow("hangup mid-read keeps file") << hangup << "file" << 1 << false << false;
    QTest::newRow("hangup mid-read leaves no file") << hangup << "none" << 1 << false << false;
    QTest::newRow("complete read replaces file") << image << "file" << 0 << true << false;
    QTest::newRow("complete read creates file") << image << "none" << 0 << true << false;
    QTest::newRow("directory refused") << image << "dir" << 1 << false << true;
    QTest::newRow("fifo refused") << image << "fifo" << 1 << false << true;
    QTest::newRow("symlink refused") << image << "link" << 1 << false << true;
}

void TestLinkCli::readKeepsFileUnlessComplete() {
    QFETCH(QStringList, simArgs);
    QFETCH(QString, before);
    QFETCH(int, code);
    QFETCH(bool, replaced);
    QFETCH(bool, refused);
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("radio.qfd"));
    const QString aside = folder.filePath(QStringLiteral("aside.qfd")); // a symbolic link's target
    const auto writeOwn = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(kOwnBytes) == kOwnBytes.size();
    };
    if (before == QLatin1String("file"))
        QVERIFY(writeOwn(out));
    else if (before == QLatin1String("dir"))
        QVERIFY(QDir().mkdir(out));
    else if (before == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0600), 0);
    else if (before == QLatin1String("link"))
        QVERIFY(writeOwn(aside) && QFile::link(aside, out));
    const QStringList entriesBefore = entries(folder.path());

    Sim sim;
    if (!simArgs.isEmpty())
        QVERIFY(sim.start(simArgs));
    const QString port = simArgs.isEmpty() ? folder.filePath(QStringLiteral("gone")) : sim.device;
    const Result r =
        cli({QStringLiteral("read"), QStringLiteral("--port"), port, QStringLiteral("--out"), out,
             QStringLiteral("--config"), kConfig, QStringLiteral("--timeout"), QStringLiteral("2")});
    QCOMPARE(r.code, code);

    if (replaced) {
        QCOMPARE(dataTokens(out), dataTokens(kSample));
        QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("radio.qfd")});
    } else {
        // Exactly what was there before: no partial file, no temporary file, the same bytes.
        QCOMPARE(entries(folder.path()), entriesBefore);
        if (before == QLatin1String("file"))
            QCOMPARE(fileBytes(out), kOwnBytes);
        struct stat st {};
        const bool there = ::lstat(QFile::encodeName(out).constData(), &st) == 0;
        QCOMPARE(there, before != QLatin1String("none"));
        if (before == QLatin1String("dir"))
            QVERIFY(S_ISDIR(st.st_mode));
        if (before == QLatin1String("fifo"))
            QVERIFY(S_ISFIFO(st.st_mode));
        if (before == QLatin1String("link")) {
            QVERIFY(S_ISLNK(st.st_mode));
            QCOMPARE(fileBytes(aside), kOwnBytes);
        }
    }
    if (refused) {
        QVERIFY2(r.err.contains(QStringLiteral("不是普通文件")), qPrintable(r.err));
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        const QString simErr = QString::fromLocal8Bit(sim.process.readAllStandardError());
        QVERIFY2(simErr.contains(QStringLiteral(": 0 bytes in,")), qPrintable(simErr));
    }
}

void TestLinkCli::writeChecksFrequencies_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("message");
    QTest::newRow("outside every band")
        << "700.00000"
        << "第3个信道数据的接收频率不合法，请在正确频率范围（300Mhz--650Mhz）内输入";
    QTest::newRow("outside the model's band") << "480.00000"
                                              << "第 3 信道 接收频率“480.00000”：超出频段 400–470 MHz";
}

// Refused before the port is touched: not a byte reaches the radio.
void TestLinkCli::writeChecksFrequencies() {
    QFETCH(QString, frequency);
    QFETCH(QString, message);
    LinkTestState s(0, 0, 4);
    s.table.setCell(3, 1, frequency);
    const QString file = dir_.filePath(QStringLiteral("bad.qfd"));
    QVERIFY(!SaveChannelFile(file, s.model, s.table, s.settings).isError());
    const QString stats = dir_.filePath(QStringLiteral("stats-%1").arg(QTest::currentDataTag()));
    {
        Sim sim;
        QVERIFY(sim.start({QStringLiteral("--stats"), stats}));
        const Result r = cli({QStringLiteral("write"), QStringLiteral("--port"), sim.device, file,
                              QStringLiteral("--config"), kConfig});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }
    QVERIFY(fileBytes(stats).startsWith("bytes_in=0\n"));
    // show keeps the value and warns about it.
    const Result shown = cli({QStringLiteral("show"), file, QStringLiteral("--config"), kConfig});
    QCOMPARE(shown.code, 0);
    QCOMPARE(shown.err.count(QStringLiteral("警告：")), 1);
}

void TestLinkCli::writeOfShortFile_data() {
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<int>("code");
    QTest::newRow("refused") << false << 1;
    QTest::newRow("with --allow-incomplete") << true << 0;
}

// A file that ended early would blank the channels it lacks: refused before the port is touched, unless
// the user says so.
void TestLinkCli::writeOfShortFile() {
    QFETCH(bool, allowed);
    QFile sample(kSample);
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = sample.readAll().split('\n');
    const QString file = dir_.filePath(QStringLiteral("short-%1.qfd").arg(allowed));
    QFile shortFile(file);
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    for (int i = 0; i < 40; ++i)
        shortFile.write(lines[i] + '\n');
    shortFile.close();
    Sim sim;
    QVERIFY(sim.start({}));
    QStringList args{QStringLiteral("write"),
                     QStringLiteral("--port"),
                     sim.device,
                     file,
                     QStringLiteral("--config"),
                     kConfig};
    if (allowed)
        args << QStringLiteral("--allow-incomplete");
    const Result r = cli(args);
    QTEST(r.code, "code");
    QVERIFY2(r.err.contains(QStringLiteral("40 行")), qPrintable(r.err));
    QCOMPARE(r.err.contains(QStringLiteral("--allow-incomplete")), !allowed);
    sim.process.terminate();
    QVERIFY(sim.process.waitForFinished(5000));
    const QString simSays = QString::fromUtf8(sim.process.readAllStandardError());
    QCOMPARE(simSays.contains(QStringLiteral(" 0 bytes in")) ||
                 simSays.startsWith(QStringLiteral("0 bytes in")),
             !allowed);
}

void TestLinkCli::usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("read without port") << QStringList{"read", "--out", "x.qfd"};
    QTest::newRow("read without out") << QStringList{"read", "--port", "/dev/null"};
    QTest::newRow("bad timeout") << QStringList{"read", "--port",    "/dev/null", "--out",
                                                "x",    "--timeout", "0"};
    QTest::newRow("write without file") << QStringList{"write", "--port", "/dev/null"};
    QTest::newRow("write with a value for --backup")
        << QStringList{"write", "--port", "/dev/null", "x.qfd", "--backup=yes"};
    QTest::newRow("ports with argument") << QStringList{"ports", "x"};
}

void TestLinkCli::usage() {
    QFETCH(QStringList, args);
    QCOMPARE(cli(args).code, 2);
}

void TestLinkCli::writeHelp() {
    // Each transfer command names its options and every exit code it can end with.
    const QList<QPair<QString, QStringList>> helps{
        {QStringLiteral("write"),
         {"--allow-incomplete", "--backup", "--verify", "0 写频完成", "3 校验不一致", "4 对讲机是另一机型",
          "RADIOCPS_BACKUP_DIR"}},
        {QStringLiteral("read"),
         {"--out FILE", "--timeout", "0 读频完成", "2 用法错误", "RADIOCPS_BACKUP_DIR"}}};
    for (const auto& [command, words] : helps) {
        const Result r = cli({command, QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        for (const QString& word : words)
            QVERIFY2(r.out.contains(word), qPrintable(command + QLatin1Char(' ') + word));
    }
}

void TestLinkCli::ports() {
    // The machine's own ports, whatever they are: the table under its header, the same ports as JSON.
    const Result table = cli({QStringLiteral("ports")});
    const Result json = cli({QStringLiteral("ports"), QStringLiteral("--json")});
    QCOMPARE(table.code, 0);
    QCOMPARE(json.code, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8(), &error);
    QVERIFY2(doc.isArray(), qPrintable(error.errorString()));
    const QStringList lines = table.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (doc.array().isEmpty()) {
        QVERIFY(lines.isEmpty());
        return;
    }
    QCOMPARE(lines.size(), doc.array().size() + 1);
    QVERIFY(lines[0].startsWith(QStringLiteral("设备")));
    for (int i = 0; i < doc.array().size(); ++i) {
        const QJsonObject port = doc.array().at(i).toObject();
        QVERIFY(lines[i + 1].startsWith(port.value("device").toString() + QLatin1Char(' ')));
        const QString usb = port.value("usb").toString();
        QVERIFY2(usb.isEmpty() || QRegularExpression("^[0-9a-f]{4}:[0-9a-f]{4}$").match(usb).hasMatch(),
                 qPrintable(usb));
    }
}

// The desktop program and the virtual radio print their options too.
void TestLinkCli::otherProgramsHelp_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("radiocps") << "radiocps" << QStringList{"--port", "--open"};
    QTest::newRow("radiocps-sim") << "radiocps-sim" << QStringList{"--image", "--fault", "--save", "silent"};
}

void TestLinkCli::otherProgramsHelp() {
    QFETCH(QString, program);
    QFETCH(QStringList, options);
    const QString path = kBin + QLatin1Char('/') + program;
    if (!QFile::exists(path))
        QSKIP("not built");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(path, {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const QString& option : options)
        QVERIFY2(out.contains(option), qPrintable(program + QLatin1Char(' ') + option));
}

// verify against the virtual radio: its verdict, its exit code, and that the radio's memory is untouched.
QTEST_GUILESS_MAIN(TestLinkCli)
#include "tst_link_cli.moc"
