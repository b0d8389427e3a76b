#pragma once

#include <QObject>
#include <QVector>
#include <functional>
#include <memory>

#include "link/transfer_action.h"

class QTimer;
class SerialPort;
class TransferDriver;
class TransferMachine;
class TransferTrace;

// A read or a write as the faces run it: one procedure around a transfer machine, driven on an open port in
// the Qt event loop. The faces show its captions, progress and messages (worded by texts/transfer_texts.h)
// and answer each message with messageClosed; they never see the machine itself.
class TransferJob : public QObject {
    Q_OBJECT
public:
    ~TransferJob() override;

    // Starts the first machine after `delayMs` (the progress window's half second, which lets the window
    // show first); a hold holds that wait too, and a cancel ends it.
    void start(int delayMs = 0);
    void cancel();
    void messageClosed();
    // Holds the transfer while the user decides whether to cancel it (see TransferDriver::pause).
    void pause();
    void resume();

    // Every machine of the job notes its bytes, timers and cancels here; the trace must outlive the job.
    void setTrace(TransferTrace* trace);

    bool isRunning() const;
    bool isFinished() const;
    const TransferResult& result() const;

    // The stages of the job in order (a read: one), and the one under way.
    virtual QVector<TransferStage> stages() const { return {TransferStage::Read}; }
    virtual int stageIndex() const { return 0; }

Q_SIGNALS:
    // A stage's machine starts: a face shows which, and its progress from the start.
    void stageStarted(int index);
    void captionChanged(TransferCaption caption);
    void progressChanged(double value, int maximum);
    void messageRequested(const TransferMessage& message);
    void finished(const TransferResult& result);

protected:
    TransferJob(SerialPort& port, QObject* parent);
    // The machine of this job; `sink` receives the block replies of a read.
    void setMachine(std::unique_ptr<TransferMachine> machine,
                    std::function<Error(const QByteArray&)> sink = nullptr);

    // A job of several machines, one after another on the same port: when one has finished, the job sets
    // the next one (not from within this call: the driver that reports the end must not be replaced while
    // it does) and starts it with startMachine(), or ends with endJob(). The default ends the job with the
    // machine's result. A cancel between two machines arrives here as a cancelled result.
    virtual void machineFinished(const TransferResult& result);
    void startMachine();
    // Waits `ms`, the pause that lets the radio settle into waiting for a wake-up, then calls gapOver();
    // the wait is held while the job is held and ends with a cancel.
    void startMachineAfter(int ms);
    // The pause before the next machine is over: set it and start it.
    virtual void gapOver() {}
    void startFirst();
    void endJob(const TransferResult& result);
    SerialPort& port() const { return port_; }

private:
    SerialPort& port_;
    std::unique_ptr<TransferMachine> machine_;
    std::unique_ptr<TransferDriver> driver_;
    TransferTrace* trace_ = nullptr;
    bool started_ = false;
    bool ended_ = false;
    bool paused_ = false;
    bool startHeld_ = false;    // the next machine waits for the end of a hold
    bool firstPending_ = false; // the wait before the first machine is under way
    QTimer* stageGap_;          // the pause before the next machine
    int gapLeftMs_ = -1;        // what a hold left of that pause; -1: none held
    TransferResult result_;
};
