// radiocps-sim: a virtual radio on a pseudo-terminal, for tests, benchmarks and trying the tool without
// hardware. One file per concern: the options, the image, the signals, the run.
#include <QCoreApplication>

#include "config/build_info.h"
#include "sim_image.h"
#include "sim_options.h"
#include "sim_run.h"
#include "sim_signals.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiocps-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RADIOCPS_VERSION));

    SimOptions options;
    if (const int code = parseSimOptions(QCoreApplication::arguments(), &options); code >= 0)
        return code;
    MemoryImage image = MemoryImage::blank(options.blocks == blockCount(2) ? 2 : 1);
    if (!options.image.isEmpty()) {
        if (Error e = loadSimImage(options.image, options.blocks, &image); e.isError()) {
            printSimError(e.description);
            return SimExit::kFailure;
        }
    }
    const QuitOnSignals quitOnSignals;
    if (!quitOnSignals.isWatching()) {
        printSimError(QStringLiteral("pipe2 failed"));
        return SimExit::kFailure;
    }
    return runSim(options, image);
}
