#include "sim_run.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "config/safe_file.h"
#include "image/channel_file.h"
#include "sim/pty_radio.h"

namespace {

// Replace a stale link from an earlier run, but never a real file.
Error makeLink(const QString& link, const QString& device) {
    if (link.isEmpty())
        return Error::none();
    if (QFileInfo(link).isSymLink())
        QFile::remove(link);
    if (!QFile::link(device, link))
        return {ErrorCode::PathFileAccess, QStringLiteral("cannot make the link ") + link};
    return Error::none();
}

// The link is ours only while it still points at our device; anything else at that path is left alone.
void removeLink(const QString& link, const QString& device) {
    if (!link.isEmpty() && QFile::symLinkTarget(link) == device)
        QFile::remove(link);
}

// A fleet: each radio the tool is through with leaves, and a fresh one comes after the swap time.
void swapRadios(PtyRadio& radio, const SimOptions& options, const MemoryImage& image) {
    auto left = std::make_shared<int>(0);
    QObject::connect(&radio, &PtyRadio::released, &radio, [&radio, options, image, left] {
        if (!radio.isPresent())
            return;
        radio.setPresent(false);
        if (options.radios > 0 && ++*left >= options.radios) {
            QCoreApplication::quit();
            return;
        }
        QTimer::singleShot(options.swapMs, &radio, [&radio, image] {
            radio.replaceRadio(RadioMachine(image));
            radio.setPresent(true);
        });
    });
}

Error writeStats(const QString& path, const PtyRadio& radio) {
    if (path.isEmpty())
        return Error::none();
    const QByteArray text = radio.stats().toText(radio.byteNs(), radio.blocksRead(), radio.blocksWritten());
    return writeFileAtomically(path, text);
}

} // namespace

int runSim(const SimOptions& options, const MemoryImage& image) {
    PtyRadio radio(RadioMachine(image, options.fault), options.baud);
    radio.setIdleTimeout(options.idleMs);
    if (Error e = radio.open(); e.isError()) {
        printSimError(e.description);
        return SimExit::kFailure;
    }
    const QString device = radio.devicePath();
    if (Error e = makeLink(options.link, device); e.isError()) {
        printSimError(e.description);
        return SimExit::kFailure;
    }
    fprintf(stdout, "%s\n", device.toLocal8Bit().constData());
    fflush(stdout);

    int exitCode = SimExit::kSuccess;
    const auto save = [&] {
        if (options.save.isEmpty())
            return;
        if (Error e = writeFileAtomically(options.save, ChannelFile::format(radio.machine().image()));
            e.isError()) {
            printSimError(e.description);
            exitCode = SimExit::kFailure;
        }
    };
    QObject::connect(&radio, &PtyRadio::peerClosed, &radio, save);
    QObject::connect(&radio, &PtyRadio::hungUp, &radio, [] { QCoreApplication::quit(); });
    if (options.swapMs >= 0)
        swapRadios(radio, options, image);

    QCoreApplication::exec();

    save();
    if (Error e = writeStats(options.stats, radio); e.isError()) {
        printSimError(e.description);
        exitCode = SimExit::kFailure;
    }
    const LinkStats& stats = radio.stats();
    printSimError(QStringLiteral("%1 bytes in, %2 bytes out, %3 blocks read, %4 blocks written")
                      .arg(stats.bytesIn)
                      .arg(stats.bytesOut)
                      .arg(radio.blocksRead())
                      .arg(radio.blocksWritten()));
    removeLink(options.link, device);
    return exitCode;
}
