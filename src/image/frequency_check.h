#pragma once

#include <QString>

#include "config/error.h"
#include "image/channel_table.h"

// The check of the frequency cells before a write. Empty cells and cells containing "FF" are skipped; the
// first three characters are the whole megahertz; the limits are those of the band (inclusive).
struct FrequencyCheck {
    enum class Verdict {
        Passed,
        NotANumber, // the cell's megahertz are not a number: an error the face titles with its code
        OutOfBand,  // outside the band's limits: the face names channel, direction and limits
    };
    Verdict verdict = Verdict::Passed;
    int row = 0;           // the first channel that failed
    bool transmit = false; // its transmit cell (column 2) rather than its receive cell
    int lower = 0;         // the band's limits, for the message
    int upper = 0;
    Error error; // NotANumber: the type-mismatch error naming channel and cell

    explicit operator bool() const { return verdict == Verdict::Passed; }
};

// ValidateFrequencies: rows from the first, receive before transmit, against the limits of `band`.
FrequencyCheck ValidateFrequencies(const ChannelTable& table, int band);
