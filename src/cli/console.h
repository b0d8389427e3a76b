#pragma once

namespace Cli {

// Whether stderr is a terminal, where progress is redrawn on one line; into a file or a pipe it is not.
// One file per platform (console_<platform>.cpp), like the stop signals.
bool stderrIsTerminal();

} // namespace Cli
