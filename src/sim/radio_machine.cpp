#include "sim/radio_machine.h"

#include "link/protocol.h"

namespace {

const QByteArray kWakeReply = QByteArray(3, Protocol::kAck);

} // namespace

void RadioReaction::append(const RadioReaction& later) {
    reply += later.reply;
    hangUp = hangUp || later.hangUp;
    imageChanged = imageChanged || later.imageChanged;
    released = released || later.released;
}

RadioMachine::RadioMachine(MemoryImage image, RadioFault fault) : image_(std::move(image)), fault_(fault) {}

RadioReaction RadioMachine::receive(const QByteArray& bytes) {
    RadioReaction all;
    for (char b : bytes)
        all.append(receive(b));
    return all;
}

RadioReaction RadioMachine::receive(char byte) {
    RadioReaction r;
    if (fault_.kind == RadioFault::Kind::Silent)
        return r;
    const auto b = quint8(byte);
    if (stopped_) {
        r.released = hadSession_ && wakeStep(b);
        return r;
    }
    if (!inPayload() && wakeStep(b)) {
        r.released = hadSession_ && phase_ == Phase::Completing;
        phase_ = Phase::Completing;
        mode_ = Mode::None;
        frame_.clear();
        awaitingAck_ = false;
        refuseNextAck_ = false;
        lastReplied_ = false;
        r.reply = kWakeReply;
        return r;
    }
    switch (phase_) {
    case Phase::Waking:
        break;
    case Phase::Completing:
        if (byte == Protocol::kComplete) {
            phase_ = Phase::Programming;
            hadSession_ = true;
            r.reply = QByteArray(1, Protocol::kAck);
        }
        break;
    case Phase::Programming:
        programmingByte(b, r);
        break;
    }
    return r;
}

void RadioMachine::reset() {
    phase_ = Phase::Waking;
    mode_ = Mode::None;
    wakeMatched_ = 0;
    frame_.clear();
    awaitingAck_ = false;
    refuseNextAck_ = false;
    lastReplied_ = false;
}

bool RadioMachine::wakeStep(quint8 b) {
    const QByteArray& s = Protocol::kWakeUp;
    // The first byte of the sequence occurs nowhere else in it, so a mismatch can only restart at it.
    if (b == quint8(s[wakeMatched_])) {
        if (++wakeMatched_ == s.size()) {
            wakeMatched_ = 0;
            return true;
        }
    } else {
        wakeMatched_ = b == quint8(s[0]) ? 1 : 0;
    }
    return false;
}

char RadioMachine::commandLetter() const {
    switch (mode_) {
    case Mode::Read:
        return Protocol::kReadCommand;
    case Mode::Write:
        return Protocol::kWriteCommand;
    case Mode::None:
        break;
    }
    return 0;
}

void RadioMachine::programmingByte(quint8 b, RadioReaction& r) {
    frame_.append(char(b));
    while (!frame_.isEmpty() && !stopped_) {
        const char letter = commandLetter();
        if (letter == 0 || frame_[0] != letter) {
            singleByte(quint8(frame_[0]), r);
            frame_.remove(0, 1);
            continue;
        }
        if (frame_.size() < Protocol::kRequestSize)
            return;
        const int index = Protocol::headerBlock(frame_, image_.size());
        if (index < 0) {
            frame_.remove(0, 1);
            continue;
        }
        if (mode_ == Mode::Read) {
            frame_.remove(0, Protocol::kRequestSize);
            serveRead(index, r);
            continue;
        }
        if (frame_.size() < Protocol::kFrameSize)
            return;
        serveWrite(index, r);
        frame_.remove(0, Protocol::kFrameSize);
    }
    if (stopped_)
        frame_.clear();
}

void RadioMachine::singleByte(quint8 b, RadioReaction& r) {
    switch (char(b)) {
    case Protocol::kReadMode:
        mode_ = Mode::Read;
        awaitingAck_ = false;
        r.reply += Protocol::kAck;
        break;
    case Protocol::kWriteMode:
        mode_ = Mode::Write;
        awaitingAck_ = false;
        r.reply += Protocol::kAck;
        break;
    case Protocol::kAck:
        if (awaitingAck_) {
            awaitingAck_ = false;
            r.reply += refuseNextAck_ ? kNoAck : Protocol::kAck;
            refuseNextAck_ = false;
            if (lastReplied_)
                reset();
        }
        break;
    default:
        break; // garbage
    }
}

bool RadioMachine::fires(RadioFault::Kind kind, int index) {
    if (fault_.kind != kind || faultSpent_ || fault_.block != index + 1)
        return false;
    faultSpent_ = true;
    return true;
}

bool RadioMachine::stopsAt(int index, RadioReaction& r) {
    if (fault_.kind == RadioFault::Kind::Stop && index + 1 >= fault_.block) {
        stopped_ = true;
        return true;
    }
    if (fires(RadioFault::Kind::HangUp, index)) {
        stopped_ = true;
        r.hangUp = true;
        return true;
    }
    return false;
}

void RadioMachine::serveRead(int index, RadioReaction& r) {
    if (stopsAt(index, r))
        return;
    QByteArray reply = Protocol::blockReply(index, image_.blocks[index]);
    if (fires(RadioFault::Kind::ShortReply, index))
        reply.chop(1);
    else if (fires(RadioFault::Kind::LongReply, index))
        reply += char(0xFF);
    else if (fires(RadioFault::Kind::NoAck, index))
        refuseNextAck_ = true;
    r.reply += reply;
    awaitingAck_ = true;
    lastReplied_ = isLastBlock(index);
    ++blocksRead_;
}

void RadioMachine::serveWrite(int index, RadioReaction& r) {
    if (stopsAt(index, r))
        return;
    if (fires(RadioFault::Kind::NoAck, index)) {
        r.reply += kNoAck;
        return;
    }
    Block block = Protocol::frameData(frame_);
    if (fires(RadioFault::Kind::Flip, index))
        block[0] ^= 0x01;
    if (image_.blocks[index] != block) {
        image_.blocks[index] = block;
        r.imageChanged = true;
    }
    r.reply += Protocol::kAck;
    ++blocksWritten_;
    if (isLastBlock(index))
        reset();
}
