#pragma once

#include <QByteArray>
#include <QVector>
#include <variant>

#include "config/error.h"

// The timers a transfer asks for: the no-response timer, the pacing of the wake-up bytes, the wait that
// lets the last bytes leave before the port closes, and the wait after which a wake-up that nothing has
// answered says so.
enum class LinkTimer { NoResponse, WakeUpPacing, Drain, NoAnswerHint };
// Every timer, in the order a finishing transfer stops them.
inline constexpr LinkTimer kLinkTimers[] = {LinkTimer::NoResponse, LinkTimer::WakeUpPacing, LinkTimer::Drain,
                                            LinkTimer::NoAnswerHint};

// What the progress window's caption says; the faces word it. NoAnswer: the wake-up has heard nothing at
// all for a while (wrong port, cable, power) and goes on trying.
enum class TransferCaption { Connecting, Reading, Writing, NoAnswer };

// The stages of a job, each a session of its own with the radio.
enum class TransferStage { Read, BackupRead, Write, Verify };

// A message for the user as a kind and the values it names; the faces word it and choose its icon. The
// transfer waits until the user has closed it (messageClosed).
struct TransferMessage {
    enum class Kind {
        NoResponse,         // the radio did not answer in time
        LeftDuringHold,     // no answer since a hold ended: the radio left programming mode meanwhile
        CommunicationError, // the radio answered, but not with an acknowledgement
        CodedError,         // `error`, titled with its code
        ReadBlocksSent,     // after a failure in the block loop of a read: `blocks` (current block), `iData`
        SettingsBlockError, // after a failure in the two settings blocks of a write: `error`
        WriteProgress,      // first after a failure in the channel or filler blocks: the bar's `progress`
        WriteBlocksSent, // second after that failure: `blocks` (channel or filler index), `iData`, `strType`
    };
    Kind kind = Kind::NoResponse;
    Error error;
    double progress = 0;
    int blocks = 0;
    int iData = 0;
    int strType = 0;

    static TransferMessage noResponse() { return {Kind::NoResponse, {}}; }
    static TransferMessage communicationError() { return {Kind::CommunicationError, {}}; }
    static TransferMessage codedError(const Error& e) { return {Kind::CodedError, e}; }
    static TransferMessage settingsBlockError(const Error& e) { return {Kind::SettingsBlockError, e}; }
    static TransferMessage readBlocksSent(int block, int iData) {
        return {Kind::ReadBlocksSent, {}, 0, block, iData};
    }
    static TransferMessage writeProgress(double value) { return {Kind::WriteProgress, {}, value}; }
    static TransferMessage writeBlocksSent(int index, int iData, int strType) {
        return {Kind::WriteBlocksSent, {}, 0, index, iData, strType};
    }

    bool operator==(const TransferMessage& o) const {
        return kind == o.kind && error.code == o.error.code && error.description == o.error.description &&
               progress == o.progress && blocks == o.blocks && iData == o.iData && strType == o.strType;
    }
};

struct TransferResult {
    enum class Outcome { Completed, Cancelled, NoResponse, CommunicationError, LinkLost, StoreFailed };
    Outcome outcome = Outcome::Completed;
    Error error;          // the failure as a value (its code); none when completed or cancelled
    bool escaped = false; // not handled by the transfer itself: the progress window reports error
    bool decode = false;  // a read that got past the read-mode byte: its received file is to be decoded
    int blocks = 0;       // blocks received (read) or sent (write)
    int totalBlocks = 0;  // blocks of the whole image, as far as known

    bool ok() const { return outcome == Outcome::Completed; }
};

// What a transfer asks its driver to do, one small value per kind.
namespace Act {
struct Send {
    QByteArray bytes;
};
struct ClearInput {}; // discard received bytes still waiting in the port
struct StartTimer {   // (re)start
    LinkTimer timer;
    int interval;
};
struct StopTimer {
    LinkTimer timer;
};
struct Caption {
    TransferCaption caption;
};
struct Progress {
    double value;
    int maximum;
};
struct Message { // the transfer waits for messageClosed
    TransferMessage message;
};
struct StoreBlock { // one block reply for the received file; answer with blockStored
    QByteArray reply;
};
struct ClosePort {};
struct Finished {
    TransferResult result;
};
} // namespace Act

using TransferAction =
    std::variant<Act::Send, Act::ClearInput, Act::StartTimer, Act::StopTimer, Act::Caption, Act::Progress,
                 Act::Message, Act::StoreBlock, Act::ClosePort, Act::Finished>;
using TransferActions = QVector<TransferAction>;
