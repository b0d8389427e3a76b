#include "link/transfer_machine.h"

#include "link/link_texts.h"
#include "link/protocol.h"

TransferActions TransferMachine::take() {
    TransferActions actions;
    actions.swap(out_);
    return actions;
}

TransferActions TransferMachine::start() {
    if (started_)
        return {};
    started_ = true;
    begin();
    return take();
}

TransferActions TransferMachine::bytesReceived(const QByteArray& bytes) {
    if (finished_ || bytes.isEmpty())
        return {};
    if (wait_ == Wait::BlockReply) {
        // The block reply is taken from the port as raw bytes; it never reaches the receive buffer.
        reply_ += bytes;
        if (reply_.size() == Protocol::kReplySize) {
            stopTimer(LinkTimer::NoResponse);
            wait_ = Wait::None;
            const QByteArray reply = reply_;
            reply_.clear();
            blockReplied(reply);
        } else if (reply_.size() > Protocol::kReplySize) {
            stopTimer(LinkTimer::NoResponse);
            wait_ = Wait::None;
            reply_.clear();
            replyTooLong();
        }
        return take();
    }
    buffer_.append(bytes);
    onBuffer();
    return take();
}

void TransferMachine::onBuffer() {
    switch (wait_) {
    case Wait::WakeMore:
        examineAnswer();
        break;
    case Wait::CompleteReply:
    case Wait::ModeReply:
        // Any reply to the completing byte or to the mode byte counts; its content is not examined.
        if (!buffer_.isEmpty()) {
            const bool completing = wait_ == Wait::CompleteReply;
            buffer_.clear();
            stopTimer(LinkTimer::NoResponse);
            wait_ = Wait::None;
            if (completing)
                handshakeDone();
            else
                modeReplied();
        }
        break;
    case Wait::Ack:
        if (buffer_.isEmpty())
            break;
        stopTimer(LinkTimer::NoResponse);
        wait_ = Wait::None;
        if (buffer_.isAcknowledgement()) {
            clearInput();
            buffer_.clear();
            acknowledged();
        } else {
            buffer_.clear();
            showMessages({communicationErrorMessage()}, [this] {
                closePort();
                notAcknowledged();
            });
        }
        break;
    default:
        break;
    }
}

void TransferMachine::examineAnswer() {
    // The answer is judged only once it holds more than two characters: a lone 06 reads "6".
    if (buffer_.length() <= 2)
        return;
    if (buffer_.isAcknowledgement()) {
        clearInput();
        buffer_.clear();
        sendByte(Protocol::kComplete);
        wait_ = Wait::CompleteReply;
    } else {
        // Not an answer we know: the wake-up goes on where it stopped and the buffer keeps what it has.
        sendWakeUpByte();
        startTimer(LinkTimer::WakeUpPacing);
        wait_ = Wait::WakeTick;
    }
}

void TransferMachine::sendWakeUpByte() {
    sendByte(Protocol::kWakeUp.at(wakeIndex_));
    wakeIndex_ = (wakeIndex_ + 1) % Protocol::kWakeUp.size();
}

void TransferMachine::wakeUpTick() {
    if (buffer_.isEmpty()) {
        sendWakeUpByte();
        startTimer(LinkTimer::WakeUpPacing);
        return;
    }
    wait_ = Wait::WakeMore;
    examineAnswer();
}

TransferActions TransferMachine::timerExpired(LinkTimer timer) {
    if (finished_)
        return {};
    if (timer == LinkTimer::WakeUpPacing) {
        if (wait_ == Wait::WakeTick)
            wakeUpTick();
        return take();
    }
    if (timer == LinkTimer::Drain) {
        if (wait_ == Wait::Drain)
            endDrain();
        return take();
    }
    switch (wait_) {
    case Wait::WakeTick:
    case Wait::WakeMore:
    case Wait::CompleteReply:
    case Wait::ModeReply:
    case Wait::Ack:
    case Wait::BlockReply:
        // Every wait ends here, so that a silent or half-answering radio cannot hold the transfer forever.
        stopTimer(LinkTimer::WakeUpPacing);
        reply_.clear();
        showMessages({{LinkMessage::Icon::Information, LinkText::NoResponseTitle, LinkText::NoResponse}},
                     [this] { noResponse(); });
        break;
    default:
        break;
    }
    return take();
}

TransferActions TransferMachine::cancel() {
    if (finished_ || cancelled_)
        return {};
    cancelled_ = true;
    // A message on screen ends the transfer when it is closed; nothing more to do now.
    if (wait_ == Wait::Message)
        return {};
    if (!stopWaiting())
        cancelled();
    return take();
}

TransferActions TransferMachine::messageClosed() {
    if (finished_ || wait_ != Wait::Message)
        return {};
    if (!messages_.isEmpty()) {
        TransferAction a = TransferAction::of(TransferAction::Kind::Message);
        a.message = messages_.takeFirst();
        out_.append(a);
        return take();
    }
    wait_ = Wait::None;
    const std::function<void()> then = std::move(afterMessages_);
    afterMessages_ = nullptr;
    if (then)
        then();
    return take();
}

TransferActions TransferMachine::linkLost(const Error& error) {
    if (finished_ || wait_ == Wait::Message)
        return {};
    if (!stopWaiting())
        lost(error);
    return take();
}

bool TransferMachine::stopWaiting() {
    if (wait_ == Wait::Drain) {
        // Everything has been sent: the transfer ends as it would have a moment later.
        stopTimer(LinkTimer::Drain);
        endDrain();
        return true;
    }
    stopTimer(LinkTimer::NoResponse);
    stopTimer(LinkTimer::WakeUpPacing);
    wait_ = Wait::None;
    return false;
}

TransferActions TransferMachine::blockStored(const Error& error) {
    if (finished_ || wait_ != Wait::Store)
        return {};
    wait_ = Wait::None;
    stored(error);
    return take();
}

void TransferMachine::caption(const QString& text) {
    TransferAction a = TransferAction::of(TransferAction::Kind::Caption);
    a.text = text;
    out_.append(a);
}

void TransferMachine::progress(double value, int maximum) {
    TransferAction a = TransferAction::of(TransferAction::Kind::Progress);
    a.value = value;
    a.maximum = maximum;
    out_.append(a);
}

void TransferMachine::startTimer(LinkTimer t) {
    TransferAction a = TransferAction::of(TransferAction::Kind::StartTimer);
    a.timer = t;
    a.interval = t == LinkTimer::NoResponse     ? options_.timings.noResponseMs
                 : t == LinkTimer::WakeUpPacing ? options_.timings.wakeUpPacingMs
                                                : options_.timings.drainMs;
    out_.append(a);
}

void TransferMachine::stopTimer(LinkTimer t) {
    TransferAction a = TransferAction::of(TransferAction::Kind::StopTimer);
    a.timer = t;
    out_.append(a);
}

void TransferMachine::startHandshake() {
    startTimer(LinkTimer::NoResponse);
    wakeIndex_ = 0;
    sendWakeUpByte();
    startTimer(LinkTimer::WakeUpPacing);
    wait_ = Wait::WakeTick;
}

void TransferMachine::waitForAck() {
    startTimer(LinkTimer::NoResponse);
    wait_ = Wait::Ack;
    onBuffer();
}

void TransferMachine::waitForModeReply() {
    startTimer(LinkTimer::NoResponse);
    wait_ = Wait::ModeReply;
    onBuffer();
}

void TransferMachine::waitForBlockReply() {
    reply_.clear();
    startTimer(LinkTimer::NoResponse);
    wait_ = Wait::BlockReply;
}

void TransferMachine::storeBlock(const QByteArray& reply) {
    TransferAction a = TransferAction::of(TransferAction::Kind::StoreBlock);
    a.bytes = reply;
    out_.append(a);
    wait_ = Wait::Store;
}

void TransferMachine::drainThen(std::function<void()> then) {
    afterDrain_ = std::move(then);
    wait_ = Wait::Drain;
    TransferAction a = TransferAction::of(TransferAction::Kind::StartTimer);
    a.timer = LinkTimer::Drain;
    a.interval = options_.timings.drainMs;
    out_.append(a);
}

void TransferMachine::endDrain() {
    wait_ = Wait::None;
    const std::function<void()> then = std::move(afterDrain_);
    afterDrain_ = nullptr;
    if (then)
        then();
}

void TransferMachine::showMessages(QList<LinkMessage> messages, std::function<void()> then) {
    if (messages.isEmpty()) {
        then();
        return;
    }
    wait_ = Wait::Message;
    TransferAction a = TransferAction::of(TransferAction::Kind::Message);
    a.message = messages.takeFirst();
    messages_ = std::move(messages);
    afterMessages_ = std::move(then);
    out_.append(a);
}

void TransferMachine::finish(TransferResult result) {
    stopTimer(LinkTimer::NoResponse);
    stopTimer(LinkTimer::WakeUpPacing);
    stopTimer(LinkTimer::Drain);
    wait_ = Wait::None;
    finished_ = true;
    result_ = result;
    TransferAction a = TransferAction::of(TransferAction::Kind::Finished);
    a.result = result;
    out_.append(a);
}

LinkMessage TransferMachine::communicationErrorMessage() const {
    return {LinkMessage::Icon::None, options_.applicationTitle, LinkText::CommunicationError};
}
