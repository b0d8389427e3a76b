#pragma once

#include "config/error.h"
#include "image/channel_table.h"

struct BandLimits {
    int lower = 0;
    int upper = 0;
};

// The whole-megahertz limits of the check before a write, by the selected band entry: 0 "(U)" 300-650,
// 1 "(V)" 70-300; no band selected gives 0-0, which no filled frequency passes.
BandLimits writeBandLimits(int band);

struct FrequencyCheck {
    bool ok = true;
    // A cell that is not a number: shown with the error number as caption. Otherwise the out-of-band
    // message, shown with the caption "提示".
    bool runtimeError = false;
    int row = 0;
    bool transmit = false;
    Error error; // description: the message text

    explicit operator bool() const { return ok; }
};

// ValidateFrequencies: rows from the first, receive before transmit; empty cells and cells containing
// "FF" are skipped; the first three characters are the whole megahertz; limits are inclusive.
FrequencyCheck ValidateFrequencies(const ChannelTable& table, int band);
