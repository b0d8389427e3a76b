#include "link/transfer_driver.h"

#include "link/receive_buffer.h"
#include "link/serial_port.h"
#include "link/transfer_trace.h"

#include <utility>

TransferDriver::TransferDriver(SerialPort& port, TransferMachine& machine, QObject* parent)
    : QObject(parent), port_(port), machine_(machine) {
    noResponse_.setSingleShot(true);
    pacing_.setSingleShot(true);
    pacing_.setTimerType(Qt::PreciseTimer);
    drain_.setSingleShot(true);
    drain_.setTimerType(Qt::PreciseTimer);
    hint_.setSingleShot(true);
    for (LinkTimer t : kLinkTimers)
        connect(&timer(t), &QTimer::timeout, this, [this, t] { expired(t); });
}

void TransferDriver::expired(LinkTimer t) {
    if (trace_)
        trace_->timerExpired(t);
    dispatch(machine_.timerExpired(t));
}

TransferDriver::~TransferDriver() {
    for (const auto& c : connections_)
        disconnect(c);
}

void TransferDriver::start() {
    if (running_ || finished_)
        return;
    running_ = true;
    connections_ << connect(&port_, &SerialPort::received, this, &TransferDriver::onReceived);
    connections_ << connect(&port_, &SerialPort::linkLost, this, &TransferDriver::onLinkLost);
    dispatch(machine_.start());
}

void TransferDriver::cancel() {
    if (!running_)
        return;
    // What the hold kept back no longer matters: the cancel decides.
    paused_ = false;
    heldInput_.clear();
    heldLinkLoss_ = Error::none();
    heldTimers_.clear();
    if (trace_)
        trace_->cancelled();
    dispatch(machine_.cancel());
}

void TransferDriver::pause() {
    if (!running_ || paused_)
        return;
    paused_ = true;
    for (LinkTimer t : kLinkTimers) {
        QTimer& q = timer(t);
        if (q.isActive()) {
            heldTimers_.append({t, qMax(0, q.remainingTime())});
            q.stop();
        }
    }
}

void TransferDriver::resume() {
    if (!paused_)
        return;
    paused_ = false;
    quietSinceResume_ = true;
    for (const auto& [t, left] : std::as_const(heldTimers_))
        timer(t).start(left);
    heldTimers_.clear();
    if (!heldInput_.isEmpty())
        dispatch(machine_.bytesReceived(std::exchange(heldInput_, {})));
    if (heldLinkLoss_.isError())
        dispatch(machine_.linkLost(std::exchange(heldLinkLoss_, Error::none())));
    drain();
}

void TransferDriver::onReceived(const QByteArray& bytes) {
    // Noted when it arrives, also while a hold keeps it back from the machine.
    if (trace_)
        trace_->received(bytes);
    if (paused_) {
        // Only what can still decide is held: a port that floods during a hold cannot grow it.
        heldInput_ = ReceiveBuffer::deciding(heldInput_ + bytes);
        return;
    }
    quietSinceResume_ = false;
    dispatch(machine_.bytesReceived(bytes));
}

void TransferDriver::onLinkLost(const Error& error) {
    if (trace_)
        trace_->linkLost(error);
    if (paused_) {
        heldLinkLoss_ = error;
        return;
    }
    dispatch(machine_.linkLost(error));
}

void TransferDriver::messageClosed() {
    if (running_)
        dispatch(machine_.messageClosed());
}

void TransferDriver::dispatch(const TransferActions& actions) {
    for (const TransferAction& a : actions)
        queue_.enqueue(a);
    drain();
}

void TransferDriver::drain() {
    if (draining_)
        return;
    draining_ = true;
    // A hold stops between two actions: what is queued waits for resume.
    while (!paused_ && !queue_.isEmpty())
        std::visit([this](const auto& a) { execute(a); }, queue_.dequeue());
    draining_ = false;
}

void TransferDriver::execute(const Act::Send& a) {
    if (trace_)
        trace_->sent(a.bytes);
    port_.write(a.bytes);
    Q_EMIT bytesSent(a.bytes.size());
}

void TransferDriver::execute(const Act::ClearInput&) {
    port_.clearInput();
}

void TransferDriver::execute(const Act::StartTimer& a) {
    timer(a.timer).start(a.interval);
}

void TransferDriver::execute(const Act::StopTimer& a) {
    timer(a.timer).stop();
}

void TransferDriver::execute(const Act::Caption& a) {
    Q_EMIT captionChanged(a.caption);
}

void TransferDriver::execute(const Act::Progress& a) {
    Q_EMIT progressChanged(a.value, a.maximum);
}

void TransferDriver::execute(const Act::Message& a) {
    // A radio waits only so long for the next byte: one that has not answered since a long question was
    // closed left programming mode meanwhile; the cable is not to blame.
    if (quietSinceResume_ && a.message.kind == TransferMessage::Kind::NoResponse) {
        TransferMessage left = a.message;
        left.kind = TransferMessage::Kind::LeftDuringHold;
        Q_EMIT messageRequested(left);
        return;
    }
    Q_EMIT messageRequested(a.message);
}

void TransferDriver::execute(const Act::StoreBlock& a) {
    const Error e = sink_ ? sink_(a.reply) : Error::none();
    dispatch(machine_.blockStored(e));
}

void TransferDriver::execute(const Act::ClosePort&) {
    port_.close();
}

void TransferDriver::execute(const Act::Finished& a) {
    for (LinkTimer t : kLinkTimers)
        timer(t).stop();
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    running_ = false;
    finished_ = true;
    result_ = a.result;
    Q_EMIT finished(a.result);
}
