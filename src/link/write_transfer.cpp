#include "link/write_transfer.h"

#include "link/link_texts.h"
#include "link/protocol.h"

namespace {
constexpr int kBarMaximum = 128;
}

WriteTransfer::WriteTransfer(MemoryImage image, int strType, Options options)
    : TransferMachine(std::move(options)), image_(std::move(image)), strType_(strType),
      iData_(qMax(1, image_.size() / kBlocksPerUnit)),
      channelEnd_(qBound(0, 2 + 2 * strType, image_.size())) {}

QByteArray WriteTransfer::frame(int blockIndex, const Block& data) {
    const int address = blockIndex * kBlockSize;
    QByteArray f;
    f.reserve(Protocol::kFrameSize);
    f.append(Protocol::kWriteCommand);
    f.append(static_cast<char>(address >> 8));
    f.append(static_cast<char>(address & 0xFF));
    f.append(Protocol::kBlockLength);
    for (quint8 b : data)
        f.append(static_cast<char>(b));
    return f;
}

WriteTransfer::Phase WriteTransfer::phaseOf(int block) const {
    if (block < 2)
        return Phase::Settings;
    return block < channelEnd_ ? Phase::Channels : Phase::Filler;
}

void WriteTransfer::begin() {
    caption(LinkText::Connecting);
    startHandshake();
}

void WriteTransfer::handshakeDone() {
    clearBuffer();
    sendByte(Protocol::kWriteMode);
    phase_ = Phase::WriteMode;
    waitForModeReply();
}

void WriteTransfer::modeReplied() {
    caption(LinkText::Writing);
    block_ = 0;
    sendBlock();
}

void WriteTransfer::sendBlock() {
    if (block_ >= image_.size()) {
        closePort();
        end(TransferResult::Outcome::Completed);
        return;
    }
    phase_ = phaseOf(block_);
    send(frame(block_, image_.blocks[block_]));
    sent_ = block_ + 1;
    if (block_ == 0) {
        bar_ = 1;
        progress(bar_, kBarMaximum);
    } else if (phase_ == Phase::Channels) {
        bar_ += 1.0 / iData_;
        progress(bar_, kBarMaximum);
    } else if (phase_ == Phase::Filler && bar_ < kBarMaximum) {
        bar_ = qMin<double>(kBarMaximum, bar_ + 1.0 / iData_);
        progress(bar_, kBarMaximum);
    }
    if (block_ == image_.size() - 1) {
        // The radio leaves programming mode after the last block and does not acknowledge it.
        drainThen([this] {
            closePort();
            end(TransferResult::Outcome::Completed);
        });
        return;
    }
    waitForAck();
}

void WriteTransfer::acknowledged() {
    if (block_ == 1) {
        bar_ = 2;
        progress(bar_, kBarMaximum);
    }
    ++block_;
    sendBlock();
}

void WriteTransfer::notAcknowledged() {
    end(TransferResult::Outcome::CommunicationError,
        {ErrorCode::Communication, LinkText::CommunicationError});
}

void WriteTransfer::noResponse() {
    closePort();
    end(TransferResult::Outcome::NoResponse, {ErrorCode::NoResponse, LinkText::NoResponse});
}

void WriteTransfer::cancelled() {
    end(TransferResult::Outcome::Cancelled);
}

void WriteTransfer::lost(const Error& error) {
    QList<LinkMessage> messages;
    switch (phase_) {
    case Phase::Handshake:
    case Phase::WriteMode:
        closePort();
        end(TransferResult::Outcome::LinkLost, error, true);
        return;
    case Phase::Settings:
        messages << LinkMessage{LinkMessage::Icon::Warning, LinkText::ErrorTitle,
                                LinkText::settingsBlockError(error.code, error.description)};
        break;
    case Phase::Channels:
    case Phase::Filler: {
        const int index = phase_ == Phase::Channels ? (block_ - 2) / 2 + 1 : block_ - channelEnd_ + 1;
        const QString title = options().applicationTitle;
        messages << LinkMessage{LinkMessage::Icon::None, title, LinkText::progressValue(bar_)}
                 << LinkMessage{LinkMessage::Icon::None, title,
                                LinkText::writeBlocksSent(index, iData_, strType_)}
                 << LinkMessage{LinkMessage::Icon::Information, QString::number(error.code),
                                error.description};
        break;
    }
    }
    showMessages(messages, [this, error] {
        closePort();
        end(TransferResult::Outcome::LinkLost, error);
    });
}

void WriteTransfer::end(TransferResult::Outcome outcome, const Error& error, bool escaped) {
    TransferResult r;
    r.outcome = outcome;
    r.error = error;
    r.escaped = escaped;
    r.blocks = sent_;
    r.totalBlocks = image_.size();
    finish(r);
}
