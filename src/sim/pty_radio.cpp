#include "sim/pty_radio.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

qint64 nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

Error systemError(const char* what) {
    return {ErrorCode::PortFailure,
            QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(errno)))};
}

// How often a closed device is checked for the tool opening it again.
constexpr int kPeerPollMs = 10;

} // namespace

PtyRadio::PtyRadio(RadioMachine machine, int baud, QObject* parent)
    : QObject(parent), machine_(std::move(machine)), clock_(baud) {
    peerPoll_.setInterval(kPeerPollMs);
    connect(&peerPoll_, &QTimer::timeout, this, &PtyRadio::watchForPeer);
    idle_.setSingleShot(true);
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, [this] { machine_.reset(); });
}

PtyRadio::~PtyRadio() {
    closeLine();
    if (timer_ >= 0)
        ::close(timer_);
}

Error PtyRadio::open() {
    int slave = -1;
    char name[256] = {};
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0)
        return systemError("openpty");
    // Raw both ways: 0A and 0D are protocol bytes, not line ends, and nothing may be echoed.
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B9600);
    tcsetattr(slave, TCSANOW, &tio);
    // Holding the slave open would hide the tool's hang-up; the settings stay with the device.
    ::close(slave);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    devicePath_ = QString::fromLocal8Bit(name);

    timer_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timer_ < 0)
        return systemError("timerfd_create");

    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    readNotifier_->setEnabled(false);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyRadio::readable);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyRadio::flush);
    timerNotifier_ = new QSocketNotifier(timer_, QSocketNotifier::Read, this);
    connect(timerNotifier_, &QSocketNotifier::activated, this, [this] {
        quint64 expirations = 0;
        [[maybe_unused]] const ssize_t n = ::read(timer_, &expirations, sizeof expirations);
        pump();
    });
    peerPoll_.start();
    return Error::none();
}

void PtyRadio::watchForPeer() {
    if (master_ < 0)
        return;
    // Without anyone on the slave side the master reports a hang-up; it clears when the tool opens it.
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0 || (p.revents & POLLHUP))
        return;
    peerPoll_.stop();
    readNotifier_->setEnabled(true);
}

void PtyRadio::readable() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            const qint64 at = nowNs();
            stats_.bytesIn += n;
            for (ssize_t i = 0; i < n; ++i)
                received_.push_back({clock_.received(at), at, buf[i], false});
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            break;
        peerGone(); // EIO: the last holder of the slave closed it
        return;
    }
    pump();
}

void PtyRadio::pump() {
    const qint64 now = nowNs();
    while (master_ >= 0 && !received_.empty() && received_.front().due <= now) {
        const Pending in = received_.front();
        received_.pop_front();
        deliver(in);
    }
    if (master_ < 0)
        return;
    release(now);
    arm();
}

void PtyRadio::replaceRadio(RadioMachine machine) {
    servedRead_ += machine_.blocksRead();
    servedWritten_ += machine_.blocksWritten();
    machine_ = std::move(machine);
    idle_.stop();
}

void PtyRadio::deliver(const Pending& in) {
    if (!present_)
        return;
    const bool blockPhase = machine_.inTransfer();
    if (blockPhase) {
        if (!stats_.blockPhaseSeen) {
            stats_.blockPhaseSeen = true;
            stats_.blockStartNs = in.handedOver;
        }
        ++stats_.blockBytesIn;
        stats_.noteBlockEnd(in.due);
    }
    const RadioReaction r = machine_.receive(in.byte);
    // A real radio gives up on a tool that went quiet in the middle of a session.
    if (machine_.inSession() && idle_.interval() > 0)
        idle_.start();
    else
        idle_.stop();
    // The radio answers the moment the byte has arrived, even if this process got to it a little late.
    for (char b : r.reply)
        toSend_.push_back({clock_.sent(in.due), in.due, b, blockPhase});
    if (r.imageChanged)
        Q_EMIT imageChanged();
    if (r.released)
        Q_EMIT released();
    if (r.hangUp) {
        release(in.due);
        closeLine();
        Q_EMIT hungUp();
    }
}

void PtyRadio::release(qint64 upTo) {
    bool any = false;
    while (!toSend_.empty() && toSend_.front().due <= upTo) {
        const Pending out = toSend_.front();
        toSend_.pop_front();
        unwritten_ += out.byte;
        ++stats_.bytesOut;
        if (out.blockPhase) {
            ++stats_.blockBytesOut;
            stats_.noteBlockEnd(qMax(nowNs(), out.due));
        }
        any = true;
    }
    if (any)
        flush();
}

void PtyRadio::flush() {
    while (master_ >= 0 && !unwritten_.isEmpty()) {
        const ssize_t n = ::write(master_, unwritten_.constData(), size_t(unwritten_.size()));
        if (n > 0) {
            unwritten_.remove(0, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            writeNotifier_->setEnabled(true);
            return;
        }
        unwritten_.clear(); // the tool has gone; the read side notices and resets
    }
    if (writeNotifier_)
        writeNotifier_->setEnabled(false);
}

void PtyRadio::arm() {
    qint64 next = 0;
    if (!received_.empty())
        next = received_.front().due;
    if (!toSend_.empty() && (next == 0 || toSend_.front().due < next))
        next = toSend_.front().due;
    itimerspec when{};
    if (next > 0) {
        // An absolute time already past fires at once; zero would disarm the timer instead.
        when.it_value.tv_sec = time_t(next / 1'000'000'000LL);
        when.it_value.tv_nsec = long(next % 1'000'000'000LL);
        if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0)
            when.it_value.tv_nsec = 1;
    }
    timerfd_settime(timer_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void PtyRadio::peerGone() {
    readNotifier_->setEnabled(false);
    writeNotifier_->setEnabled(false);
    received_.clear();
    toSend_.clear();
    unwritten_.clear();
    machine_.reset();
    idle_.stop();
    clock_.reset();
    arm();
    peerPoll_.start();
    Q_EMIT peerClosed();
}

void PtyRadio::closeLine() {
    peerPoll_.stop();
    for (QSocketNotifier* n : {readNotifier_, writeNotifier_}) {
        if (n)
            n->setEnabled(false);
    }
    received_.clear();
    toSend_.clear();
    unwritten_.clear();
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}
