#pragma once

#include <QList>
#include <functional>

#include "link/link_timing.h"
#include "link/receive_buffer.h"
#include "link/transfer_action.h"

// The common part of the read and the write: the programming-mode handshake, the acknowledgement wait,
// the no-response timer and the messages. A transfer consumes events and returns the actions they cause;
// it owns no port, no timer and no widget, so it can be wired to a radio machine with no I/O at all.
class TransferMachine {
public:
    struct Options {
        LinkTimings timings;
        QString applicationTitle = QStringLiteral("RadioCPS"); // caption of "通信错误"
    };

    explicit TransferMachine(Options options) : options_(std::move(options)) {}
    virtual ~TransferMachine() = default;
    TransferMachine(const TransferMachine&) = delete;
    TransferMachine& operator=(const TransferMachine&) = delete;

    TransferActions start();
    TransferActions bytesReceived(const QByteArray& bytes);
    TransferActions timerExpired(LinkTimer timer);
    TransferActions cancel();
    TransferActions messageClosed();
    // The port reported that the link is gone (cable pulled, adapter removed).
    TransferActions linkLost(const Error& error);
    // The answer to StoreBlock.
    TransferActions blockStored(const Error& error);

    bool isFinished() const { return finished_; }
    bool isWaitingForMessage() const { return wait_ == Wait::Message; }
    const ReceiveBuffer& receiveBuffer() const { return buffer_; }
    const TransferResult& result() const { return result_; }

protected:
    enum class Wait {
        None,
        WakeTick,      // cycling the wake-up bytes, looking at the buffer at every pacing tick
        WakeMore,      // the radio answered; waiting for more than two characters
        CompleteReply, // 4D sent; any reply completes programming mode
        ModeReply,     // the write-mode byte sent; any reply will do
        Ack,           // WaitForAck
        BlockReply,    // a read request sent; exactly 12 bytes expected
        Store,         // StoreBlock asked for, blockStored not yet answered
        Message,       // a message is shown
        Drain,         // the last bytes are on their way; then `then` runs
    };

    // Hooks of the two directions.
    virtual void begin() = 0;
    virtual void handshakeDone() = 0;
    virtual void modeReplied() {}
    virtual void acknowledged() = 0;
    virtual void blockReplied(const QByteArray&) {}
    virtual void stored(const Error&) {}
    // Failures: the hook finishes the transfer (after its own messages).
    virtual void notAcknowledged() = 0;    // "通信错误" shown, port closed
    virtual void noResponse() = 0;         // the no-response message shown
    virtual void cancelled() = 0;          // timers stopped
    virtual void lost(const Error& e) = 0; // timers stopped
    virtual void replyTooLong() {}         // more than 12 bytes for a block

    // Helpers for the hooks.
    void emitAction(TransferAction a) { out_.append(std::move(a)); }
    void send(const QByteArray& bytes) { out_.append(TransferAction::send(bytes)); }
    void sendByte(char b) { send(QByteArray(1, b)); }
    void caption(const QString& text);
    void progress(double value, int maximum);
    void clearInput() { out_.append(TransferAction::of(TransferAction::Kind::ClearInput)); }
    void closePort() { out_.append(TransferAction::of(TransferAction::Kind::ClosePort)); }
    void startTimer(LinkTimer t);
    void stopTimer(LinkTimer t);
    void startHandshake();
    void waitForAck();
    void waitForModeReply();
    void waitForBlockReply();
    void storeBlock(const QByteArray& reply);
    // Lets the bytes sent last leave the port, then runs `then` (which finishes the transfer).
    void drainThen(std::function<void()> then);
    // Shows the messages one after the other, then runs `then`.
    void showMessages(QList<LinkMessage> messages, std::function<void()> then);
    void finish(TransferResult result);
    void clearBuffer() { buffer_.clear(); }
    LinkMessage communicationErrorMessage() const;
    const Options& options() const { return options_; }
    bool wasCancelled() const { return cancelled_; }

private:
    TransferActions take();
    void sendWakeUpByte();
    void wakeUpTick();
    void examineAnswer();
    void onBuffer();
    void endDrain();
    // Stops the wait in progress. True when the transfer was only draining and has now ended as it would
    // have; false when the caller must end it.
    bool stopWaiting();

    Options options_;
    ReceiveBuffer buffer_;
    QByteArray reply_;
    Wait wait_ = Wait::None;
    int wakeIndex_ = 0;
    bool started_ = false;
    bool finished_ = false;
    bool cancelled_ = false;
    QList<LinkMessage> messages_;
    std::function<void()> afterMessages_;
    std::function<void()> afterDrain_;
    TransferActions out_;
    TransferResult result_;
};
