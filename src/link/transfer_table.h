#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The vocabulary of the transfer tables: the states a transfer can be in, the events it tells apart, the
// reactions it runs, and a row of (states, event) -> (next state, reaction). The machine turns every input
// into one event (bytes in an acknowledgement wait are Ack or NotAck, say), looks up the row and runs it,
// so that what a transfer does is read from its tables (transfer_machine.h, read_transfer.h,
// write_transfer.h) rather than from its code.
namespace Transfer {

enum class State {
    Idle,
    // the handshake
    Waking,         // cycling the wake-up bytes; the buffer is looked at on every pacing tick
    AnswerArriving, // the radio answered; waiting for more than two characters
    Completing,     // 4D sent; any reply completes programming mode
    // the read
    ReadModeAck, // 05 sent; waiting for its acknowledgement
    BlockReply,  // a read request sent; exactly 12 raw bytes expected
    Storing,     // StoreBlock asked for; waiting for blockStored
    BlockAck,    // the tool's 06 after a block sent; waiting for the radio's acknowledgement
    // the write
    WriteModeReply, // 0A sent; any reply will do
    FrameAck,       // a frame sent; waiting for its acknowledgement
    // the end
    Draining,        // the last bytes are on their way out; then close the port and finish completed
    ShowingMessages, // a message is on screen; then the next one, or close the port and finish
    Finished,
};
constexpr int kStateCount = int(State::Finished) + 1;

enum class Event {
    Start,
    Heard, // the first bytes since the wake-up began, after the caption said NoAnswer
    Bytes, // bytes the state does not judge (yet): they wait in the buffer, or in a partial block reply
    Short, // an answer of two characters or fewer
    Ack,   // the buffer holds an acknowledgement ('6')
    NotAck,
    Reply, // any reply to 4D
    // the write, when the radio lets the next frame go (any reply to 0A, or an acknowledgement): frames
    // still to send, several, one or none
    Frame,
    LastFrame,
    NoFrame,
    // the read
    WholeReply, // a block reply of exactly 12 bytes
    LongReply,  // more than 12: no block
    Stored,     // blockStored without an error
    LastStored, // ... for the last block of the image
    StoreFailed,
    // the timers
    Tick,     // a pacing tick that judges nothing: the buffer is empty, or the wake-up is over
    Hint,     // the no-answer hint timer, with nothing heard yet
    LateHint, // ... after something has been heard
    NoResponse,
    Drain,
    // the outside
    Cancel,
    LinkLost,
    MessageClosed,     // more messages to show
    LastMessageClosed, // no more
};
constexpr int kEventCount = int(Event::LastMessageClosed) + 1;

enum class Reaction {
    Ignore,     // no action; the row may still move the machine
    Unexpected, // an event the state cannot meet: close the port, finish with an internal error
    // shared
    WakeUpNext,         // the next wake-up byte, the pacing timer again
    Complete,           // clear the input, send 4D
    ShowHint,           // caption NoAnswer
    Reconnected,        // caption Connecting again
    NoResponse,         // fail(no response)
    CommunicationError, // fail(communication error)
    Cancel,             // stop the timers, finish cancelled (the caller closes the port)
    Escape,             // stop the timers, close the port, finish with the lost link for the face to report
    DrainEarly,         // stop draining: close the port, finish completed
    Drained,            // close the port, finish completed
    NextMessage,
    CloseWithEnding, // close the port, finish with the result of the failure
    // the read
    BeginRead,     // caption Connecting, clear the buffer, the handshake
    EnterReadMode, // send 05
    StartReading,  // caption Reading, request block 1
    RequestBlock,  // request the next block
    StoreReply,    // StoreBlock
    AckBlock,      // progress, send 06
    FailStoring,   // fail(the store's error, blocks sent)
    FailReading,   // stop the timers, fail(the lost link, blocks sent)
    // the write
    BeginWrite,     // caption Connecting, the handshake
    EnterWriteMode, // send 0A
    FirstFrame,     // caption Writing, frame 0
    NextFrame,      // the next frame
    NothingToWrite, // an empty image: caption Writing, close the port, finish completed
    FailWriting, // stop the timers; fail(settings block error), or fail(progress, blocks sent, error) later
};

using States = std::uint32_t;
constexpr States in(State s) {
    return States(1) << int(s);
}
template <typename... More> constexpr States in(State s, More... more) {
    return in(s) | in(more...);
}
constexpr States kEveryState = (States(1) << kStateCount) - 1;
constexpr States except(States s) {
    return kEveryState & ~s;
}
// The states in which the radio owes an answer, so that the no-response timer runs.
constexpr States kWaitsForRadio =
    in(State::Waking, State::AnswerArriving, State::Completing, State::ReadModeAck, State::BlockReply,
       State::BlockAck, State::WriteModeReply, State::FrameAck);
constexpr States kAckWaits = in(State::ReadModeAck, State::BlockAck, State::FrameAck);
// The states a cancel or a lost link interrupts: the timers stop and the transfer ends.
constexpr States kInterruptible = kWaitsForRadio | in(State::Idle, State::Storing);

// Short names for the tables.
using S = State;
using E = Event;
using R = Reaction;

struct Row {
    States from;
    Event event;
    std::optional<State> next; // none: stays where it is
    Reaction reaction;
};
constexpr std::nullopt_t kStay = std::nullopt;

// A table of rows, searched in order.
struct Table {
    const Row* rows;
    std::size_t size;

    template <std::size_t N> constexpr Table(const Row (&r)[N]) : rows(r), size(N) {}

    constexpr const Row* find(State s, Event e) const {
        for (std::size_t i = 0; i < size; ++i) {
            if ((rows[i].from & in(s)) && rows[i].event == e)
                return &rows[i];
        }
        return nullptr;
    }
    constexpr int count(State s, Event e) const {
        int n = 0;
        for (std::size_t i = 0; i < size; ++i)
            n += (rows[i].from & in(s)) && rows[i].event == e;
        return n;
    }
};

} // namespace Transfer
