#pragma once

#include <QByteArray>

#include "image/memory_image.h"
#include "sim/radio_fault.h"

// What the radio does in answer to received bytes.
struct RadioReaction {
    QByteArray reply;          // bytes to send, in order
    bool hangUp = false;       // drop the line now, instead of answering
    bool imageChanged = false; // a write frame changed a block of the memory
    bool released = false;     // the tool is through with this radio (see RadioMachine)

    void append(const RadioReaction& later);
};

// The radio's side of the programming protocol: bytes in, reactions out, no I/O and no clock, so that
// it can be wired straight to the tool's transfer machines. Bytes are taken one at a time; how the input
// is split never changes the result.
//
// Phases and what the radio answers:
//   Waking       waits for the wake-up sequence 02 50 52 4F 47 52 41 and ignores everything else, so the
//                sequence may follow garbage or start anywhere in the tool's cycle. The byte completing it
//                is answered with 06 06 06 (it holds 06 and is longer than one byte) -> Completing.
//   Completing   waits for 4D and answers 06 -> Programming. Other bytes, such as more wake-up bytes from
//                a slow tool, are ignored.
//   Programming  05 selects read mode and 0A write mode, each answered with 06; either may come again.
//                Read mode: "52 hi lo 08" is answered with the 12 bytes "52 hi lo 08 d0 ... d7"; the
//                tool's 06 after a reply is answered with 06.
//                Write mode: "57 hi lo 08 d0 ... d7" stores the block and is answered with 06.
//                A header whose length byte is not 08, whose address is not a multiple of 8 or lies past
//                the end of the memory, or whose letter does not belong to the mode is garbage: its first
//                byte is dropped and the scan goes on with the next one. Every other byte is ignored.
// A complete wake-up sequence restarts the handshake from any phase (not inside the data of a write
// frame, which may hold any bytes), so a tool may run one transfer after another.
// The session ends with the last block of the memory: once the tool's 06 after its reply is acknowledged
// (read) or once its frame is stored and acknowledged (write), the radio waits for the wake-up sequence
// again and answers nothing else. The pty front end also ends a session that has gone quiet (reset).
// The tool is through with a radio once it had a session and the tool only checks that the radio is still
// there: a wake-up sequence that follows an answered one with no 4D between them, or any wake-up sequence
// to a radio that has stopped answering. The reaction says so (released); a fleet of radios takes this
// one off the cable then.
class RadioMachine {
public:
    enum class Phase { Waking, Completing, Programming };
    enum class Mode { None, Read, Write };

    static constexpr char kNoAck = 0x15; // a refusal: its decimal text "21" holds no 6

    explicit RadioMachine(MemoryImage image, RadioFault fault = {});

    RadioReaction receive(const QByteArray& bytes);
    RadioReaction receive(char byte);

    // The tool closed the line, or went quiet in a session: back to waiting for the wake-up sequence,
    // memory kept. A radio that stopped answering (stop:N, hangup:N) stays stopped.
    void reset();

    Phase phase() const { return phase_; }
    Mode mode() const { return mode_; }
    // Read or write mode selected: every byte now belongs to the block transfer.
    bool inTransfer() const { return phase_ == Phase::Programming && mode_ != Mode::None; }
    // Past the wake-up sequence: a session that only a new wake-up, the last block or reset() ends.
    bool inSession() const { return phase_ != Phase::Waking; }
    bool stopped() const { return stopped_; }
    const MemoryImage& image() const { return image_; }
    int blocksRead() const { return blocksRead_; }
    int blocksWritten() const { return blocksWritten_; }

private:
    bool wakeStep(quint8 b);
    void programmingByte(quint8 b, RadioReaction& r);
    void singleByte(quint8 b, RadioReaction& r);
    void serveRead(int index, RadioReaction& r);
    void serveWrite(int index, RadioReaction& r);
    // True when the fault of this kind fires at block `index` (0-based); one-shot faults are spent.
    bool fires(RadioFault::Kind kind, int index);
    bool stopsAt(int index, RadioReaction& r);
    char commandLetter() const;
    bool inPayload() const { return mode_ == Mode::Write && frame_.size() >= 4; }
    bool isLastBlock(int index) const { return index == image_.size() - 1; }

    MemoryImage image_;
    RadioFault fault_;
    bool faultSpent_ = false;
    bool stopped_ = false;
    bool hadSession_ = false; // 4D has completed a handshake since the radio was made
    Phase phase_ = Phase::Waking;
    Mode mode_ = Mode::None;
    int wakeMatched_ = 0;
    QByteArray frame_;
    bool awaitingAck_ = false;
    bool refuseNextAck_ = false;
    bool lastReplied_ = false; // the reply awaiting the tool's 06 was the last block's
    int blocksRead_ = 0;
    int blocksWritten_ = 0;
};
