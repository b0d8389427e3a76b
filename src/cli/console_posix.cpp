#include <unistd.h>

#include "cli/console.h"

namespace Cli {

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace Cli
