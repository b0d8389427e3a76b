#include "link/transfer_driver.h"

#include "link/serial_port.h"

TransferDriver::TransferDriver(SerialPort& port, TransferMachine& machine, QObject* parent)
    : QObject(parent), port_(port), machine_(machine) {
    noResponse_.setSingleShot(true);
    pacing_.setSingleShot(true);
    pacing_.setTimerType(Qt::PreciseTimer);
    drain_.setSingleShot(true);
    drain_.setTimerType(Qt::PreciseTimer);
    connect(&drain_, &QTimer::timeout, this, [this] { dispatch(machine_.timerExpired(LinkTimer::Drain)); });
    connect(&noResponse_, &QTimer::timeout, this,
            [this] { dispatch(machine_.timerExpired(LinkTimer::NoResponse)); });
    connect(&pacing_, &QTimer::timeout, this,
            [this] { dispatch(machine_.timerExpired(LinkTimer::WakeUpPacing)); });
}

TransferDriver::~TransferDriver() {
    for (const auto& c : connections_)
        disconnect(c);
}

void TransferDriver::start() {
    if (running_ || finished_)
        return;
    running_ = true;
    connections_ << connect(&port_, &SerialPort::received, this,
                            [this](const QByteArray& bytes) { dispatch(machine_.bytesReceived(bytes)); });
    connections_ << connect(&port_, &SerialPort::linkLost, this,
                            [this](const Error& e) { dispatch(machine_.linkLost(e)); });
    dispatch(machine_.start());
}

void TransferDriver::cancel() {
    if (running_)
        dispatch(machine_.cancel());
}

void TransferDriver::messageClosed() {
    if (running_)
        dispatch(machine_.messageClosed());
}

void TransferDriver::dispatch(const TransferActions& actions) {
    for (const TransferAction& a : actions)
        queue_.enqueue(a);
    if (draining_)
        return;
    draining_ = true;
    while (!queue_.isEmpty())
        std::visit([this](const auto& a) { execute(a); }, queue_.dequeue());
    draining_ = false;
}

void TransferDriver::execute(const Act::Send& a) {
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
    noResponse_.stop();
    pacing_.stop();
    drain_.stop();
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    running_ = false;
    finished_ = true;
    result_ = a.result;
    Q_EMIT finished(a.result);
}
