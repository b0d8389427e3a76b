#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP quit the event loop instead of the process, so that the memory is saved and
// the link removed on the way out. The handler writes a byte to a pipe the event loop reads.
class QuitOnSignals {
public:
    QuitOnSignals();
    ~QuitOnSignals();
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

    bool isWatching() const { return notifier_ != nullptr; }

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};
