#pragma once

// The model table the core tests and the fuzz targets decode and encode with, written out so that no test
// depends on the shipped configuration file. Header-only: the fuzz targets include it without linking the
// test support library.

#include "config/app_config.h"
#include "image/memory_image.h"

namespace TestModels {

// Indexes of the shipped models; each covers a channel count and layout the others do not.
enum Entry : int {
    Rc160 = 0, // 16 channels, layout 1, codes 71/72
    Rc168 = 1, // 16 channels, layout 0, codes 31/32
    Rc80 = 2,  // 8 channels, layout 0, codes 41/42
    Rc120 = 3, // 12 channels, layout 1, codes 73/74
    Rc990 = 4, // 99 channels, layout 0, codes 51/52
    Rc996 = 5, // 99 channels, layout 1, codes 75/76
    Fallback = ModelTable::kSize - 1,
};

// The six models of data/Sfc.ini in its order; the last two entries are empty.
inline ModelTable shipped() {
    ModelTable t;
    t.entries[Rc160] = {"RC-160", "16", "1", "71", "72"};
    t.entries[Rc168] = {"RC-168", "16", "0", "31", "32"};
    t.entries[Rc80] = {"RC-80", "8", "0", "41", "42"};
    t.entries[Rc120] = {"RC-120", "12", "1", "73", "74"};
    t.entries[Rc990] = {"RC-990", "99", "0", "51", "52"};
    t.entries[Rc996] = {"RC-996", "99", "1", "75", "76"};
    return t;
}

// The entry a radio or file whose model code matches no other entry is taken as; its own codes are never
// compared.
inline ModelEntry fallbackEntry() {
    return {"RC-X", "8", "0", "91", "92"};
}

// The shipped models with the last entry filled.
inline ModelTable withFallback() {
    ModelTable t = shipped();
    t.entries[Fallback] = fallbackEntry();
    return t;
}

// An image whose every byte tells where it lives, so that a block put in the wrong place, or a reply for
// the wrong block, shows. Its first byte is 01.
inline MemoryImage patternedImage(int iData) {
    MemoryImage image = MemoryImage::blank(iData);
    for (int b = 0; b < image.size(); ++b)
        for (int i = 0; i < kBlockSize; ++i)
            image.blocks[b][i] = quint8((b * 7 + i * 13 + 1) & 0xFF);
    return image;
}

// The same with a model code in block 0.
inline MemoryImage patternedImage(quint8 modelCode, int iData) {
    MemoryImage image = patternedImage(iData);
    image.blocks[0][0] = modelCode;
    return image;
}

} // namespace TestModels
