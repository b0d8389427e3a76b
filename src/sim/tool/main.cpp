// radiocps-sim: a virtual radio on a pseudo-terminal, for tests, benchmarks and trying the tool without
// hardware.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "config/build_info.h"
#include "config/safe_file.h"
#include "image/channel_file.h"
#include "sim/pty_radio.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr int kDefaultIdleMs = 2000;

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &b, 1);
    errno = saved;
}

void printErr(const QString& text) {
    fprintf(stderr, "radiocps-sim: %s\n", text.toLocal8Bit().constData());
}

const char* const kFaultHelp = "Faults (--fault KIND); blocks count from 1 in address order:\n"
                               "  silent     never answers, not even the wake-up sequence\n"
                               "  noack:N    answers block N once with 15 instead of 06\n"
                               "             (read: after the tool's 06; write: the frame is not stored)\n"
                               "  short:N    replies to the read request of block N once with 11 bytes\n"
                               "  long:N     replies to the read request of block N once with 13 bytes\n"
                               "  stop:N     answers nothing from block N on\n"
                               "  hangup:N   hangs up the line at block N and exits\n"
                               "  flip:N     stores the write frame of block N (the N-th frame of a write,\n"
                               "             address 8 * (N - 1)) once with its first data byte XOR 01,\n"
                               "             yet acknowledges it as usual: only a read-back finds it\n"
                               "\n"
                               "Sessions: after the last block of a read or a write, and after --idle\n"
                               "seconds without a byte in the middle of one, the radio waits for the\n"
                               "wake-up sequence again, so the next transfer needs no restart.\n";

Error loadImage(const QString& path, int blocks, MemoryImage* image) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::FileNotFound, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    QVector<Block> parsed;
    if (Error e = ChannelFile::parse(file.readAll(), &parsed); e.isError())
        return {e.code, path + QStringLiteral(": ") + e.description};
    // A short file fills the rest with FF, as in a radio that was never written there.
    if (blocks == 0)
        blocks = parsed.size() <= blockCount(1) ? blockCount(1) : blockCount(2);
    if (parsed.size() > blocks) {
        return {ErrorCode::InvalidArgument,
                QStringLiteral("%1 holds %2 blocks, more than the %3 of the radio")
                    .arg(path)
                    .arg(parsed.size())
                    .arg(blocks)};
    }
    *image = MemoryImage::blank(blocks / kBlocksPerUnit);
    std::copy(parsed.begin(), parsed.end(), image->blocks.begin());
    return Error::none();
}

// The link is ours only while it still points at our device; anything else at that path is left alone.
void removeLink(const QString& link, const QString& device) {
    if (!link.isEmpty() && QFile::symLinkTarget(link) == device)
        QFile::remove(link);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiocps-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RADIOCPS_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A virtual radio on a pseudo-terminal. Prints the device path on stdout, answers the "
                       "programming protocol and saves its memory as a channel file on exit.\n\n") +
        QLatin1String(kFaultHelp));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption imageOpt(QStringLiteral("image"), QStringLiteral("Memory from a channel file."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption blocksOpt(
        QStringLiteral("blocks"),
        QStringLiteral("Memory size, 128 or 256 blocks (default 128, or the size of --image)."),
        QStringLiteral("N"));
    const QCommandLineOption baudOpt(
        QStringLiteral("baud"),
        QStringLiteral("Pace both directions at N baud, 10 bits a byte (default: no pacing)."),
        QStringLiteral("N"));
    const QCommandLineOption linkOpt(
        QStringLiteral("link"),
        QStringLiteral("Also make PATH a symbolic link to the device (removed on exit)."),
        QStringLiteral("PATH"));
    const QCommandLineOption saveOpt(
        QStringLiteral("save"),
        QStringLiteral("Save the memory as a channel file whenever the tool closes the device, and on exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption faultOpt(
        QStringLiteral("fault"), QStringLiteral("Misbehave (see the list above)."), QStringLiteral("KIND"));
    const QCommandLineOption statsOpt(
        QStringLiteral("stats"), QStringLiteral("Write byte counts and block-phase timing to FILE on exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption idleOpt(
        QStringLiteral("idle"),
        QStringLiteral("End a session after S seconds without a byte (default 2; 0: never)."),
        QStringLiteral("S"));
    parser.addOptions({imageOpt, blocksOpt, baudOpt, linkOpt, saveOpt, faultOpt, statsOpt, idleOpt});
    if (!parser.parse(QCoreApplication::arguments())) {
        printErr(parser.errorText());
        return kUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        const QString text = QCoreApplication::applicationName() + QLatin1Char(' ') +
                             QCoreApplication::applicationVersion() + QLatin1Char('\n');
        fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        printErr(QStringLiteral("unexpected argument ") + parser.positionalArguments().first());
        return kUsage;
    }

    int blocks = 0;
    if (parser.isSet(blocksOpt)) {
        blocks = parser.value(blocksOpt).toInt();
        if (blocks != blockCount(1) && blocks != blockCount(2)) {
            printErr(QStringLiteral("--blocks must be 128 or 256"));
            return kUsage;
        }
    }
    int baud = 0;
    if (parser.isSet(baudOpt)) {
        bool ok = false;
        baud = parser.value(baudOpt).toInt(&ok);
        if (!ok || baud <= 0) {
            printErr(QStringLiteral("--baud must be a positive number"));
            return kUsage;
        }
    }
    int idleMs = kDefaultIdleMs;
    if (parser.isSet(idleOpt)) {
        bool ok = false;
        const double seconds = parser.value(idleOpt).toDouble(&ok);
        if (!ok || seconds < 0 || seconds > 24 * 3600) {
            printErr(QStringLiteral("--idle must be a number of seconds, 0 or more"));
            return kUsage;
        }
        idleMs = seconds > 0 ? qMax(1, int(seconds * 1000)) : 0;
    }
    RadioFault fault;
    if (Error e = RadioFault::parse(parser.value(faultOpt), &fault); e.isError()) {
        printErr(e.description);
        return kUsage;
    }

    MemoryImage image = MemoryImage::blank(blocks == blockCount(2) ? 2 : 1);
    if (parser.isSet(imageOpt)) {
        if (Error e = loadImage(parser.value(imageOpt), blocks, &image); e.isError()) {
            printErr(e.description);
            return kFailure;
        }
    }

    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        printErr(QStringLiteral("pipe2 failed"));
        return kFailure;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        sigaction(sig, &sa, nullptr);

    PtyRadio radio(RadioMachine(std::move(image), fault), baud);
    radio.setIdleTimeout(idleMs);
    if (Error e = radio.open(); e.isError()) {
        printErr(e.description);
        return kFailure;
    }
    const QString device = radio.devicePath();
    const QString link = parser.value(linkOpt);
    if (!link.isEmpty()) {
        // Replace a stale link from an earlier run, but never a real file.
        const QFileInfo old(link);
        if (old.isSymLink())
            QFile::remove(link);
        if (!QFile::link(device, link)) {
            printErr(QStringLiteral("cannot make the link ") + link);
            return kFailure;
        }
    }
    fprintf(stdout, "%s\n", device.toLocal8Bit().constData());
    fflush(stdout);

    const QString savePath = parser.value(saveOpt);
    int exitCode = 0;
    const auto save = [&] {
        if (savePath.isEmpty())
            return;
        if (Error e = writeFileAtomically(savePath, ChannelFile::format(radio.machine().image()));
            e.isError()) {
            printErr(e.description);
            exitCode = kFailure;
        }
    };
    QObject::connect(&radio, &PtyRadio::peerClosed, &app, save);
    QObject::connect(&radio, &PtyRadio::hungUp, &app, [] { QCoreApplication::quit(); });

    app.exec();

    save();
    const LinkStats& stats = radio.stats();
    if (parser.isSet(statsOpt)) {
        const QByteArray text =
            stats.toText(radio.byteNs(), radio.machine().blocksRead(), radio.machine().blocksWritten());
        if (Error e = writeFileAtomically(parser.value(statsOpt), text); e.isError()) {
            printErr(e.description);
            exitCode = kFailure;
        }
    }
    printErr(QStringLiteral("%1 bytes in, %2 bytes out, %3 blocks read, %4 blocks written")
                 .arg(stats.bytesIn)
                 .arg(stats.bytesOut)
                 .arg(radio.machine().blocksRead())
                 .arg(radio.machine().blocksWritten()));
    removeLink(link, device);
    return exitCode;
}
