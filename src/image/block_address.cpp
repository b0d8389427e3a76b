#include "image/block_address.h"

#include "image/hex.h"

QString BlockAddress::pageText() const {
    return QLatin1Char('0') + QString::number(page);
}

QString BlockAddress::offsetText() const {
    return byteText(quint8(offset));
}

BlockAddress BlockAddressSequence::next() {
    BlockAddress a;
    if (counter_ * 8 == 256) {
        ++page_;
        a = {page_, 0};
        counter_ = 1;
    } else {
        a = {page_, counter_ * 8};
        ++counter_;
    }
    return a;
}

int imageFactor(int channelCount) {
    return channelCount == 16 ? 1 : 2;
}
