#include "link/read_transfer.h"

#include "image/block_address.h"
#include "image/current_model.h"
#include "link/protocol.h"

ReadTransfer::ReadTransfer(const ModelTable& table, Options options, int imageFactor)
    : TransferMachine(options, Transfer::kReadRows), table_(table), iData_(imageFactor > 0 ? imageFactor : 1),
      sizeFixed_(imageFactor > 0) {}

int ReadTransfer::totalBlocks() const {
    return blockCount(iData_);
}

// The block being stored counts; the first is never the last (an image has 128 blocks at least), so the
// model its reply names cannot change the answer.
int ReadTransfer::stepsLeft() const {
    return totalBlocks() - block_ + 1;
}

bool ReadTransfer::perform(Reaction reaction) {
    switch (reaction) {
    case Reaction::BeginRead:
        caption(TransferCaption::Connecting);
        clearBuffer();
        startHandshake();
        return true;
    case Reaction::EnterReadMode:
        takeReply();
        sendByte(Protocol::kReadMode);
        return true;
    case Reaction::StartReading:
        takeAck();
        caption(TransferCaption::Reading);
        block_ = 1;
        clearInput();
        requestBlock();
        return true;
    case Reaction::RequestBlock:
        takeAck();
        requestBlock();
        return true;
    case Reaction::StoreReply:
        reply_ = takeBlock();
        act(Act::StoreBlock{reply_});
        return true;
    case Reaction::AckBlock:
        acknowledgeBlock();
        return true;
    case Reaction::FailStoring:
        blockLoopFailure(TransferResult::Outcome::StoreFailed, eventError());
        return true;
    case Reaction::FailReading:
        stopWaiting();
        blockLoopFailure(TransferResult::Outcome::LinkLost, eventError());
        return true;
    default:
        return TransferMachine::perform(reaction);
    }
}

void ReadTransfer::requestBlock() {
    send(Protocol::readRequest(block_ - 1));
}

void ReadTransfer::acknowledgeBlock() {
    stored_ = block_;
    if (block_ == 1)
        determineModel(reply_);
    progress(block_, totalBlocks());
    sendByte(Protocol::kAck);
    ++block_; // past the end after the last block, where nothing asks for it
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
