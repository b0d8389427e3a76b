#include "link/read_transfer.h"

#include "image/block_address.h"
#include "image/current_model.h"
#include "link/link_texts.h"
#include "link/protocol.h"

ReadTransfer::ReadTransfer(const ModelTable& table, Options options)
    : TransferMachine(std::move(options)), table_(table) {}

int ReadTransfer::totalBlocks() const {
    return blockCount(iData_);
}

void ReadTransfer::begin() {
    caption(LinkText::Connecting);
    clearBuffer();
    startHandshake();
}

void ReadTransfer::handshakeDone() {
    clearBuffer();
    sendByte(Protocol::kReadMode);
    phase_ = Phase::ReadMode;
    waitForAck();
}

void ReadTransfer::acknowledged() {
    if (phase_ == Phase::ReadMode) {
        caption(LinkText::Reading);
        phase_ = Phase::Blocks;
        block_ = 1;
        clearInput();
    }
    requestBlock();
}

void ReadTransfer::requestBlock() {
    const int address = (block_ - 1) * kBlockSize;
    QByteArray request;
    request.append(Protocol::kReadCommand);
    request.append(static_cast<char>(address >> 8));
    request.append(static_cast<char>(address & 0xFF));
    request.append(Protocol::kBlockLength);
    send(request);
    waitForBlockReply();
}

void ReadTransfer::blockReplied(const QByteArray& reply) {
    reply_ = reply;
    storeBlock(reply);
}

void ReadTransfer::stored(const Error& error) {
    if (error.isError()) {
        blockLoopFailure(TransferResult::Outcome::StoreFailed, error);
        return;
    }
    stored_ = block_;
    if (block_ == 1)
        determineModel(reply_);
    progress(block_, totalBlocks());
    sendByte(Protocol::kAck);
    if (block_ >= totalBlocks()) {
        drainThen([this] {
            closePort();
            end(TransferResult::Outcome::Completed);
        });
        return;
    }
    ++block_;
    waitForAck();
}

void ReadTransfer::determineModel(const QByteArray& reply) {
    // The first data byte in upper-case hex without a leading zero ("5", "A1"), as the model table is
    // searched.
    const QString code = QString::number(static_cast<quint8>(reply.at(4)), 16).toUpper();
    const int entry = lookupModel(table_, code);
    iData_ = ::imageFactor(table_.entries[entry].channels());
}

void ReadTransfer::notAcknowledged() {
    end(TransferResult::Outcome::CommunicationError,
        {ErrorCode::Communication, LinkText::CommunicationError});
}

void ReadTransfer::noResponse() {
    closePort();
    end(TransferResult::Outcome::NoResponse, {ErrorCode::NoResponse, LinkText::NoResponse});
}

void ReadTransfer::cancelled() {
    // The read command closes the port once the progress window has gone.
    end(TransferResult::Outcome::Cancelled);
}

void ReadTransfer::lost(const Error& error) {
    if (phase_ == Phase::Blocks) {
        blockLoopFailure(TransferResult::Outcome::LinkLost, error);
        return;
    }
    closePort();
    end(TransferResult::Outcome::LinkLost, error, true);
}

void ReadTransfer::replyTooLong() {
    // More than 12 bytes cannot be a block; taking any 12 of them would store garbage as data.
    showMessages({communicationErrorMessage()}, [this] {
        closePort();
        end(TransferResult::Outcome::CommunicationError,
            {ErrorCode::Communication, LinkText::CommunicationError});
    });
}

void ReadTransfer::blockLoopFailure(TransferResult::Outcome outcome, const Error& error) {
    const QList<LinkMessage> messages = {
        {LinkMessage::Icon::Information, QString::number(error.code), error.description},
        {LinkMessage::Icon::None, options().applicationTitle, LinkText::readBlocksSent(block_, iData_)},
    };
    showMessages(messages, [this, outcome, error] {
        closePort();
        end(outcome, error);
    });
}

void ReadTransfer::end(TransferResult::Outcome outcome, const Error& error, bool escaped) {
    TransferResult r;
    r.outcome = outcome;
    r.error = error;
    r.escaped = escaped;
    r.decode = phase_ == Phase::Blocks;
    r.blocks = stored_;
    r.totalBlocks = totalBlocks();
    finish(r);
}
