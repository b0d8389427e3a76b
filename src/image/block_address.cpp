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

BlockRole blockRole(int index, int channelCount) {
    if (index < 2)
        return {BlockRole::Kind::Settings, index};
    if (index < 2 + 2 * channelCount)
        return {BlockRole::Kind::Channel, (index - 2) / 2 + 1};
    // The number a block has in address order, as the virtual radio's faults count blocks.
    return {BlockRole::Kind::Filler, index + 1};
}
