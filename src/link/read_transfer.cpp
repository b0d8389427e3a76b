#include "link/read_transfer.h"

#include "image/block_address.h"
#include "image/current_model.h"
#include "link/protocol.h"

ReadTransfer::ReadTransfer(const ModelTable& table, Options options, int imageFactor)
    : TransferMachine(options), table_(table), iData_(imageFactor > 0 ? imageFactor : 1),
      sizeFixed_(imageFactor > 0) {}

int ReadTransfer::totalBlocks() const {
    return blockCount(iData_);
}

void ReadTransfer::begin() {
    caption(TransferCaption::Connecting);
    clearBuffer();
    startHandshake();
}

void ReadTransfer::handshakeDone() {
    clearBuffer();
    sendByte(Protocol::kReadMode);
    awaitAck(State::ReadModeAck);
}

void ReadTransfer::acknowledged(State wait) {
    if (wait == State::ReadModeAck) {
        caption(TransferCaption::Reading);
        block_ = 1;
        clearInput();
    }
    requestBlock();
}

void ReadTransfer::requestBlock() {
    send(Protocol::readRequest(block_ - 1));
    awaitBlockReply();
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
        drain();
        return;
    }
    ++block_;
    awaitAck(State::BlockAck);
}

void ReadTransfer::determineModel(const QByteArray& reply) {
    if (sizeFixed_)
        return;
    // The first data byte in upper-case hex without a leading zero ("5", "A1"), as the model table is
    // searched.
    const QString code = QString::number(Protocol::frameData(reply)[0], 16).toUpper();
    const int entry = lookupModel(table_, code);
    iData_ = ::imageFactor(table_.entries[entry].channels());
}

void ReadTransfer::linkFailed(const Error& error) {
    if (block_ > 0)
        blockLoopFailure(TransferResult::Outcome::LinkLost, error);
    else
        closeAndFinish(ending(TransferResult::Outcome::LinkLost, error, true));
}

void ReadTransfer::blockLoopFailure(TransferResult::Outcome outcome, const Error& error) {
    fail({TransferMessage::codedError(error), TransferMessage::readBlocksSent(block_, iData_)},
         ending(outcome, error));
}

TransferResult ReadTransfer::ending(TransferResult::Outcome outcome, const Error& error, bool escaped) const {
    TransferResult r;
    r.outcome = outcome;
    r.error = error;
    r.escaped = escaped;
    r.decode = block_ > 0;
    r.blocks = stored_;
    r.totalBlocks = totalBlocks();
    return r;
}
