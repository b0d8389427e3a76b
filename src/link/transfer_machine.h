#pragma once

#include <QList>

#include "link/link_timing.h"
#include "link/receive_buffer.h"
#include "link/transfer_action.h"
#include "link/transfer_table.h"

// A transfer consumes events and returns the actions they cause; it owns no port, no timer and no widget,
// so it can be wired to a radio machine with no I/O at all. This class holds what the read and the write
// share: the handshake, the waits for a reply, the no-response timer, cancel, a lost link, the messages,
// the drain and the end. ReadTransfer and WriteTransfer add their own rows.
//
// Reading the tables: a row says that in any of the states `from`, the event moves the machine to `next`
// (kStay: where it is) and runs the reaction. The direction's table is searched first, then this one;
// every (state, event) has exactly one row. Entering a wait for the radio (re)starts the no-response timer
// and judges what the buffer already holds; entering BlockReply empties the reply; entering Draining
// starts the drain timer. fail(M, R) shows the messages M one by one (ShowingMessages), then closes the
// port and finishes with result R. Bytes are judged as the state waits for them: in the answer wait (and
// on a pacing tick while waking) Short, Ack or NotAck; in an acknowledgement wait Ack or NotAck.
namespace Transfer {
// clang-format off
inline constexpr Row kSharedRows[] = {
    // from                                  event                 next                reaction
    {except(in(S::Idle)),                    E::Start,             kStay,              R::Ignore},
    {except(in(S::Finished)),                E::Heard,             kStay,              R::Reconnected},
    {in(S::Finished),                        E::Heard,             kStay,              R::Ignore},
    // outside the waits, bytes stay in the buffer for the next wait to judge
    {in(S::Idle, S::Waking, S::BlockReply, S::Storing, S::Draining, S::ShowingMessages, S::Finished),
                                             E::Bytes,             kStay,              R::Ignore},
    {in(S::Waking, S::AnswerArriving),       E::Short,             S::AnswerArriving,  R::Ignore},
    {in(S::Waking, S::AnswerArriving),       E::Ack,               S::Completing,      R::Complete},
    // not an answer we know: the wake-up goes on where it stopped and the buffer keeps what it has
    {in(S::Waking, S::AnswerArriving),       E::NotAck,            S::Waking,          R::WakeUpNext},
    {kAckWaits,                              E::NotAck,            S::ShowingMessages, R::CommunicationError},
    // more than 12 bytes cannot be a block; taking any 12 of them would store garbage as data
    {in(S::BlockReply),                      E::LongReply,         S::ShowingMessages, R::CommunicationError},
    {except(in(S::Storing)),                 E::Stored,            kStay,              R::Ignore},
    {except(in(S::Storing)),                 E::LastStored,        kStay,              R::Ignore},
    {except(in(S::Storing)),                 E::StoreFailed,       kStay,              R::Ignore},
    {in(S::Waking),                          E::Tick,              S::Waking,          R::WakeUpNext},
    {except(in(S::Waking)),                  E::Tick,              kStay,              R::Ignore},
    {in(S::Waking),                          E::Hint,              kStay,              R::ShowHint},
    {except(in(S::Waking)),                  E::Hint,              kStay,              R::Ignore},
    {kEveryState,                            E::LateHint,          kStay,              R::Ignore},
    // a silent or half-answering radio cannot hold the transfer forever
    {kWaitsForRadio,                         E::NoResponse,        S::ShowingMessages, R::NoResponse},
    {except(kWaitsForRadio),                 E::NoResponse,        kStay,              R::Ignore},
    {in(S::Draining),                        E::Drain,             S::Finished,        R::Drained},
    {except(in(S::Draining)),                E::Drain,             kStay,              R::Ignore},
    // the port stays open: the face that cancelled closes it once its window has gone
    {kInterruptible,                         E::Cancel,            S::Finished,        R::Cancel},
    // everything has been sent: the transfer ends as it would have a moment later
    {in(S::Draining),                        E::Cancel,            S::Finished,        R::DrainEarly},
    {in(S::Draining),                        E::LinkLost,          S::Finished,        R::DrainEarly},
    // the transfer ends when the user has closed the messages
    {in(S::ShowingMessages, S::Finished),    E::Cancel,            kStay,              R::Ignore},
    {in(S::ShowingMessages, S::Finished),    E::LinkLost,          kStay,              R::Ignore},
    {in(S::ShowingMessages),                 E::MessageClosed,     S::ShowingMessages, R::NextMessage},
    {except(in(S::ShowingMessages)),         E::MessageClosed,     kStay,              R::Ignore},
    {in(S::ShowingMessages),                 E::LastMessageClosed, S::Finished,        R::CloseWithEnding},
    {except(in(S::ShowingMessages)),         E::LastMessageClosed, kStay,              R::Ignore},
    // judgements no state but those above (and the directions') ever makes
    {in(S::AnswerArriving, S::Completing, S::ReadModeAck, S::BlockAck, S::WriteModeReply, S::FrameAck),
                                             E::Bytes,             S::Finished,        R::Unexpected},
    {except(in(S::Waking, S::AnswerArriving)),
                                             E::Short,             S::Finished,        R::Unexpected},
    {except(in(S::Waking, S::AnswerArriving, S::ReadModeAck, S::BlockAck)),
                                             E::Ack,               S::Finished,        R::Unexpected},
    {except(in(S::Waking, S::AnswerArriving) | kAckWaits),
                                             E::NotAck,            S::Finished,        R::Unexpected},
    {except(in(S::Completing)),              E::Reply,             S::Finished,        R::Unexpected},
    {except(in(S::WriteModeReply, S::FrameAck)),
                                             E::Frame,             S::Finished,        R::Unexpected},
    {except(in(S::WriteModeReply, S::FrameAck)),
                                             E::LastFrame,         S::Finished,        R::Unexpected},
    {except(in(S::WriteModeReply)),          E::NoFrame,           S::Finished,        R::Unexpected},
    {except(in(S::BlockReply)),              E::WholeReply,        S::Finished,        R::Unexpected},
    {except(in(S::BlockReply)),              E::LongReply,         S::Finished,        R::Unexpected},
};
// clang-format on
} // namespace Transfer

class TransferMachine {
public:
    struct Options {
        LinkTimings timings;
    };

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
    using State = Transfer::State;
    using Event = Transfer::Event;
    using Reaction = Transfer::Reaction;

    // `rows`: the direction's table, searched before the shared one.
    TransferMachine(Options options, Transfer::Table rows) : options_(options), rows_(rows) {}

    // Runs a reaction of the direction's table, handing the shared ones to this class; false for a
    // reaction no class runs.
    virtual bool perform(Reaction reaction);
    // Blocks (read) or frames (write) still to move, counting the one the current event lets go.
    virtual int stepsLeft() const = 0;
    // The result of an end decided now.
    virtual TransferResult ending(TransferResult::Outcome outcome, const Error& error = {},
                                  bool escaped = false) const = 0;
    // What the current event carries: the lost link's or the store's error.
    const Error& eventError() const { return eventError_; }

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

    // The pieces of reactions.
    void startHandshake();
    void takeReply();       // any reply: the buffer emptied, the no-response timer stopped
    void takeAck();         // an acknowledgement: the same, and the port's input cleared
    QByteArray takeBlock(); // the 12 bytes of a block reply
    void stopWaiting();     // a cancel or a lost link: the timers of the waits stopped
    void fail(QList<TransferMessage> messages, const TransferResult& result);
    void closeAndFinish(const TransferResult& result);

private:
    TransferActions take();
    void dispatch(Event event);
    void step(Event event);
    void enter(State state);
    Event answerVerdict() const;
    Event bufferVerdict() const;
    Event frameVerdict() const;
    void unexpected(State state, Event event);
    void sendWakeUpByte();
    void finish(const TransferResult& result);

    Options options_;
    Transfer::Table rows_;
    State state_ = State::Idle;
    QList<Event> pending_; // events waiting for the current one to be done
    Error eventError_;
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
