#pragma once

#include <QString>

#include "config/error.h"

// A misbehaviour the virtual radio can be told to show, so that the tool's failure paths can be exercised.
//
// Blocks count from 1 in address order: block N is the one at address 8 * (N - 1), whichever direction.
//   silent     never answers anything, not even the wake-up sequence
//   noack:N    answers block N with 15 instead of an acknowledgement (once): in a read, the answer to the
//              tool's 06 after the reply; in a write, the answer to the frame, which is then not stored
//   short:N    replies to the read request of block N with its first 11 bytes only (once; reads only)
//   long:N     replies to the read request of block N with 13 bytes, the 12 and one FF (once; reads only)
//   stop:N     from the request or frame of block N (or a later one) on, answers nothing any more
//   hangup:N   hangs up the line instead of answering the request or frame of block N
//   flip:N     stores the write frame of block N with its first data byte XOR 01 and acknowledges it as
//              usual (once; writes only), so that only a read-back can tell
struct RadioFault {
    enum class Kind { None, Silent, NoAck, ShortReply, LongReply, Stop, HangUp, Flip };

    Kind kind = Kind::None;
    int block = 0; // 1-based; unused for None and Silent

    // "none", "silent", or KIND:N with N >= 1. Fails with InvalidArgument naming the bad text.
    static Error parse(const QString& text, RadioFault* out);
    QString text() const;
};
