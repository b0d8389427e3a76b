#pragma once

#include <QByteArray>
#include <QtGlobal>

// The bytes of the programming protocol, shared by the transfers and the virtual radio.
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

} // namespace Protocol
