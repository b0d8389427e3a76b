#pragma once

#include <QString>
#include <QStringList>

#include "sim/radio_fault.h"

// What radiocps-sim was asked to do.
struct SimOptions {
    QString image;  // channel file of the memory; empty: blank
    int blocks = 0; // 128 or 256; 0: 128, or the size of the image
    int baud = 0;   // 0: no pacing
    QString link;
    QString save;
    QString stats;
    RadioFault fault;
    int idleMs = 2000;
    int swapMs = -1; // a fresh radio this long after the tool is through with one; -1: one radio only
    int radios = 0;  // end after this many radios; 0: no limit
};

namespace SimExit {
constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;
} // namespace SimExit

void printSimError(const QString& text);

// Parses the command line. Returns -1 to go on with *options, or the exit code after --help, --version
// or a usage error (printed).
int parseSimOptions(const QStringList& arguments, SimOptions* options);
