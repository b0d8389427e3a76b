#pragma once

#include <QString>

namespace LinkText {
// The frequency check before a write.
inline QString frequencyOutOfBand(int row, bool transmit, int lower, int upper) {
    return QStringLiteral("第") + QString::number(row) +
           (transmit ? QStringLiteral("个信道数据的发射频率不合法，请在正确频率范围（")
                     : QStringLiteral("个信道数据的接收频率不合法，请在正确频率范围（")) +
           QString::number(lower) + QStringLiteral("Mhz--") + QString::number(upper) +
           QStringLiteral("Mhz）内输入");
}
} // namespace LinkText
