#include "cli/stop_signals.h"

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <windows.h>

namespace Cli {

namespace {

// The console calls its handler on a thread of its own: the call goes to the event loop through a
// queued invocation, under a lock so that the watch cannot end while it is posted.
std::mutex watchLock;
std::condition_variable watchEnded;
QObject* stopContext = nullptr;
std::function<void()> stopCall;

BOOL WINAPI onConsoleEvent(DWORD event) {
    std::unique_lock<std::mutex> lock(watchLock);
    if (!stopContext)
        return FALSE;
    QMetaObject::invokeMethod(stopContext, stopCall, Qt::QueuedConnection);
    // A closed console ends the process as soon as this returns (and 5 s later at most): wait for the
    // transfer to stop.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        watchEnded.wait_for(lock, std::chrono::seconds(4), [] { return stopContext == nullptr; });
    return TRUE;
}

} // namespace

struct StopSignals::Watch {
    QObject context;
};

StopSignals::StopSignals(std::function<void()> onStop) : watch_(std::make_unique<Watch>()) {
    {
        const std::lock_guard<std::mutex> lock(watchLock);
        stopContext = &watch_->context;
        stopCall = std::move(onStop);
    }
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

StopSignals::~StopSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    {
        const std::lock_guard<std::mutex> lock(watchLock);
        stopContext = nullptr;
        stopCall = nullptr;
    }
    watchEnded.notify_all();
}

} // namespace Cli
