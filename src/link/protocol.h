#pragma once

#include <QByteArray>
#include <QtGlobal>

#include "image/memory_image.h"

// The bytes of the programming protocol, shared by the transfers and the virtual radio. Header-only, so
// that the radio's side can use it without linking the transfers.
namespace Protocol {

// Sent one byte at a time, over and over, until the radio answers.
inline const QByteArray kWakeUp = QByteArray::fromHex("0250524F475241"); // 02 P R O G R A
constexpr char kComplete = 0x4D;                                         // 'M', completes programming mode
constexpr char kReadMode = 0x05;     // sent once after the handshake of a read
constexpr char kWriteMode = 0x0A;    // sent once after the handshake of a write
constexpr char kAck = 0x06;          // acknowledgement, both directions
constexpr char kReadCommand = 0x52;  // 'R' hi lo 08
constexpr char kWriteCommand = 0x57; // 'W' hi lo 08 d0 ... d7
constexpr char kBlockLength = 0x08;
constexpr int kRequestSize = 4; // read request
constexpr int kReplySize = 12;  // block reply and write frame: header + 8 data bytes
constexpr int kFrameSize = 12;

constexpr int kBaudRate = 9600; // "9600,n,8,1"
inline const char* const kLineSettings = "9600,n,8,1";

// The four header bytes every request, reply and frame starts with: letter, address high, low, length.
inline QByteArray header(char letter, int blockIndex) {
    const BlockAddress a = BlockAddress::ofBlock(blockIndex);
    QByteArray h;
    h.reserve(kFrameSize);
    h.append(letter);
    h.append(static_cast<char>(a.page));
    h.append(static_cast<char>(a.offset));
    h.append(kBlockLength);
    return h;
}

inline QByteArray withData(QByteArray head, const Block& data) {
    for (quint8 b : data)
        head.append(static_cast<char>(b));
    return head;
}

// "R hi lo 08": the tool asks for one block.
inline QByteArray readRequest(int blockIndex) {
    return header(kReadCommand, blockIndex);
}
// "R hi lo 08 d0 ... d7": the radio's answer to a read request.
inline QByteArray blockReply(int blockIndex, const Block& data) {
    return withData(header(kReadCommand, blockIndex), data);
}
// "W hi lo 08 d0 ... d7": the tool writes one block.
inline QByteArray writeFrame(int blockIndex, const Block& data) {
    return withData(header(kWriteCommand, blockIndex), data);
}

// The block a header names, or -1 when the four bytes at the start of `bytes` are no header for a memory
// of `blocks` blocks: the length byte must be 08 and the address a multiple of 8 inside the memory. The
// letter is the caller's to judge.
inline int headerBlock(const QByteArray& bytes, int blocks) {
    if (bytes.size() < kRequestSize || bytes[3] != kBlockLength)
        return -1;
    const int address = quint8(bytes[1]) * 256 + quint8(bytes[2]);
    if (address % kBlockSize != 0)
        return -1;
    const int index = address / kBlockSize;
    return index < blocks ? index : -1;
}

// The eight data bytes of a block reply or a write frame of kFrameSize bytes.
inline Block frameData(const QByteArray& frame) {
    Block data{};
    for (int i = 0; i < kBlockSize && kRequestSize + i < frame.size(); ++i)
        data[i] = quint8(frame[kRequestSize + i]);
    return data;
}

} // namespace Protocol
