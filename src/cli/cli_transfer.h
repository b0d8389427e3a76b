#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "cli/cli_support.h"
#include "link/link_timing.h"
#include "link/transfer_action.h"
#include "link/transfer_session.h"
#include "link/write_sequence.h"

class SerialPort;

namespace Cli {

// --timeout S: the no-response timer in seconds (default 60). False with a message for a bad value.
bool transferTimings(const Arguments& args, LinkTimings* timings, QString* problem);

// The options every transfer command takes besides its own.
const QStringList& transferValueOptions(); // --port, --config, --timeout, --trace

// Where a transfer command keeps what it keeps: the backups (when `backups`) and, with --trace FILE, the
// serial trace.
TransferSession::Keeping keeping(const Arguments& args, bool backups);

// Opens the device that --port names (a bare name is looked for in /dev) on `port` (the session's port) and
// runs the session's job in the event loop until it finishes: messages go to stderr as they come (and count
// as closed at once), progress is drawn on stderr when it is a terminal, the no-answer hint is printed once,
// Ctrl+C cancels the transfer cleanly. The port is closed afterwards and the session finished: its backups
// are named on stderr, and its trace (however the transfer ended) when the transfer or the open failed. An
// open failure is returned in *openError with no transfer run.
const TransferSession::Outcome& runSession(TransferSession& session, SerialPort& port, const Arguments& args,
                                           Error* openError);

// Opens the channel file that is to be written (the first positional argument) and makes the checks every
// write makes first: an incomplete file is refused unless `allowIncomplete` (then a warning says so), and
// a document with a frequency outside the band or a marked cell is refused.
Error openForWrite(const Arguments& args, RadioDocument* document, bool allowIncomplete);

// Exit code and stderr line of a finished transfer.
int transferExit(const TransferResult& result);

// Exit codes of write beyond the shared ones.
constexpr int kVerifyDiffers = 3;
constexpr int kOtherModel = 4;

// Exit code and lines of a finished write: the read-back's verdict ("写频完成，校验一致" on stdout, a
// difference or a failed read-back on stderr), the radio of another model, else as transferExit.
int writeExit(const WriteSequence::Report& report, const TransferResult& result);

} // namespace Cli
