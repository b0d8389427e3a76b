#pragma once

#include <QList>

#include "link/link_timing.h"
#include "link/receive_buffer.h"
#include "link/transfer_action.h"

// A transfer consumes events and returns the actions they cause; it owns no port, no timer and no widget,
// so it can be wired to a radio machine with no I/O at all. This class holds what the read and the write
// share: the handshake, the waits for a reply, the no-response timer, cancel, a lost link, the messages,
// the drain and the end. ReadTransfer and WriteTransfer add their own states (tables in their headers).
//
// "ack" is a receive buffer holding a '6' (see ReceiveBuffer), judged as soon as the buffer is not empty.
// fail(M, R): show the messages M one by one, then close the port and finish with result R.
//
//  state           waits for               event               actions                 next state
//  --------------  ----------------------  ------------------  ----------------------  ---------------
//  Idle            start                   start               caption Connecting,     Waking
//                                                              first wake-up byte
//  Waking          a pacing tick           tick, buffer empty  next wake-up byte       Waking
//                                          tick, buffer holds  judge it as below       AnswerArriving
//                                          hint timer, nothing caption NoAnswer        Waking
//                                          heard yet
//  AnswerArriving  more than two           > 2, ack            clear input, send 4D    Completing
//                  characters              > 2, no ack         next wake-up byte       Waking
//  Completing      any reply to 4D         bytes               the mode byte           ReadModeAck or
//                                                                                      WriteModeReply
//  (an ack wait)   an acknowledgement      bytes, no ack       fail(communication error)
//  Draining        the drain timer         expired             close port, finish      Finished
//                                                              completed
//  ShowingMessages the user                message closed      the next message        ShowingMessages
//                                          last one closed     close port, finish      Finished
//                                                              with the fail's result
//  Finished        nothing                 any                 none                    Finished
//
// The hint timer starts with the first wake-up byte; it says NoAnswer only when no byte of any kind has
// arrived by then, and bytes after the hint put the caption back to Connecting.
// In every state that waits for the radio (Waking ... FrameAck, but not Storing):
//   no-response timer expired -> fail(no response)
// In every state but ShowingMessages and Finished:
//   cancel    -> stop the timers, finish cancelled (the caller closes the port)
//   link lost -> stop the timers, then the direction's failure
// ... except Draining, where everything has been sent: both close the port and finish completed.
// ShowingMessages ignores cancel and link lost: the transfer ends when the user has closed the messages.
class TransferMachine {
public:
    struct Options {
        LinkTimings timings;
    };

    explicit TransferMachine(Options options) : options_(options) {}
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

    bool isFinished() const { return state_ == State::Finished; }
    const ReceiveBuffer& receiveBuffer() const { return buffer_; }
    const TransferResult& result() const { return result_; }

protected:
    enum class State {
        Idle,
        // the handshake
        Waking,         // cycling the wake-up bytes; the buffer is looked at on every pacing tick
        AnswerArriving, // the radio answered; waiting for more than two characters
        Completing,     // 4D sent; any reply completes programming mode
        // the read
        ReadModeAck, // 05 sent; waiting for its acknowledgement
        BlockReply,  // a read request sent; exactly 12 raw bytes expected
        Storing,     // StoreBlock asked for; waiting for blockStored
        BlockAck,    // the tool's 06 after a block sent; waiting for the radio's acknowledgement
        // the write
        WriteModeReply, // 0A sent; any reply will do
        FrameAck,       // a frame sent; waiting for its acknowledgement
        // the end
        Draining,        // the last bytes are on their way out; then close the port and finish completed
        ShowingMessages, // a message is on screen; then the next one, or close the port and finish
        Finished,
    };

    // The direction's transitions. Each leaves the machine in its next state: a wait, Draining,
    // ShowingMessages or Finished.
    virtual void begin() = 0;                       // Idle, start
    virtual void handshakeDone() = 0;               // Completing, any reply
    virtual void acknowledged(State wait) = 0;      // ReadModeAck, BlockAck or FrameAck, ack
    virtual void modeReplied() {}                   // WriteModeReply, any reply
    virtual void blockReplied(const QByteArray&) {} // BlockReply, 12 bytes
    virtual void stored(const Error&) {}            // Storing, blockStored
    virtual void linkFailed(const Error& e) = 0;    // link lost in a wait; the timers are stopped
    // The result of an end decided now.
    virtual TransferResult ending(TransferResult::Outcome outcome, const Error& error = {},
                                  bool escaped = false) const = 0;

    // The actions.
    void act(TransferAction a) { out_.append(std::move(a)); }
    void send(const QByteArray& bytes) { act(Act::Send{bytes}); }
    void sendByte(char b) { send(QByteArray(1, b)); }
    void caption(TransferCaption c) { act(Act::Caption{c}); }
    void progress(double value, int maximum) { act(Act::Progress{value, maximum}); }
    void clearInput() { act(Act::ClearInput{}); }
    void startTimer(LinkTimer t);
    void stopTimer(LinkTimer t) { act(Act::StopTimer{t}); }
    void clearBuffer() { buffer_.clear(); }

    // The moves into a state.
    void startHandshake();                    // -> Waking
    void awaitAck(State wait);                // -> ReadModeAck, BlockAck or FrameAck
    void awaitModeReply();                    // -> WriteModeReply
    void awaitBlockReply();                   // -> BlockReply
    void storeBlock(const QByteArray& reply); // -> Storing
    void drain();                             // -> Draining
    void fail(QList<TransferMessage> messages, const TransferResult& result); // -> ShowingMessages
    // Ends a wait from outside (cancel, lost link). False when there is nothing more to do: no wait was
    // running, or everything had been sent and the transfer has now completed.
    bool interruptWait();
    void closeAndFinish(const TransferResult& result); // -> Finished

private:
    TransferActions take();
    void judgeBuffer();
    void judgeAnswer();
    void judgeAck();
    void sendWakeUpByte();
    void noResponse();
    void finish(const TransferResult& result); // -> Finished
    bool waitsForRadio() const;

    Options options_;
    State state_ = State::Idle;
    ReceiveBuffer buffer_;
    QByteArray reply_; // BlockReply: the raw bytes so far
    int wakeIndex_ = 0;
    bool heard_ = false;              // a byte of any kind has arrived since the wake-up began
    bool hintShown_ = false;          // the caption says NoAnswer
    QList<TransferMessage> messages_; // ShowingMessages: the ones still to show
    TransferResult ending_;           // ShowingMessages: the result once they are closed
    TransferActions out_;
    TransferResult result_;
};
