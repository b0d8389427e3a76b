#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include "link/fleet_loop.h"

// Fleet programming: one FleetLoop per port, all in this event loop (each port's work is a few bytes every
// few milliseconds; a thread per port would buy nothing). The run numbers the radios in the order they
// answer, stops claiming new ones after `count` (0: no limit), and has finished when every port has ended.
class FleetRun : public QObject {
    Q_OBJECT
public:
    FleetRun(const RadioDocument& document, const QStringList& devices, const FleetOptions& options,
             int count = 0, QObject* parent = nullptr);

    void start();
    // Every radio being written finishes (or stops, with stopNow), then the ports end.
    void stop();
    void stopNow();

    int portCount() const { return loops_.size(); }
    const FleetLoop& port(int index) const { return *loops_.at(index); }
    bool isRunning() const { return started_ && !isFinished(); }
    bool isFinished() const;
    // Radios being written now.
    int busy() const;
    const QList<FleetRecord>& records() const { return records_; }
    int succeeded() const { return succeeded_; }
    int failed() const { return records_.size() - succeeded_; }

Q_SIGNALS:
    void portChanged(int port, const FleetPortStatus& status);
    void radioFinished(const FleetRecord& record);
    void finished();

private:
    int claim();
    void loopEnded();

    QList<FleetLoop*> loops_;
    QList<FleetRecord> records_;
    int count_ = 0;
    int claimed_ = 0;
    int succeeded_ = 0;
    bool started_ = false;
    bool finishedSent_ = false;
};
