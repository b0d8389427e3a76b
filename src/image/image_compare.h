#pragma once

#include <QVector>

#include "image/memory_image.h"

// Where the radio's memory, read back after a write, differs from the image that write sent: by settings
// block, by channel and by filler block, each listed once and in address order.
struct ImageDifferences {
    QVector<int> settingsBlocks; // 0 (A), 1 (B)
    QVector<int> channels;       // from 1
    QVector<int> fillerBlocks;   // block numbers from 1, in address order

    bool isEmpty() const { return settingsBlocks.isEmpty() && channels.isEmpty() && fillerBlocks.isEmpty(); }
};

// Compares the blocks a write of `sent` has the radio acknowledge - every one but the last, which the radio
// takes without a word and may not keep - with `readBack`. A block the read-back lacks counts as different.
ImageDifferences compareWritten(const MemoryImage& sent, const MemoryImage& readBack, int channelCount);
