#include "link/fleet_run.h"

FleetRun::FleetRun(const RadioDocument& document, const QStringList& devices, const FleetOptions& options,
                   int count, QObject* parent)
    : QObject(parent), count_(count) {
    for (const QString& device : devices) {
        auto* loop = new FleetLoop(
            device, document, options, [this] { return claim(); }, this);
        const int index = loops_.size();
        loops_ << loop;
        connect(loop, &FleetLoop::statusChanged, this,
                [this, index](const FleetPortStatus& s) { Q_EMIT portChanged(index, s); });
        connect(loop, &FleetLoop::radioFinished, this, [this](const FleetRecord& r) {
            records_ << r;
            succeeded_ += r.succeeded() ? 1 : 0;
            Q_EMIT radioFinished(r);
            // The last radio asked for is done: nobody waits for the others to come or go.
            if (count_ > 0 && claimed_ >= count_ && busy() == 0)
                stop();
        });
        connect(loop, &FleetLoop::ended, this, &FleetRun::loopEnded);
    }
}

void FleetRun::start() {
    started_ = true;
    if (loops_.isEmpty()) {
        loopEnded();
        return;
    }
    for (FleetLoop* loop : std::as_const(loops_))
        loop->start();
}

int FleetRun::claim() {
    if (count_ > 0 && claimed_ >= count_)
        return 0;
    return ++claimed_;
}

void FleetRun::stop() {
    for (FleetLoop* loop : std::as_const(loops_))
        loop->stop();
}

void FleetRun::stopNow() {
    for (FleetLoop* loop : std::as_const(loops_))
        loop->stopNow();
}

int FleetRun::busy() const {
    int n = 0;
    for (const FleetLoop* loop : loops_)
        n += loop->status().phase == FleetPortStatus::Phase::Writing ? 1 : 0;
    return n;
}

bool FleetRun::isFinished() const {
    for (const FleetLoop* loop : loops_) {
        if (!loop->isEnded())
            return false;
    }
    return started_;
}

void FleetRun::loopEnded() {
    if (!isFinished() || finishedSent_)
        return;
    finishedSent_ = true;
    Q_EMIT finished();
}
