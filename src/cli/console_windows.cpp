#include <cstdio>
#include <io.h>

#include "cli/console.h"

namespace Cli {

bool stderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

} // namespace Cli
