#pragma once

#include <QVector>
#include <array>

#include "image/block_address.h"

// The radio's memory as exchanged with the tool: I_data x 128 blocks of 8 bytes; 0xFF where nothing lives.
using Block = std::array<quint8, kBlockSize>;

inline Block filledBlock(quint8 value = 0xFF) {
    Block b;
    b.fill(value);
    return b;
}

struct MemoryImage {
    QVector<Block> blocks;

    static MemoryImage blank(int iData) { return {QVector<Block>(blockCount(iData), filledBlock())}; }
    int size() const { return blocks.size(); }
};
