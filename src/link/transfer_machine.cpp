#include "link/transfer_machine.h"

#include "link/protocol.h"

TransferActions TransferMachine::take() {
    TransferActions actions;
    actions.swap(out_);
    return actions;
}

bool TransferMachine::waitsForRadio() const {
    switch (state_) {
    case State::Waking:
    case State::AnswerArriving:
    case State::Completing:
    case State::ReadModeAck:
    case State::BlockReply:
    case State::BlockAck:
    case State::WriteModeReply:
    case State::FrameAck:
        return true;
    case State::Idle:
    case State::Storing:
    case State::Draining:
    case State::ShowingMessages:
    case State::Finished:
        break;
    }
    return false;
}

// ---- events

TransferActions TransferMachine::start() {
    if (state_ != State::Idle)
        return {};
    begin();
    return take();
}

TransferActions TransferMachine::bytesReceived(const QByteArray& bytes) {
    if (state_ == State::Finished || bytes.isEmpty())
        return {};
    // The hint timer is left to run out: once anything has been heard its expiry does nothing.
    if (!heard_) {
        heard_ = true;
        if (hintShown_)
            caption(TransferCaption::Connecting);
    }
    if (state_ != State::BlockReply) {
        // Outside the waits the bytes stay in the buffer; the next wait judges them.
        buffer_.append(bytes);
        judgeBuffer();
        return take();
    }
    // The block reply is taken from the port as raw bytes; it never reaches the receive buffer.
    reply_ += bytes;
    if (reply_.size() == Protocol::kReplySize) {
        stopTimer(LinkTimer::NoResponse);
        const QByteArray reply = reply_;
        reply_.clear();
        blockReplied(reply);
    } else if (reply_.size() > Protocol::kReplySize) {
        // More than 12 bytes cannot be a block; taking any 12 of them would store garbage as data.
        stopTimer(LinkTimer::NoResponse);
        reply_.clear();
        fail({TransferMessage::communicationError()},
             ending(TransferResult::Outcome::CommunicationError, {ErrorCode::Communication, {}}));
    }
    return take();
}

TransferActions TransferMachine::timerExpired(LinkTimer timer) {
    switch (timer) {
    case LinkTimer::WakeUpPacing:
        if (state_ != State::Waking)
            break;
        if (buffer_.isEmpty()) {
            sendWakeUpByte();
            startTimer(LinkTimer::WakeUpPacing);
        } else {
            state_ = State::AnswerArriving;
            judgeAnswer();
        }
        break;
    case LinkTimer::Drain:
        if (state_ == State::Draining)
            closeAndFinish(ending(TransferResult::Outcome::Completed));
        break;
    case LinkTimer::NoAnswerHint:
        if (state_ == State::Waking && !heard_) {
            hintShown_ = true;
            caption(TransferCaption::NoAnswer);
        }
        break;
    case LinkTimer::NoResponse:
        // Every wait ends here, so that a silent or half-answering radio cannot hold the transfer forever.
        if (waitsForRadio())
            noResponse();
        break;
    }
    return take();
}

bool TransferMachine::interruptWait() {
    switch (state_) {
    case State::ShowingMessages: // the transfer ends when the messages are closed
    case State::Finished:
        return false;
    case State::Draining:
        // Everything has been sent: the transfer ends as it would have a moment later.
        stopTimer(LinkTimer::Drain);
        closeAndFinish(ending(TransferResult::Outcome::Completed));
        return false;
    default:
        stopTimer(LinkTimer::NoResponse);
        stopTimer(LinkTimer::WakeUpPacing);
        stopTimer(LinkTimer::NoAnswerHint);
        return true;
    }
}

TransferActions TransferMachine::cancel() {
    // The port stays open: the face that cancelled closes it once its window has gone.
    if (interruptWait())
        finish(ending(TransferResult::Outcome::Cancelled));
    return take();
}

TransferActions TransferMachine::linkLost(const Error& error) {
    if (interruptWait())
        linkFailed(error);
    return take();
}

TransferActions TransferMachine::messageClosed() {
    if (state_ != State::ShowingMessages)
        return {};
    if (!messages_.isEmpty())
        act(Act::Message{messages_.takeFirst()});
    else
        closeAndFinish(ending_);
    return take();
}

TransferActions TransferMachine::blockStored(const Error& error) {
    if (state_ != State::Storing)
        return {};
    stored(error);
    return take();
}

// ---- the waits

void TransferMachine::judgeBuffer() {
    switch (state_) {
    case State::AnswerArriving:
        judgeAnswer();
        break;
    case State::Completing:
    case State::WriteModeReply:
        // Any reply to the completing byte or to the mode byte counts; its content is not examined.
        if (!buffer_.isEmpty()) {
            const bool completing = state_ == State::Completing;
            buffer_.clear();
            stopTimer(LinkTimer::NoResponse);
            if (completing)
                handshakeDone();
            else
                modeReplied();
        }
        break;
    case State::ReadModeAck:
    case State::BlockAck:
    case State::FrameAck:
        judgeAck();
        break;
    default:
        break;
    }
}

void TransferMachine::judgeAnswer() {
    // The answer is judged only once it holds more than two characters: a lone 06 reads "6".
    if (buffer_.length() <= 2)
        return;
    if (buffer_.isAcknowledgement()) {
        clearInput();
        buffer_.clear();
        sendByte(Protocol::kComplete);
        state_ = State::Completing;
    } else {
        // Not an answer we know: the wake-up goes on where it stopped and the buffer keeps what it has.
        sendWakeUpByte();
        startTimer(LinkTimer::WakeUpPacing);
        state_ = State::Waking;
    }
}

void TransferMachine::judgeAck() {
    if (buffer_.isEmpty())
        return;
    stopTimer(LinkTimer::NoResponse);
    const bool ack = buffer_.isAcknowledgement();
    buffer_.clear();
    if (!ack) {
        fail({TransferMessage::communicationError()},
             ending(TransferResult::Outcome::CommunicationError, {ErrorCode::Communication, {}}));
        return;
    }
    const State wait = state_;
    clearInput();
    acknowledged(wait);
}

void TransferMachine::noResponse() {
    stopTimer(LinkTimer::WakeUpPacing);
    stopTimer(LinkTimer::NoAnswerHint);
    reply_.clear();
    fail({TransferMessage::noResponse()},
         ending(TransferResult::Outcome::NoResponse, {ErrorCode::NoResponse, {}}));
}

void TransferMachine::sendWakeUpByte() {
    sendByte(Protocol::kWakeUp.at(wakeIndex_));
    wakeIndex_ = (wakeIndex_ + 1) % Protocol::kWakeUp.size();
}

// ---- moves into a state

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
    state_ = State::Waking;
}

void TransferMachine::awaitAck(State wait) {
    startTimer(LinkTimer::NoResponse);
    state_ = wait;
    judgeBuffer();
}

void TransferMachine::awaitModeReply() {
    startTimer(LinkTimer::NoResponse);
    state_ = State::WriteModeReply;
    judgeBuffer();
}

void TransferMachine::awaitBlockReply() {
    reply_.clear();
    startTimer(LinkTimer::NoResponse);
    state_ = State::BlockReply;
}

void TransferMachine::storeBlock(const QByteArray& reply) {
    act(Act::StoreBlock{reply});
    state_ = State::Storing;
}

void TransferMachine::drain() {
    startTimer(LinkTimer::Drain);
    state_ = State::Draining;
}

void TransferMachine::fail(QList<TransferMessage> messages, const TransferResult& result) {
    if (messages.isEmpty()) {
        closeAndFinish(result);
        return;
    }
    act(Act::Message{messages.takeFirst()});
    messages_ = std::move(messages);
    ending_ = result;
    state_ = State::ShowingMessages;
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
