#pragma once

#include <QString>
#include <QtGlobal>

// 8-byte blocks: block k lives at address 8k, written as page (high byte) and offset (low byte). The
// lines of the channel file and the virtual radio use it; the transfers compute their addresses themselves.
struct BlockAddress {
    int page = 0;
    int offset = 0;

    int address() const { return page * 256 + offset; }
    QString pageText() const;   // "00" ... "07" in a channel file
    QString offsetText() const; // two hex digits
    static BlockAddress ofBlock(int index) { return {index / 32, (index % 32) * 8}; }
};

constexpr int kBlockSize = 8;
constexpr int kBlocksPerUnit = 128;

// I_data: 1 when the channel count is exactly 16, otherwise 2.
int imageFactor(int channelCount);
// Blocks in an image of I_data units.
inline int blockCount(int iData) {
    return iData * kBlocksPerUnit;
}

// What a block of an image holds for a model of `channelCount` channels: settings blocks A and B first,
// then two blocks for each channel, then filler blocks (FF) up to the end of the image.
struct BlockRole {
    enum class Kind { Settings, Channel, Filler };
    Kind kind = Kind::Settings;
    int number = 0; // Settings: 0 (A) or 1 (B); Channel: the channel from 1; Filler: the block from 1
};
BlockRole blockRole(int index, int channelCount);
