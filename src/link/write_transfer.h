#pragma once

#include "image/memory_image.h"
#include "link/transfer_machine.h"

// The write to the radio: handshake, write-mode byte 0A and any reply, then every block of the image as a
// frame "W hi lo 08 d0 ... d7", each acknowledged before the next - except the very last one.
// Progress: 1 after the first settings block is sent, 2 after the second is acknowledged, then 1 / I_data
// per block, never beyond 128.
class WriteTransfer : public TransferMachine {
public:
    // `strType` is the channel count: it separates the channel blocks from the filler blocks.
    WriteTransfer(MemoryImage image, int strType, Options options = {});

    static QByteArray frame(int blockIndex, const Block& data);
    int framesSent() const { return sent_; }

private:
    enum class Phase { Handshake, WriteMode, Settings, Channels, Filler };

    void begin() override;
    void handshakeDone() override;
    void modeReplied() override;
    void acknowledged() override;
    void notAcknowledged() override;
    void noResponse() override;
    void cancelled() override;
    void lost(const Error& error) override;

    void sendBlock();
    Phase phaseOf(int block) const;
    void end(TransferResult::Outcome outcome, const Error& error = {}, bool escaped = false);

    MemoryImage image_;
    int strType_;
    int iData_;
    int channelEnd_; // first filler block
    Phase phase_ = Phase::Handshake;
    int block_ = 0;
    int sent_ = 0;
    double bar_ = 0;
};
