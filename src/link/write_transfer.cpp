#include "link/write_transfer.h"

#include "link/protocol.h"

namespace {
constexpr int kBarMaximum = 128;
}

WriteTransfer::WriteTransfer(MemoryImage image, int strType, Options options)
    : TransferMachine(options, Transfer::kWriteRows), image_(std::move(image)), strType_(strType),
      iData_(qMax(1, image_.size() / kBlocksPerUnit)),
      channelEnd_(qBound(0, 2 + 2 * strType, image_.size())) {}

WriteTransfer::Part WriteTransfer::partOf(int block) const {
    if (block < 2)
        return Part::Settings;
    return block < channelEnd_ ? Part::Channels : Part::Filler;
}

// Frames go out in order, so the next one's index is the count sent. The radio leaves programming mode
// after the last and does not acknowledge it.
int WriteTransfer::stepsLeft() const {
    return image_.size() - sent_;
}

bool WriteTransfer::perform(Reaction reaction) {
    switch (reaction) {
    case Reaction::BeginWrite:
        caption(TransferCaption::Connecting);
        startHandshake();
        return true;
    case Reaction::EnterWriteMode:
        takeReply();
        sendByte(Protocol::kWriteMode);
        return true;
    case Reaction::FirstFrame:
        takeReply();
        caption(TransferCaption::Writing);
        sendFrame();
        return true;
    case Reaction::NothingToWrite:
        takeReply();
        caption(TransferCaption::Writing);
        closeAndFinish(ending(TransferResult::Outcome::Completed));
        return true;
    case Reaction::NextFrame:
        takeAck();
        if (block_ == 1) {
            bar_ = 2;
            progress(bar_, kBarMaximum);
        }
        ++block_;
        sendFrame();
        return true;
    case Reaction::FailWriting:
        stopWaiting();
        failWriting();
        return true;
    default:
        return TransferMachine::perform(reaction);
    }
}

void WriteTransfer::sendFrame() {
    const Part part = partOf(block_);
    send(Protocol::writeFrame(block_, image_.blocks[block_]));
    sent_ = block_ + 1;
    if (block_ == 0) {
        bar_ = 1;
        progress(bar_, kBarMaximum);
    } else if (part == Part::Channels) {
        bar_ += 1.0 / iData_;
        progress(bar_, kBarMaximum);
    } else if (part == Part::Filler && bar_ < kBarMaximum) {
        bar_ = qMin<double>(kBarMaximum, bar_ + 1.0 / iData_);
        progress(bar_, kBarMaximum);
    }
}

void WriteTransfer::failWriting() {
    const Error& error = eventError();
    QList<TransferMessage> messages;
    const Part part = partOf(block_);
    if (part == Part::Settings) {
        messages << TransferMessage::settingsBlockError(error);
    } else {
        const int index = part == Part::Channels ? (block_ - 2) / 2 + 1 : block_ - channelEnd_ + 1;
        messages << TransferMessage::writeProgress(bar_)
                 << TransferMessage::writeBlocksSent(index, iData_, strType_)
                 << TransferMessage::codedError(error);
    }
    fail(messages, ending(TransferResult::Outcome::LinkLost, error));
}

TransferResult WriteTransfer::ending(TransferResult::Outcome outcome, const Error& error,
                                     bool escaped) const {
    TransferResult r;
    r.outcome = outcome;
    r.error = error;
    r.escaped = escaped;
    r.blocks = sent_;
    r.totalBlocks = image_.size();
    return r;
}
