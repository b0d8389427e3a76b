#pragma once

#include "image/memory_image.h"
#include "link/transfer_machine.h"

// The write to the radio: handshake, write-mode byte 0A and any reply, then every block of the image as a
// frame "W hi lo 08 d0 ... d7", each acknowledged before the next - except the very last one.
// Progress: 1 after the first settings block is sent, 2 after the second is acknowledged, then 1 / I_data
// per block, never beyond 128.
//
//  state           waits for        event       actions                                   next state
//  --------------  ---------------  ----------  ----------------------------------------  -----------
//  Idle            start            start       caption Connecting, first wake-up byte    Waking
//  Completing      any reply to 4D  bytes       clear buffer, send 0A                     WriteModeReply
//  WriteModeReply  any reply        bytes       caption Writing, frame 0, then:
//                                                 the last frame                          Draining
//                                                 otherwise                               FrameAck
//                                               (an empty image: close port, finish)      Finished
//  FrameAck        acknowledgement  ack         the next frame, then as above             FrameAck or
//                                                                                         Draining
//  any wait        -                link lost   before frame 0: close port, finish        Finished
//                                               (escaped)
//                                               in the settings blocks:
//                                                 fail(settings block error)
//                                               in the channel or filler blocks:
//                                                 fail(progress, blocks sent, error)
// The shared states are in TransferMachine.
class WriteTransfer : public TransferMachine {
public:
    // `strType` is the channel count: it separates the channel blocks from the filler blocks.
    WriteTransfer(MemoryImage image, int strType, Options options = {});

private:
    enum class Part { Settings, Channels, Filler };

    void begin() override;
    void handshakeDone() override;
    void modeReplied() override;
    void acknowledged(State wait) override;
    void linkFailed(const Error& error) override;
    TransferResult ending(TransferResult::Outcome outcome, const Error& error = {},
                          bool escaped = false) const override;

    void sendFrame();
    Part partOf(int block) const;

    MemoryImage image_;
    int strType_;
    int iData_;
    int channelEnd_; // first filler block
    int block_ = 0;  // the frame sent last, from 0
    int sent_ = 0;   // frames sent
    double bar_ = 0;
};
