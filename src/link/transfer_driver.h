#pragma once

#include <QObject>
#include <QQueue>
#include <QTimer>
#include <functional>

#include "link/transfer_machine.h"

class SerialPort;
class TransferTrace;

// Runs a transfer machine in the Qt event loop: its bytes go to the port, the port's bytes and the
// timers' expiries come back as events. Actions are carried out strictly in order; events that arrive
// while a face handles a signal (a modal message box runs its own loop) queue behind them.
// The faces word captionChanged and messageRequested (see texts/transfer_texts.h), show the message and
// answer with messageClosed; they must not delete the driver from one of its signals.
class TransferDriver : public QObject {
    Q_OBJECT
public:
    TransferDriver(SerialPort& port, TransferMachine& machine, QObject* parent = nullptr);
    ~TransferDriver() override;

    // Where StoreBlock goes (the received file); without a sink every block is taken as stored.
    void setBlockSink(std::function<Error(const QByteArray&)> sink) { sink_ = std::move(sink); }
    // Where every byte, timer expiry, cancel and lost link is noted; none by default. Must outlive the
    // driver.
    void setTrace(TransferTrace* trace) { trace_ = trace; }

    void start();
    void cancel();
    void messageClosed();
    // Holds the transfer where it stands while the user is asked whether to cancel: nothing more is sent,
    // the timers keep what they had left, and what the radio sends waits. A cancel ends the hold.
    void pause();
    void resume();

    bool isRunning() const { return running_; }
    bool isFinished() const { return finished_; }
    const TransferResult& result() const { return result_; }

Q_SIGNALS:
    void captionChanged(TransferCaption caption);
    void progressChanged(double value, int maximum);
    void bytesSent(int count);
    void messageRequested(const TransferMessage& message);
    void finished(const TransferResult& result);

private:
    void dispatch(const TransferActions& actions);
    void drain();
    void onReceived(const QByteArray& bytes);
    void onLinkLost(const Error& error);
    void execute(const Act::Send& a);
    void execute(const Act::ClearInput& a);
    void execute(const Act::StartTimer& a);
    void execute(const Act::StopTimer& a);
    void execute(const Act::Caption& a);
    void execute(const Act::Progress& a);
    void execute(const Act::Message& a);
    void execute(const Act::StoreBlock& a);
    void execute(const Act::ClosePort& a);
    void execute(const Act::Finished& a);
    QTimer& timer(LinkTimer t) {
        switch (t) {
        case LinkTimer::NoResponse:
            return noResponse_;
        case LinkTimer::WakeUpPacing:
            return pacing_;
        case LinkTimer::NoAnswerHint:
            return hint_;
        case LinkTimer::Drain:
            break;
        }
        return drain_;
    }
    void expired(LinkTimer t);

    SerialPort& port_;
    TransferMachine& machine_;
    std::function<Error(const QByteArray&)> sink_;
    QTimer noResponse_;
    QTimer pacing_;
    QTimer drain_;
    QTimer hint_;
    TransferTrace* trace_ = nullptr;
    QQueue<TransferAction> queue_;
    QList<QMetaObject::Connection> connections_;
    bool draining_ = false;
    bool paused_ = false;
    // Resumed, and nothing has arrived from the port since: a radio silent now went quiet during the hold.
    bool quietSinceResume_ = false;
    QByteArray heldInput_;                    // what the radio sent during a hold
    Error heldLinkLoss_;                      // a link lost during a hold
    QList<QPair<LinkTimer, int>> heldTimers_; // the timers a hold stopped, with the ms they had left
    bool running_ = false;
    bool finished_ = false;
    TransferResult result_;
};
