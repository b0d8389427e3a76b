#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "cli/cli_support.h"
#include "link/link_timing.h"
#include "link/transfer_action.h"

class TransferMachine;

namespace Cli {

// --timeout S: the no-response timer in seconds (default 60). False with a message for a bad value.
bool transferTimings(const Arguments& args, LinkTimings* timings, QString* problem);

// Opens the device and runs the machine in the event loop until it finishes: messages go to stderr as
// they come (and count as closed at once), progress is drawn on stderr when it is a terminal, Ctrl+C
// cancels the transfer cleanly. An open failure is returned in *openError with no transfer run.
TransferResult runTransfer(TransferMachine& machine, const QString& device,
                           const std::function<Error(const QByteArray&)>& blockSink, Error* openError);

// Exit code and stderr line of a finished transfer.
int transferExit(const TransferResult& result);

} // namespace Cli
