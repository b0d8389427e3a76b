// Times reading a long CHIRP list of two bands into a 16-channel model the way an import does: read every
// line, check it, and word the report of what is left out and lost, at the Locations and in file order; 50
// runs each. Goal: under 50 ms for several hundred lines.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "bench_report.h"
#include "image/chirp_csv.h"
#include "texts/import_texts.h"

namespace {

constexpr int kLines = 600;

// A stock list as CHIRP writes it: every column, names, half the lines outside the band, tones, and
// powers that round.
QByteArray longList() {
    QByteArray csv = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                     "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
    for (int i = 1; i <= kLines; ++i) {
        const bool uhf = i % 2 == 0;
        const QString mhz =
            QString::number(uhf ? 430.0 + (i % 400) * 0.0125 : 145.0 + (i % 200) * 0.0125, 'f', 6);
        csv += QStringLiteral("%1,Ch %1,%2,-,7.600000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,12.50,,0.5W,"
                              "club list,,,,\r\n")
                   .arg(i)
                   .arg(mhz)
                   .toUtf8();
    }
    return csv;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QByteArray csv = longList();
    ChirpCsv::ReadOptions options;
    options.layout = Layout::One;
    options.channelCount = 16;
    options.limits = {true, 400, 470};
    QVector<double> asWritten, inOrder;
    QElapsedTimer timer;
    int reportLines = 0;
    for (int run = 0; run < 50; ++run) {
        for (bool fileOrder : {false, true}) {
            options.inFileOrder = fileOrder;
            timer.start();
            ChirpCsv::ReadResult read;
            ChirpCsv::read(csv, options, &read);
            reportLines = ImportTexts::report(read).count(QLatin1Char('\n'));
            (fileOrder ? inOrder : asWritten) << timer.nsecsElapsed() / 1e6;
            if (ImportTexts::usableCount(read) != (fileOrder ? 16 : 8)) {
                std::fprintf(stderr, "unexpected channels: %d\n", ImportTexts::usableCount(read));
                return 1;
            }
        }
    }
    std::printf("%d lines, %d lines of report\n", kLines, reportLines);
    reportTimes("read, check, report", asWritten);
    reportTimes("the same in file order", inOrder);
    return 0;
}
