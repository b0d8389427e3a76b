#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "config/error.h"

// The timers a transfer asks for: the no-response timer, the pacing of the wake-up bytes, and the wait
// that lets the last bytes leave before the port closes.
enum class LinkTimer { NoResponse, WakeUpPacing, Drain };

// A message the face shows; the transfer waits until the user has closed it (messageClosed).
struct LinkMessage {
    enum class Icon { None, Information, Warning, Critical };
    Icon icon = Icon::Information;
    QString title;
    QString text;

    bool operator==(const LinkMessage& o) const {
        return icon == o.icon && title == o.title && text == o.text;
    }
};

struct TransferResult {
    enum class Outcome { Completed, Cancelled, NoResponse, CommunicationError, LinkLost, StoreFailed };
    Outcome outcome = Outcome::Completed;
    Error error;          // the failure as a value; none when completed or cancelled
    bool escaped = false; // not handled by the transfer itself: the progress window reports error
    bool decode = false;  // a read that got past the read-mode byte: its received file is to be decoded
    int blocks = 0;       // blocks received (read) or sent (write)
    int totalBlocks = 0;  // blocks of the whole image, as far as known

    bool ok() const { return outcome == Outcome::Completed; }
};

// What a transfer asks its driver to do.
struct TransferAction {
    enum class Kind {
        Send,       // bytes
        ClearInput, // discard received bytes still waiting
        StartTimer, // timer, interval
        StopTimer,  // timer
        Caption,    // text
        Progress,   // value of maximum
        Message,    // message; the transfer waits for messageClosed
        StoreBlock, // bytes: one block reply for the received file; answer with blockStored
        ClosePort,
        Finished, // result
    };
    Kind kind = Kind::Send;
    QByteArray bytes;
    LinkTimer timer = LinkTimer::NoResponse;
    int interval = 0;
    QString text;
    double value = 0;
    int maximum = 0;
    LinkMessage message;
    TransferResult result;

    static TransferAction send(const QByteArray& b) {
        TransferAction a;
        a.kind = Kind::Send;
        a.bytes = b;
        return a;
    }
    static TransferAction of(Kind k) {
        TransferAction a;
        a.kind = k;
        return a;
    }
};

using TransferActions = QVector<TransferAction>;
