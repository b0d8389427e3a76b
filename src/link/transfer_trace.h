#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <functional>

#include "config/error.h"
#include "link/transfer_action.h"

// What went over the wire during a transfer, for support: one line per burst of bytes, with the
// milliseconds since the trace began and the direction, and a line for each timer that expired, each
// cancel, a lost link and a port that would not open:
//
//      0 TX 02
//    101 TX 50
//    512 RX 06 06 06
//   5003 TIMER no-answer-hint
//  60000 TIMER no-response
//  60120 CANCEL
//
// The driver feeds it; the faces save it when the transfer has ended, however it ended.
//
// A port that streams bytes without end would otherwise grow the trace (three characters a byte) until
// memory runs out: the text stops at `limit` bytes, its last line cutNote(limit), and later events are
// dropped. A limit must leave room for the note.
class TransferTrace {
public:
    static constexpr qsizetype kLimit = 4 * 1024 * 1024;

    // The clock in milliseconds; a steady one started now unless a test hands in its own.
    using Clock = std::function<qint64()>;
    explicit TransferTrace(Clock clock = {}, qsizetype limit = kLimit);

    void sent(const QByteArray& bytes);
    void received(const QByteArray& bytes);
    void timerExpired(LinkTimer timer);
    void cancelled();
    void linkLost(const Error& error);
    void openFailed(const QString& device, const Error& error);

    const QByteArray& text() const { return text_; }
    bool isEmpty() const { return text_.isEmpty(); }
    // Writes the lines through the safe writer: the file is whole or left as it was.
    Error save(const QString& path) const;

    // The word of a timer in the trace: "no-response", "wake-up-pacing", "drain", "no-answer-hint".
    static QByteArray timerName(LinkTimer timer);
    // The last line of a trace that reached its limit (without the time and the line end).
    static QByteArray cutNote(qsizetype limit);

private:
    void line(const QByteArray& what);

    Clock clock_;
    QElapsedTimer started_;
    qsizetype limit_;
    QByteArray note_;
    QByteArray text_;
    bool cut_ = false;
};
