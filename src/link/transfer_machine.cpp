#include "link/transfer_machine.h"

#include "config/error_texts.h"
#include "link/protocol.h"

#include <utility>

TransferActions TransferMachine::take() {
    TransferActions actions;
    actions.swap(out_);
    return actions;
}

// ---- events: each input becomes one event of the tables

TransferActions TransferMachine::start() {
    dispatch(Event::Start);
    return take();
}

TransferActions TransferMachine::bytesReceived(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    // The hint timer is left to run out: once anything has been heard its expiry does nothing.
    if (!heard_) {
        heard_ = true;
        if (hintShown_)
            pending_.append(Event::Heard);
    }
    if (state_ == State::BlockReply) {
        // The block reply is taken from the port as raw bytes; it never reaches the receive buffer.
        reply_ += bytes;
        dispatch(reply_.size() < Protocol::kReplySize    ? Event::Bytes
                 : reply_.size() == Protocol::kReplySize ? Event::WholeReply
                                                         : Event::LongReply);
    } else {
        buffer_.append(bytes);
        dispatch(bufferVerdict());
    }
    return take();
}

TransferActions TransferMachine::timerExpired(LinkTimer timer) {
    switch (timer) {
    case LinkTimer::WakeUpPacing:
        // Only the wake-up looks at the buffer on a tick.
        dispatch(state_ == State::Waking && !buffer_.isEmpty() ? answerVerdict() : Event::Tick);
        break;
    case LinkTimer::Drain:
        dispatch(Event::Drain);
        break;
    case LinkTimer::NoAnswerHint:
        dispatch(heard_ ? Event::LateHint : Event::Hint);
        break;
    case LinkTimer::NoResponse:
        dispatch(Event::NoResponse);
        break;
    }
    return take();
}

TransferActions TransferMachine::cancel() {
    dispatch(Event::Cancel);
    return take();
}

TransferActions TransferMachine::linkLost(const Error& error) {
    eventError_ = error;
    dispatch(Event::LinkLost);
    return take();
}

TransferActions TransferMachine::messageClosed() {
    dispatch(messages_.isEmpty() ? Event::LastMessageClosed : Event::MessageClosed);
    return take();
}

TransferActions TransferMachine::blockStored(const Error& error) {
    eventError_ = error;
    dispatch(error.isError() ? Event::StoreFailed : stepsLeft() <= 1 ? Event::LastStored : Event::Stored);
    return take();
}

// ---- judging the buffer

TransferMachine::Event TransferMachine::answerVerdict() const {
    switch (buffer_.wakeUpAnswer()) {
    case ReceiveBuffer::WakeUpAnswer::TooShort:
        return Event::Short;
    case ReceiveBuffer::WakeUpAnswer::Acknowledged:
        return Event::Ack;
    case ReceiveBuffer::WakeUpAnswer::Other:
        break;
    }
    return Event::NotAck;
}

TransferMachine::Event TransferMachine::frameVerdict() const {
    const int left = stepsLeft();
    return left <= 0 ? Event::NoFrame : left == 1 ? Event::LastFrame : Event::Frame;
}

TransferMachine::Event TransferMachine::bufferVerdict() const {
    const bool ack = buffer_.isAcknowledgement();
    switch (state_) {
    case State::AnswerArriving:
        return answerVerdict();
    case State::Completing:
        return Event::Reply; // its content is not examined
    case State::WriteModeReply:
        return frameVerdict(); // any reply will do
    case State::ReadModeAck:
    case State::BlockAck:
        return ack ? Event::Ack : Event::NotAck;
    case State::FrameAck:
        return ack ? frameVerdict() : Event::NotAck;
    case State::Idle:
    case State::Waking:
    case State::BlockReply:
    case State::Storing:
    case State::Draining:
    case State::ShowingMessages:
    case State::Finished:
        break;
    }
    return Event::Bytes;
}

// ---- running the tables

void TransferMachine::dispatch(Event event) {
    pending_.append(event);
    // A reaction may judge the buffer anew; that event waits until the one before is done.
    while (!pending_.isEmpty())
        step(pending_.takeFirst());
}

void TransferMachine::step(Event event) {
    const State from = state_;
    const Transfer::Row* row = rows_.find(from, event);
    if (!row)
        row = Transfer::Table(Transfer::kSharedRows).find(from, event);
    if (!row || row->reaction == Reaction::Unexpected) {
        unexpected(from, event);
        return;
    }
    state_ = row->next.value_or(from);
    if (!perform(row->reaction)) {
        unexpected(from, event);
        return;
    }
    if (row->next)
        enter(*row->next);
    Q_ASSERT(state_ == row->next.value_or(from));
}

void TransferMachine::enter(State state) {
    switch (state) {
    case State::ReadModeAck:
    case State::BlockAck:
    case State::WriteModeReply:
    case State::FrameAck:
        startTimer(LinkTimer::NoResponse);
        // What arrived before the wait began is its answer.
        if (!buffer_.isEmpty())
            pending_.append(bufferVerdict());
        break;
    case State::BlockReply:
        reply_.clear();
        startTimer(LinkTimer::NoResponse);
        break;
    case State::Draining:
        startTimer(LinkTimer::Drain);
        break;
    case State::Idle:
    case State::Waking:
    case State::AnswerArriving:
    case State::Completing:
    case State::Storing:
    case State::ShowingMessages:
    case State::Finished:
        break;
    }
}

void TransferMachine::unexpected(State state, Event event) {
    pending_.clear();
    const Error error{ErrorCode::Communication, ErrorText::transferTableGap(int(state), int(event))};
    closeAndFinish(ending(TransferResult::Outcome::CommunicationError, error, true));
}

bool TransferMachine::perform(Reaction reaction) {
    switch (reaction) {
    case Reaction::Ignore:
        break;
    case Reaction::WakeUpNext:
        sendWakeUpByte();
        startTimer(LinkTimer::WakeUpPacing);
        break;
    case Reaction::Complete:
        clearInput();
        buffer_.clear();
        sendByte(Protocol::kComplete);
        break;
    case Reaction::ShowHint:
        hintShown_ = true;
        caption(TransferCaption::NoAnswer);
        break;
    case Reaction::Reconnected:
        caption(TransferCaption::Connecting);
        break;
    case Reaction::NoResponse:
        stopTimer(LinkTimer::WakeUpPacing);
        stopTimer(LinkTimer::NoAnswerHint);
        reply_.clear();
        fail({TransferMessage::noResponse()},
             ending(TransferResult::Outcome::NoResponse, {ErrorCode::NoResponse, {}}));
        break;
    case Reaction::CommunicationError:
        stopTimer(LinkTimer::NoResponse);
        buffer_.clear();
        reply_.clear();
        fail({TransferMessage::communicationError()},
             ending(TransferResult::Outcome::CommunicationError, {ErrorCode::Communication, {}}));
        break;
    case Reaction::Cancel:
        stopWaiting();
        finish(ending(TransferResult::Outcome::Cancelled));
        break;
    case Reaction::Escape:
        stopWaiting();
        closeAndFinish(ending(TransferResult::Outcome::LinkLost, eventError_, true));
        break;
    case Reaction::DrainEarly:
        stopTimer(LinkTimer::Drain);
        closeAndFinish(ending(TransferResult::Outcome::Completed));
        break;
    case Reaction::Drained:
        closeAndFinish(ending(TransferResult::Outcome::Completed));
        break;
    case Reaction::NextMessage:
        act(Act::Message{messages_.takeFirst()});
        break;
    case Reaction::CloseWithEnding:
        closeAndFinish(ending_);
        break;
    default: // a direction's reaction that its class does not run
        return false;
    }
    return true;
}

// ---- pieces of reactions

void TransferMachine::sendWakeUpByte() {
    sendByte(Protocol::kWakeUp.at(wakeIndex_));
    wakeIndex_ = (wakeIndex_ + 1) % Protocol::kWakeUp.size();
}

void TransferMachine::startTimer(LinkTimer t) {
    const LinkTimings& times = options_.timings;
    const int interval = t == LinkTimer::NoResponse     ? times.noResponseMs
                         : t == LinkTimer::WakeUpPacing ? times.wakeUpPacingMs
                         : t == LinkTimer::NoAnswerHint ? times.noAnswerHintMs
                                                        : times.drainMs;
    act(Act::StartTimer{t, interval});
}

void TransferMachine::startHandshake() {
    startTimer(LinkTimer::NoResponse);
    heard_ = false;
    hintShown_ = false;
    startTimer(LinkTimer::NoAnswerHint);
    wakeIndex_ = 0;
    sendWakeUpByte();
    startTimer(LinkTimer::WakeUpPacing);
}

void TransferMachine::takeReply() {
    buffer_.clear();
    stopTimer(LinkTimer::NoResponse);
}

void TransferMachine::takeAck() {
    stopTimer(LinkTimer::NoResponse);
    buffer_.clear();
    clearInput();
}

QByteArray TransferMachine::takeBlock() {
    stopTimer(LinkTimer::NoResponse);
    return std::exchange(reply_, {});
}

void TransferMachine::stopWaiting() {
    stopTimer(LinkTimer::NoResponse);
    stopTimer(LinkTimer::WakeUpPacing);
    stopTimer(LinkTimer::NoAnswerHint);
}

void TransferMachine::fail(QList<TransferMessage> messages, const TransferResult& result) {
    Q_ASSERT(!messages.isEmpty());
    act(Act::Message{messages.takeFirst()});
    messages_ = std::move(messages);
    ending_ = result;
}

void TransferMachine::closeAndFinish(const TransferResult& result) {
    act(Act::ClosePort{});
    finish(result);
}

void TransferMachine::finish(const TransferResult& result) {
    for (LinkTimer t : kLinkTimers)
        stopTimer(t);
    state_ = State::Finished;
    result_ = result;
    act(Act::Finished{result});
}
