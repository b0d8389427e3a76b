#pragma once

#include "config/app_config.h"
#include "link/transfer_machine.h"

// The read from the radio: handshake, read-mode byte 05, then for every block the request "R hi lo 08",
// the 12-byte reply (stored as a line of the received file), the tool's 06 and the radio's acknowledgement.
// The model code in the first reply sets the image size. Once the read-mode byte was acknowledged, the
// result asks for the received file to be decoded, however the block loop ended.
class ReadTransfer : public TransferMachine {
public:
    ReadTransfer(const ModelTable& table, Options options = {});

    int imageFactor() const { return iData_; }
    int totalBlocks() const;
    int blocksStored() const { return stored_; }

private:
    enum class Phase { Handshake, ReadMode, Blocks };

    void begin() override;
    void handshakeDone() override;
    void acknowledged() override;
    void blockReplied(const QByteArray& reply) override;
    void stored(const Error& error) override;
    void notAcknowledged() override;
    void noResponse() override;
    void cancelled() override;
    void lost(const Error& error) override;
    void replyTooLong() override;

    void requestBlock();
    void determineModel(const QByteArray& reply);
    // A failure inside the block loop: its messages, the port closed, the partial file decoded.
    void blockLoopFailure(TransferResult::Outcome outcome, const Error& error);
    void end(TransferResult::Outcome outcome, const Error& error = {}, bool escaped = false);

    ModelTable table_;
    Phase phase_ = Phase::Handshake;
    int block_ = 0; // number of the current block, from 1
    int stored_ = 0;
    int iData_ = 1;
    QByteArray reply_;
};
