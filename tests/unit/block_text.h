#pragma once

#include <QStringList>

#include "image/hex.h"
#include "image/memory_image.h"

// Blocks written as the channel file writes their data tokens: "00 00 85 43 00 00 85 43".
inline Block blockOf(const QString& text) {
    Block b;
    const QStringList t = text.split(QLatin1Char(' '));
    for (int i = 0; i < kBlockSize; ++i)
        parseByteText(t[i], &b[i]);
    return b;
}

inline QString textOf(const Block& b) {
    QStringList t;
    for (quint8 v : b)
        t << byteText(v);
    return t.join(QLatin1Char(' '));
}
