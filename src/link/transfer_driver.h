#pragma once

#include <QObject>
#include <QQueue>
#include <QTimer>
#include <functional>

#include "link/transfer_machine.h"

class SerialPort;

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

    void start();
    void cancel();
    void messageClosed();
    // Holds the transfer where it stands while the user is asked whether to cancel: nothing more is sent,
    // the timers keep what they had left, and what the radio sends waits. A cancel ends the hold.
    void pause();
    void resume();

    bool isRunning() const { return running_; }
    bool isPaused() const { return paused_; }
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
        return t == LinkTimer::NoResponse ? noResponse_ : t == LinkTimer::WakeUpPacing ? pacing_ : drain_;
    }

    SerialPort& port_;
    TransferMachine& machine_;
    std::function<Error(const QByteArray&)> sink_;
    QTimer noResponse_;
    QTimer pacing_;
    QTimer drain_;
    QQueue<TransferAction> queue_;
    QList<QMetaObject::Connection> connections_;
    bool draining_ = false;
    bool paused_ = false;
    QByteArray heldInput_;                    // what the radio sent during a hold
    Error heldLinkLoss_;                      // a link lost during a hold
    QList<QPair<LinkTimer, int>> heldTimers_; // the timers a hold stopped, with the ms they had left
    bool running_ = false;
    bool finished_ = false;
    TransferResult result_;
};
