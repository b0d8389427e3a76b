#pragma once

#include <QDateTime>
#include <QString>

#include "link/transfer_action.h"
#include "link/write_sequence.h"

// What became of one radio of a fleet run. The faces word it (texts/fleet_texts.h): the results table,
// the line radiocps-cli prints and the CSV log show the same columns.
struct FleetRecord {
    enum class Outcome {
        Succeeded,  // written, and read back the same when verify was on
        Failed,     // the write, the read before it or the read-back did not complete: `result` says why
        OtherModel, // the read before the write found another model: nothing written
        Differs,    // written, but the read-back differs: `report.differences`
        Stopped,    // stopped at once by the user while it was being written
    };
    enum class Check { NotAsked, Same, Differs, Failed, NotReached };

    int index = 0; // 1, 2, ... in the order the radios answered
    QString port;  // the device
    QDateTime started;
    qint64 elapsedMs = 0;
    QString model; // the radio's model when it was read first, else the document's
    Outcome outcome = Outcome::Failed;
    Check check = Check::NotAsked;
    TransferResult result;
    WriteSequence::Report report;
    QString backupPath; // what the radio held when it was read first, else what was written to it

    bool succeeded() const { return outcome == Outcome::Succeeded; }

    // The outcome and check of a finished write sequence.
    static FleetRecord of(const WriteSequence& write, bool verify);
};
