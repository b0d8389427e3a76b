#pragma once

#include <functional>
#include <memory>

namespace Cli {

// The ways a user asks a running command to stop: Ctrl+C, a polite kill, closing the terminal it runs
// in. While an object of this class lives, each of them becomes a call of `onStop` from the event loop
// instead of the end of the process, so that a transfer stops cleanly and keeps its backup and trace.
// What differs between systems lives in one file per platform (stop_signals_<platform>.cpp).
class StopSignals {
public:
    explicit StopSignals(std::function<void()> onStop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

} // namespace Cli
