#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/test_models.h"

#include "../support/wire_bytes.h"
#include "image/channel_file.h"
#include "link/protocol.h"

namespace {

const QString kSim = QStringLiteral(RADIOCPS_BIN_DIR "/radiocps-sim");
constexpr int kWaitMs = 5000;

QByteArray bytesOf(const Block& block) {
    QByteArray out;
    for (quint8 b : block)
        out += char(b);
    return out;
}

// The virtual radio as a child process; the device path is the first line it prints.
struct SimChild {
    QProcess process;
    QString device;

    bool start(const QStringList& args) {
        process.start(kSim, args);
        if (!process.waitForStarted(kWaitMs))
            return false;
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(kWaitMs))
                return false;
        }
        device = QString::fromLocal8Bit(process.readLine()).trimmed();
        return !device.isEmpty();
    }
    // SIGTERM, then the exit code (-1 when it did not end by itself).
    int stop() {
        process.terminate();
        return finished();
    }
    int finished() {
        if (!process.waitForFinished(kWaitMs) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        return process.exitCode();
    }
    ~SimChild() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kWaitMs);
        }
    }
};

// The tool's end of the line, driven by hand.
struct Line {
    QSerialPort port;

    bool open(const QString& device) {
        port.setPortName(device);
        if (!port.open(QIODevice::ReadWrite))
            return false;
        return port.setBaudRate(Protocol::kBaudRate) && port.setDataBits(QSerialPort::Data8) &&
               port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop);
    }
    // Sends the bytes and collects the answer until it has `count` bytes or nothing more comes.
    QByteArray exchange(const QByteArray& bytes, int count, int quietMs = kWaitMs) {
        if (!bytes.isEmpty()) {
            port.write(bytes);
            port.waitForBytesWritten(kWaitMs);
        }
        QByteArray in = port.readAll();
        while (in.size() < count && port.waitForReadyRead(quietMs))
            in += port.readAll();
        return in;
    }
    // Wake-up bytes one at a time, as the tool cycles them, until the radio answers.
    QByteArray wakeUp(int maxBytes = 3 * 7) {
        for (int i = 0; i < maxBytes; ++i) {
            const QByteArray answer = exchange(Protocol::kWakeUp.mid(i % 7, 1), 1, 100);
            if (!answer.isEmpty())
                return answer + exchange({}, 3 - answer.size(), 200);
        }
        return {};
    }
    bool enter(char mode) {
        const QByteArray answer = wakeUp();
        return answer.contains(Protocol::kAck) && answer.size() > 1 &&
               exchange(QByteArray(1, Protocol::kComplete), 1).size() == 1 &&
               exchange(QByteArray(1, mode), 1) == hex("06");
    }
    // One read session from block 0 to `blocks - 1` (the whole memory unless fewer); empty on a failure.
    QVector<Block> read(int blocks) {
        QVector<Block> out;
        if (!enter(Protocol::kReadMode))
            return {};
        for (int b = 0; b < blocks; ++b) {
            const QByteArray request = wireHeader(Protocol::kReadCommand, b);
            const QByteArray reply = exchange(request, Protocol::kReplySize);
            if (!reply.startsWith(request) || reply.size() != Protocol::kReplySize ||
                exchange(hex("06"), 1) != hex("06"))
                return {};
            out.append(Protocol::frameData(reply));
        }
        return out;
    }
    // One write session of the whole image, every frame acknowledged.
    bool write(const MemoryImage& image) {
        if (!enter(Protocol::kWriteMode))
            return false;
        for (int b = 0; b < image.size(); ++b) {
            if (exchange(wireHeader(Protocol::kWriteCommand, b) + bytesOf(image.blocks[b]), 1) != hex("06"))
                return false;
        }
        return true;
    }
    // Whether the radio still answers the read-mode byte and a request without a new wake-up.
    bool inSession() {
        const QByteArray probe = QByteArray(1, Protocol::kReadMode) + wireHeader(Protocol::kReadCommand, 0);
        return !exchange(probe, 1 + Protocol::kReplySize, 300).isEmpty();
    }
};

} // namespace

class TestSimPty : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString writeImage(const QString& name, const MemoryImage& image) const {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(ChannelFile::format(image)) < 0)
            return {};
        return f.fileName();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY2(QFileInfo::exists(kSim), qPrintable(kSim));
        QFile bad(path(QStringLiteral("bad.qfd")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("52 00 00 08 71 FF FF FF GG FF FF FF\r\n");
    }

    void readWriteAndSave_data() {
        QTest::addColumn<int>("iData");
        QTest::addColumn<QString>("pacing");
        QTest::newRow("128 blocks") << 1 << QString();
        QTest::newRow("256 blocks at 9600 baud") << 2 << QStringLiteral("9600");
    }
    void readWriteAndSave() {
        QFETCH(int, iData);
        QFETCH(QString, pacing);
        const MemoryImage image = TestModels::patternedImage(iData);
        const QString saved = path(QStringLiteral("saved-%1.qfd").arg(iData));
        const QString link = path(QStringLiteral("radio-%1").arg(iData));
        QStringList args{QStringLiteral("--image"), writeImage(QStringLiteral("in.qfd"), image),
                         QStringLiteral("--save"),  saved,
                         QStringLiteral("--link"),  link};
        if (!pacing.isEmpty())
            args << QStringLiteral("--baud") << pacing;
        SimChild sim;
        QVERIFY(sim.start(args));
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device);

        Line line;
        QVERIFY(line.open(link));
        QVERIFY(line.enter(Protocol::kReadMode));
        for (int b : {0, 1, 31, 32, image.size() - 1}) {
            const QByteArray request = wireHeader(Protocol::kReadCommand, b);
            QCOMPARE(line.exchange(request, Protocol::kReplySize), request + bytesOf(image.blocks[b]));
            QCOMPARE(line.exchange(hex("06"), 1), hex("06"));
        }
        // The last block ended the read session: the write needs a session of its own.
        QVERIFY(line.enter(Protocol::kWriteMode));
        const Block written{9, 8, 7, 6, 5, 4, 3, 2};
        QCOMPARE(line.exchange(wireHeader(Protocol::kWriteCommand, 7) + bytesOf(written), 1), hex("06"));
        line.port.close();

        // Closing the device saves the memory; the radio waits for the next transfer with it kept.
        MemoryImage expected = image;
        expected.blocks[7] = written;
        const QByteArray expectedFile = ChannelFile::format(expected);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), kWaitMs);
        QFile::remove(saved);
        QVERIFY(line.open(sim.device));
        QVERIFY(line.enter(Protocol::kReadMode));
        const QByteArray request = wireHeader(Protocol::kReadCommand, 7);
        QCOMPARE(line.exchange(request, Protocol::kReplySize), request + bytesOf(written));

        QCOMPARE(sim.stop(), 0);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expectedFile);
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(sim.process.readAllStandardError().contains("6 blocks read"));
    }

    // The radio takes one session after another on the same open line: the last block of a session, or a
    // quiet spell in the middle of one, sends it back to waiting for the wake-up sequence.
    void sessions_data() {
        QTest::addColumn<QString>("first");    // read, write or partial (a read of 3 blocks, then quiet)
        QTest::addColumn<QStringList>("args"); // more sim arguments
        QTest::addColumn<int>("flipped");      // block (0-based) stored with byte 0 XOR 01, or -1
        QTest::newRow("two reads") << QStringLiteral("read") << QStringList() << -1;
        QTest::newRow("write, then read") << QStringLiteral("write") << QStringList() << -1;
        QTest::newRow("quiet in a session")
            << QStringLiteral("partial") << QStringList{QStringLiteral("--idle"), QStringLiteral("0.3")}
            << -1;
        QTest::newRow("flip:5") << QStringLiteral("write")
                                << QStringList{QStringLiteral("--fault"), QStringLiteral("flip:5")} << 4;
        QTest::newRow("flip:128, the last")
            << QStringLiteral("write") << QStringList{QStringLiteral("--fault"), QStringLiteral("flip:128")}
            << 127;
    }
    void sessions() {
        QFETCH(QString, first);
        QFETCH(QStringList, args);
        QFETCH(int, flipped);
        const MemoryImage image = TestModels::patternedImage(1);
        MemoryImage written = MemoryImage::blank(1);
        for (int b = 0; b < written.size(); ++b)
            written.blocks[b] = filledBlock(quint8(b));
        SimChild sim;
        QVERIFY(sim.start(QStringList{QStringLiteral("--image"), writeImage(QStringLiteral("s.qfd"), image)} +
                          args));
        Line line;
        QVERIFY(line.open(sim.device));

        MemoryImage expected = image;
        if (first == QLatin1String("read")) {
            QCOMPARE(line.read(image.size()), image.blocks);
        } else if (first == QLatin1String("write")) {
            QVERIFY(line.write(written));
            expected = written;
        } else {
            QCOMPARE(line.read(3), image.blocks.mid(0, 3));
            QVERIFY(line.inSession()); // the session goes on while the tool keeps talking
            QTest::qWait(600);
        }
        // The session is over: nothing is answered without a new wake-up, and a new one works at once.
        QVERIFY(!line.inSession());
        if (flipped >= 0)
            expected.blocks[flipped][0] ^= 0x01;
        QCOMPARE(line.read(image.size()), expected.blocks);
        QCOMPARE(sim.stop(), 0);
    }

    void hangUp() {
        const QString saved = path(QStringLiteral("hangup.qfd"));
        SimChild sim;
        QVERIFY(sim.start(
            {QStringLiteral("--fault"), QStringLiteral("hangup:2"), QStringLiteral("--save"), saved}));
        Line line;
        QVERIFY(line.open(sim.device));
        QSignalSpy errors(&line.port, &QSerialPort::errorOccurred);
        QVERIFY(line.enter(Protocol::kReadMode));
        QCOMPARE(line.exchange(wireHeader(Protocol::kReadCommand, 0), Protocol::kReplySize).size(),
                 Protocol::kReplySize);
        QCOMPARE(line.exchange(hex("06"), 1), hex("06"));
        QVERIFY(line.exchange(wireHeader(Protocol::kReadCommand, 1), 1, 500).isEmpty());
        // The line is gone: the port reports it, and the radio ends by itself after saving.
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(errors.begin(), errors.end(),
                                             [](const QList<QVariant>& e) {
                                                 const auto error =
                                                     e.at(0).value<QSerialPort::SerialPortError>();
                                                 return error == QSerialPort::ReadError ||
                                                        error == QSerialPort::ResourceError ||
                                                        error == QSerialPort::WriteError;
                                             }),
                                 kWaitMs);
        QCOMPARE(sim.finished(), 0);
        QVERIFY(QFile::exists(saved));
    }

    void silent() {
        SimChild sim;
        QVERIFY(sim.start({QStringLiteral("--fault"), QStringLiteral("silent"), QStringLiteral("--blocks"),
                           QStringLiteral("256")}));
        Line line;
        QVERIFY(line.open(sim.device));
        QVERIFY(line.wakeUp(2 * 7).isEmpty());
        QCOMPARE(sim.stop(), 0);
    }

    void badArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("blocks") << QStringList{QStringLiteral("--blocks"), QStringLiteral("100")} << 2;
        QTest::newRow("baud") << QStringList{QStringLiteral("--baud"), QStringLiteral("fast")} << 2;
        QTest::newRow("fault") << QStringList{QStringLiteral("--fault"), QStringLiteral("noack")} << 2;
        QTest::newRow("idle") << QStringList{QStringLiteral("--idle"), QStringLiteral("-1")} << 2;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--colour")} << 2;
        QTest::newRow("missing image")
            << QStringList{QStringLiteral("--image"), QStringLiteral("/nonexistent.qfd")} << 1;
        QTest::newRow("malformed image")
            << QStringList{QStringLiteral("--image"), path(QStringLiteral("bad.qfd"))} << 1;
    }
    void badArguments() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QProcess p;
        p.start(kSim, args);
        QVERIFY(p.waitForFinished(kWaitMs));
        QCOMPARE(p.exitCode(), exitCode);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        QVERIFY(!p.readAllStandardError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSimPty)
#include "tst_sim_pty.moc"
