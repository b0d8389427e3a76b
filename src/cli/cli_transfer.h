#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "cli/cli_support.h"
#include "link/link_timing.h"
#include "link/transfer_action.h"
#include "link/write_sequence.h"

class SerialPort;
class TransferJob;

namespace Cli {

// --timeout S: the no-response timer in seconds (default 60). False with a message for a bad value.
bool transferTimings(const Arguments& args, LinkTimings* timings, QString* problem);

// Opens the device on `port` (the job's port) and runs the job in the event loop until it finishes:
// messages go to stderr as they come (and count as closed at once), progress is drawn on stderr when it is
// a terminal, Ctrl+C cancels the transfer cleanly. The port is closed afterwards. An open failure is
// returned in *openError with no transfer run.
TransferResult runJob(TransferJob& job, SerialPort& port, const QString& device, Error* openError);

// Exit code and stderr line of a finished transfer.
int transferExit(const TransferResult& result);

// Exit codes of write beyond the shared ones.
constexpr int kVerifyDiffers = 3;
constexpr int kOtherModel = 4;

// Exit code and lines of a finished write: the read-back's verdict ("写频完成，校验一致" on stdout, a
// difference or a failed read-back on stderr), the radio of another model, else as transferExit.
int writeExit(const WriteSequence::Report& report, const TransferResult& result);

} // namespace Cli
