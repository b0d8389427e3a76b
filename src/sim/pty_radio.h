#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>

#include "config/error.h"
#include "sim/link_stats.h"
#include "sim/radio_machine.h"
#include "sim/wire_clock.h"

class QSocketNotifier;

// The radio machine on the master side of a pseudo-terminal; the tool opens the slave device like a
// serial port. With a baud rate, every byte in either direction takes its wire time: received bytes reach
// the machine when they would have fully arrived, replies leave when they would have been sent. A timerfd
// watched by the event loop releases them, because a millisecond timer would add up to a millisecond at
// every turn of the conversation and swamp the figures of the transfer benchmark.
//
// The tool closing the device is not the end: the protocol starts again from the wake-up sequence when it
// reopens, with the memory kept. Hanging up (the hangup fault) closes the master, so the device is gone.
class PtyRadio : public QObject {
    Q_OBJECT
public:
    PtyRadio(RadioMachine machine, int baud, QObject* parent = nullptr);
    ~PtyRadio() override;

    // Creates the pseudo-terminal in raw mode and starts watching for the tool.
    Error open();
    QString devicePath() const { return devicePath_; }
    bool isOpen() const { return master_ >= 0; }

    // A session that gets no byte for this long ends: the radio waits for the wake-up sequence again.
    // 0 keeps a session open for as long as the tool holds the line.
    void setIdleTimeout(int ms) { idle_.setInterval(ms); }

    const RadioMachine& machine() const { return machine_; }
    // Another radio on the cable, from the next byte on; what the last one served is added to served().
    void replaceRadio(RadioMachine machine);
    // No radio on the cable: bytes arrive and nothing answers.
    void setPresent(bool present) { present_ = present; }
    bool isPresent() const { return present_; }
    // Blocks read and written by every radio so far.
    int blocksRead() const { return servedRead_ + machine_.blocksRead(); }
    int blocksWritten() const { return servedWritten_ + machine_.blocksWritten(); }
    const LinkStats& stats() const { return stats_; }
    qint64 byteNs() const { return clock_.byteNs(); }

Q_SIGNALS:
    void peerClosed();   // the tool closed the device
    void hungUp();       // the radio dropped the line; the device no longer exists
    void imageChanged(); // a write frame changed the memory
    void released();     // the tool is through with this radio (RadioReaction::released)

private:
    struct Pending {
        qint64 due;
        qint64 handedOver;
        char byte;
        bool blockPhase;
    };

    void watchForPeer();
    void readable();
    void pump();
    void deliver(const Pending& in);
    void release(qint64 upTo);
    void flush();
    void arm();
    void peerGone();
    void closeLine();

    RadioMachine machine_;
    bool present_ = true;
    int servedRead_ = 0;
    int servedWritten_ = 0;
    WireClock clock_;
    LinkStats stats_;
    int master_ = -1;
    int timer_ = -1;
    QString devicePath_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    QSocketNotifier* timerNotifier_ = nullptr;
    QTimer peerPoll_;
    QTimer idle_;
    std::deque<Pending> received_;
    std::deque<Pending> toSend_;
    QByteArray unwritten_;
};
