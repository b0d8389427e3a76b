#include "link/write_transfer.h"

#include "link/protocol.h"

namespace {
constexpr int kBarMaximum = 128;
}

WriteTransfer::WriteTransfer(MemoryImage image, int strType, Options options)
    : TransferMachine(options), image_(std::move(image)), strType_(strType),
      iData_(qMax(1, image_.size() / kBlocksPerUnit)),
      channelEnd_(qBound(0, 2 + 2 * strType, image_.size())) {}

WriteTransfer::Part WriteTransfer::partOf(int block) const {
    if (block < 2)
        return Part::Settings;
    return block < channelEnd_ ? Part::Channels : Part::Filler;
}

void WriteTransfer::begin() {
    caption(TransferCaption::Connecting);
    startHandshake();
}

void WriteTransfer::handshakeDone() {
    clearBuffer();
    sendByte(Protocol::kWriteMode);
    awaitModeReply();
}

void WriteTransfer::modeReplied() {
    caption(TransferCaption::Writing);
    block_ = 0;
    sendFrame();
}

void WriteTransfer::sendFrame() {
    if (block_ >= image_.size()) {
        closeAndFinish(ending(TransferResult::Outcome::Completed));
        return;
    }
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
    if (block_ == image_.size() - 1) {
        // The radio leaves programming mode after the last block and does not acknowledge it.
        drain();
        return;
    }
    awaitAck(State::FrameAck);
}

void WriteTransfer::acknowledged(State) {
    if (block_ == 1) {
        bar_ = 2;
        progress(bar_, kBarMaximum);
    }
    ++block_;
    sendFrame();
}

void WriteTransfer::linkFailed(const Error& error) {
    if (sent_ == 0) {
        closeAndFinish(ending(TransferResult::Outcome::LinkLost, error, true));
        return;
    }
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
