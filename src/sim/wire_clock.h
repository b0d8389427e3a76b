#pragma once

#include <QtGlobal>

// When bytes would have crossed a serial line of the given speed, 10 bits a byte (start, 8 data, stop).
// Each direction is its own wire: a byte starts when the previous one in the same direction has ended,
// and never before it was handed over. Times are nanoseconds on any monotonic clock.
// A speed of 0 means no line at all: every byte is through the moment it is handed over.
class WireClock {
public:
    explicit WireClock(int baud = 0) : byteNs_(baud > 0 ? 10'000'000'000LL / baud : 0) {}

    qint64 byteNs() const { return byteNs_; }

    // A byte the tool handed over at `at` has fully arrived at the returned time.
    qint64 received(qint64 at) { return advance(&rxFree_, at); }
    // A byte the radio hands over at `at` has fully left at the returned time.
    qint64 sent(qint64 at) { return advance(&txFree_, at); }

    void reset() { rxFree_ = txFree_ = 0; }

private:
    qint64 advance(qint64* free, qint64 at) {
        *free = qMax(*free, at) + byteNs_;
        return *free;
    }

    qint64 byteNs_;
    qint64 rxFree_ = 0;
    qint64 txFree_ = 0;
};
