#pragma once

#include "config/app_config.h"
#include "link/transfer_machine.h"

// The read from the radio: handshake, read-mode byte 05, then for every block the request "R hi lo 08",
// the 12-byte reply (stored as a line of the received file), the tool's 06 and the radio's acknowledgement.
// The model code in the first reply sets the image size. Once the read-mode byte was acknowledged, the
// result asks for the received file to be decoded, however the block loop ended.
//
//  state        waits for            event               actions                            next state
//  -----------  -------------------  ------------------  ---------------------------------  -----------
//  Idle         start                start               caption Connecting, clear buffer,  Waking
//                                                        first wake-up byte
//  Completing   any reply to 4D      bytes               clear buffer, send 05              ReadModeAck
//  ReadModeAck  acknowledgement      ack                 caption Reading, request block 1   BlockReply
//  BlockReply   12 bytes             12 bytes            StoreBlock                         Storing
//                                    more than 12        fail(communication error)
//  Storing      blockStored          stored              progress, send 06, then:
//                                                          last block                       Draining
//                                                          otherwise                        BlockAck
//                                    store error         fail(error, blocks sent)
//  BlockAck     acknowledgement      ack                 request the next block             BlockReply
//  any wait     -                    link lost           before ReadModeAck was answered:
//                                                          close port, finish (escaped)     Finished
//                                                        after: fail(error, blocks sent)
// "blocks sent" is the message of the current block number and I_data. The shared states are in
// TransferMachine.
class ReadTransfer : public TransferMachine {
public:
    // `imageFactor` above 0 fixes the image size (a read-back of an image of known size), whatever the
    // first reply's model code says.
    explicit ReadTransfer(const ModelTable& table, Options options = {}, int imageFactor = 0);

    // Blocks of the whole image: I_data x 128, I_data as the model code of the first reply makes it.
    int totalBlocks() const;

private:
    void begin() override;
    void handshakeDone() override;
    void acknowledged(State wait) override;
    void blockReplied(const QByteArray& reply) override;
    void stored(const Error& error) override;
    void linkFailed(const Error& error) override;
    TransferResult ending(TransferResult::Outcome outcome, const Error& error = {},
                          bool escaped = false) const override;

    void requestBlock();
    void determineModel(const QByteArray& reply);
    // A failure inside the block loop: its messages, the port closed, the partial file decoded.
    void blockLoopFailure(TransferResult::Outcome outcome, const Error& error);

    ModelTable table_;
    int block_ = 0; // number of the current block, from 1; 0 until the read-mode byte is acknowledged
    int stored_ = 0;
    int iData_ = 1;
    bool sizeFixed_ = false;
    QByteArray reply_;
};
