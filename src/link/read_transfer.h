#pragma once

#include "config/app_config.h"
#include "link/transfer_machine.h"

// The read from the radio: handshake, read-mode byte 05, then for every block the request "R hi lo 08",
// the 12-byte reply (stored as a line of the received file), the tool's 06 and the radio's acknowledgement.
// The model code in the first reply sets the image size. Once the read-mode byte was acknowledged, the
// result asks for the received file to be decoded, however the block loop ended. "blocks sent" is the
// message of the current block number and I_data. The shared rows are in transfer_machine.h.
namespace Transfer {
constexpr States kReadStates = except(in(State::WriteModeReply, State::FrameAck));
// clang-format off
inline constexpr Row kReadRows[] = {
    // from                 event           next                reaction
    {in(S::Idle),           E::Start,       S::Waking,          R::BeginRead},
    {in(S::Completing),     E::Reply,       S::ReadModeAck,     R::EnterReadMode},
    {in(S::ReadModeAck),    E::Ack,         S::BlockReply,      R::StartReading},
    {in(S::BlockReply),     E::WholeReply,  S::Storing,         R::StoreReply},
    {in(S::Storing),        E::Stored,      S::BlockAck,        R::AckBlock},
    {in(S::Storing),        E::LastStored,  S::Draining,        R::AckBlock},
    {in(S::Storing),        E::StoreFailed, S::ShowingMessages, R::FailStoring},
    {in(S::BlockAck),       E::Ack,         S::BlockReply,      R::RequestBlock},
    // before the read-mode byte was answered, the face reports the lost link
    {in(S::Idle, S::Waking, S::AnswerArriving, S::Completing, S::ReadModeAck),
                            E::LinkLost,    S::Finished,        R::Escape},
    {in(S::BlockReply, S::Storing, S::BlockAck),
                            E::LinkLost,    S::ShowingMessages, R::FailReading},
};
// clang-format on
} // namespace Transfer

class ReadTransfer : public TransferMachine {
public:
    // `imageFactor` above 0 fixes the image size (a read-back of an image of known size), whatever the
    // first reply's model code says.
    explicit ReadTransfer(const ModelTable& table, Options options = {}, int imageFactor = 0);

    // Blocks of the whole image: I_data x 128, I_data as the model code of the first reply makes it.
    int totalBlocks() const;

private:
    bool perform(Reaction reaction) override;
    int stepsLeft() const override;
    TransferResult ending(TransferResult::Outcome outcome, const Error& error = {},
                          bool escaped = false) const override;

    void requestBlock();
    void acknowledgeBlock();
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
