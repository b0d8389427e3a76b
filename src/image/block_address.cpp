#include "image/block_address.h"

#include "image/hex.h"

QString BlockAddress::pageText() const {
    return QLatin1Char('0') + QString::number(page);
}

QString BlockAddress::offsetText() const {
    return byteText(quint8(offset));
}

int imageFactor(int channelCount) {
    return channelCount == 16 ? 1 : 2;
}
