#pragma once

#include <QByteArray>

#include "link/protocol.h"

// Bytes on the wire as the tests of the virtual radio write them out, on their own and not through the
// transfers' protocol helpers, so that both sides are checked against the byte layout itself.

inline QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// letter, address high, address low, length
inline QByteArray wireHeader(char letter, int index) {
    const int address = index * kBlockSize;
    return QByteArray(1, letter) + char(address >> 8) + char(address & 0xFF) + Protocol::kBlockLength;
}

// The wake-up sequence and the byte that completes it.
inline const QByteArray kHandshake = Protocol::kWakeUp + QByteArray(1, Protocol::kComplete);
