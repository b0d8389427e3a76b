#pragma once

#include "image/memory_image.h"
#include "link/transfer_machine.h"

// The write to the radio: handshake, write-mode byte 0A and any reply, then every block of the image as a
// frame "W hi lo 08 d0 ... d7", each acknowledged before the next - except the very last one.
// Progress: 1 after the first settings block is sent, 2 after the second is acknowledged, then 1 / I_data
// per block, never beyond 128. The shared rows are in transfer_machine.h.
namespace Transfer {
constexpr States kWriteStates =
    except(in(State::ReadModeAck, State::BlockReply, State::Storing, State::BlockAck));
// clang-format off
inline constexpr Row kWriteRows[] = {
    // from                 event         next                reaction
    {in(S::Idle),           E::Start,     S::Waking,          R::BeginWrite},
    {in(S::Completing),     E::Reply,     S::WriteModeReply,  R::EnterWriteMode},
    {in(S::WriteModeReply), E::Frame,     S::FrameAck,        R::FirstFrame},
    {in(S::WriteModeReply), E::LastFrame, S::Draining,        R::FirstFrame},
    {in(S::WriteModeReply), E::NoFrame,   S::Finished,        R::NothingToWrite},
    {in(S::FrameAck),       E::Frame,     S::FrameAck,        R::NextFrame},
    {in(S::FrameAck),       E::LastFrame, S::Draining,        R::NextFrame},
    // before frame 0, the face reports the lost link
    {in(S::Idle, S::Waking, S::AnswerArriving, S::Completing, S::WriteModeReply),
                            E::LinkLost,  S::Finished,        R::Escape},
    {in(S::FrameAck),       E::LinkLost,  S::ShowingMessages, R::FailWriting},
};
// clang-format on
} // namespace Transfer

class WriteTransfer : public TransferMachine {
public:
    // `strType` is the channel count: it separates the channel blocks from the filler blocks.
    WriteTransfer(MemoryImage image, int strType, Options options = {});

private:
    enum class Part { Settings, Channels, Filler };

    bool perform(Reaction reaction) override;
    int stepsLeft() const override;
    TransferResult ending(TransferResult::Outcome outcome, const Error& error = {},
                          bool escaped = false) const override;

    void sendFrame();
    void failWriting();
    Part partOf(int block) const;

    MemoryImage image_;
    int strType_;
    int iData_;
    int channelEnd_; // first filler block
    int block_ = 0;  // the frame sent last, from 0
    int sent_ = 0;   // frames sent
    double bar_ = 0;
};
