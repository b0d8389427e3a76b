#include "cli/stop_signals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace Cli {

namespace {

// SIGHUP too: a terminal closed mid-transfer must not cost the backup and the trace.
constexpr std::array<int, 3> kStopSignals{SIGINT, SIGTERM, SIGHUP};

// A signal handler may do next to nothing: it writes a byte that the event loop reads.
int stopPipe[2] = {-1, -1};

void onStopSignal(int) {
    const int saved = errno;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &b, 1);
    errno = saved;
}

} // namespace

struct StopSignals::Watch {
    std::unique_ptr<QSocketNotifier> notifier;
    std::array<struct sigaction, kStopSignals.size()> previous{};
};

StopSignals::StopSignals(std::function<void()> onStop) {
    if (::pipe(stopPipe) != 0)
        return;
    // A full pipe drops the byte instead of blocking the handler; one byte waiting is enough.
    ::fcntl(stopPipe[1], F_SETFL, ::fcntl(stopPipe[1], F_GETFL) | O_NONBLOCK);
    watch_ = std::make_unique<Watch>();
    watch_->notifier = std::make_unique<QSocketNotifier>(stopPipe[0], QSocketNotifier::Read);
    QObject::connect(watch_->notifier.get(), &QSocketNotifier::activated, [onStop = std::move(onStop)] {
        char b;
        [[maybe_unused]] const ssize_t n = ::read(stopPipe[0], &b, 1);
        onStop();
    });
    struct sigaction sa = {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &sa, &watch_->previous[i]);
}

StopSignals::~StopSignals() {
    if (!watch_)
        return;
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &watch_->previous[i], nullptr);
    watch_.reset();
    ::close(stopPipe[0]);
    ::close(stopPipe[1]);
    stopPipe[0] = stopPipe[1] = -1;
}

} // namespace Cli
