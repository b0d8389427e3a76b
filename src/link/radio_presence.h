#pragma once

#include <QObject>
#include <QTimer>

#include "config/error.h"
#include "link/receive_buffer.h"

class SerialPort;

// Whether a radio is on the cable, asked the way a transfer wakes one: the wake-up bytes, one per pacing
// tick, over and over, and an answer judged as the handshake judges it (more than two characters holding a
// '6'). Nothing else is sent, so the radio is never put into programming mode by asking.
//
// Waiting for a radio has no time limit: a dealer may take as long as he likes to plug in the next one.
// A radio has gone when no answer has come for the gap; a full cycle of the wake-up takes 7 ticks, so
// the gap must be longer than that.
class RadioPresence : public QObject {
    Q_OBJECT
public:
    RadioPresence(SerialPort& port, int pacingMs, QObject* parent = nullptr);
    ~RadioPresence() override;

    // On an open port: wakes until a radio answers (arrived).
    void awaitArrival();
    // On an open port: wakes until nothing has answered for `gapMs` (departed).
    void awaitDeparture(int gapMs);
    void stop();
    bool isActive() const { return mode_ != Mode::Off; }

Q_SIGNALS:
    void arrived();
    void departed();
    void linkLost(const Error& error);

private:
    enum class Mode { Off, Arrival, Departure };
    void begin(Mode mode);
    void tick();
    void onReceived(const QByteArray& bytes);
    void onLinkLost(const Error& error);

    SerialPort& port_;
    QTimer pacing_;
    QTimer gap_;
    ReceiveBuffer buffer_;
    int wakeIndex_ = 0;
    Mode mode_ = Mode::Off;
    QList<QMetaObject::Connection> connections_;
};
