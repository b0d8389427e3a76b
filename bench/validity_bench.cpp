// Times the check of every cell of a 99-channel document as it is opened: the rules alone over the
// table, and the whole open (read, decode, check), 50 times each; prints the median and worst times.
// Goal: the check under 5 ms.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "bench_report.h"
#include "document/radio_document.h"
#include "image/cell_rules.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString data = QStringLiteral(RADIOCPS_SOURCE_DIR "/data");
    const QString sample = data + QStringLiteral("/samples/rc996-99.qfd");
    RadioDocument document;
    document.models().readFrom(data + QStringLiteral("/Sfc.ini"));
    if (const Error e = document.openFile(sample); e.isError()) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description));
        return 1;
    }
    // Every frequency off the raster, so that each cell goes through every rule and is marked.
    ChannelTable table = document.table();
    for (int row = 1; row <= table.channelCount(); ++row) {
        for (int column : {1, 2})
            table.setCell(row, column, QStringLiteral("430.00100"));
    }
    QVector<double> checking, opening;
    QElapsedTimer timer;
    int marked = 0;
    for (int run = 0; run < 50; ++run) {
        timer.start();
        marked = CellRules::invalidCells(table, document.frequencyLimits()).size();
        checking << timer.nsecsElapsed() / 1e6;
        timer.start();
        const Error e = document.openFile(sample);
        opening << timer.nsecsElapsed() / 1e6;
        if (e.isError() || marked != 2 * table.channelCount()) {
            std::fprintf(stderr, "the check did not mark every frequency (%d marked)\n", marked);
            return 1;
        }
    }
    std::printf("%d channels, %d columns\n", table.channelCount(), table.columnCount());
    reportTimes("check of every cell", checking);
    reportTimes("open, decode and check", opening);
    return 0;
}
