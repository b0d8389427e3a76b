#include "link/radio_presence.h"

#include "link/protocol.h"
#include "link/serial_port.h"

RadioPresence::RadioPresence(SerialPort& port, int pacingMs, QObject* parent) : QObject(parent), port_(port) {
    pacing_.setInterval(pacingMs);
    pacing_.setTimerType(Qt::PreciseTimer);
    connect(&pacing_, &QTimer::timeout, this, &RadioPresence::tick);
    gap_.setSingleShot(true);
    connect(&gap_, &QTimer::timeout, this, [this] {
        stop();
        Q_EMIT departed();
    });
}

RadioPresence::~RadioPresence() {
    stop();
}

void RadioPresence::awaitArrival() {
    begin(Mode::Arrival);
}

void RadioPresence::awaitDeparture(int gapMs) {
    gap_.setInterval(gapMs);
    begin(Mode::Departure);
    gap_.start();
}

void RadioPresence::begin(Mode mode) {
    stop();
    mode_ = mode;
    buffer_.clear();
    wakeIndex_ = 0;
    connections_ << connect(&port_, &SerialPort::received, this, &RadioPresence::onReceived);
    connections_ << connect(&port_, &SerialPort::linkLost, this, &RadioPresence::onLinkLost);
    pacing_.start();
    tick();
}

void RadioPresence::stop() {
    mode_ = Mode::Off;
    pacing_.stop();
    gap_.stop();
    for (const auto& c : std::as_const(connections_))
        disconnect(c);
    connections_.clear();
}

void RadioPresence::tick() {
    port_.write(QByteArray(1, Protocol::kWakeUp.at(wakeIndex_)));
    wakeIndex_ = (wakeIndex_ + 1) % Protocol::kWakeUp.size();
}

void RadioPresence::onReceived(const QByteArray& bytes) {
    buffer_.append(bytes);
    const ReceiveBuffer::WakeUpAnswer answer = buffer_.wakeUpAnswer();
    if (answer == ReceiveBuffer::WakeUpAnswer::TooShort)
        return;
    buffer_.clear();
    if (answer == ReceiveBuffer::WakeUpAnswer::Other)
        return; // not an answer we know: go on asking
    if (mode_ == Mode::Departure) {
        gap_.start(); // still there
        return;
    }
    stop();
    Q_EMIT arrived();
}

void RadioPresence::onLinkLost(const Error& error) {
    stop();
    Q_EMIT linkLost(error);
}
