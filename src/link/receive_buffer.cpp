#include "link/receive_buffer.h"

namespace {

bool hasSix(quint8 byte) {
    for (; byte; byte /= 10) {
        if (byte % 10 == 6)
            return true;
    }
    return false;
}

} // namespace

QString ReceiveBuffer::decimalText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size() * 3);
    for (char c : bytes)
        text += QString::number(static_cast<quint8>(c));
    return text;
}

QByteArray ReceiveBuffer::deciding(const QByteArray& bytes) {
    if (bytes.size() <= kCapacity)
        return bytes;
    QByteArray kept = bytes.left(kCapacity);
    for (qsizetype i = kCapacity; i < bytes.size(); ++i) {
        if (hasSix(static_cast<quint8>(bytes[i]))) {
            kept += bytes[i];
            break;
        }
    }
    return kept;
}

void ReceiveBuffer::append(const QByteArray& bytes) {
    for (char c : bytes) {
        const quint8 byte = static_cast<quint8>(c);
        if (text_.size() < kCapacity) {
            text_ += QString::number(byte).left(kCapacity - text_.size());
        } else if (acknowledged_) {
            return; // nothing more to learn from the rest
        }
        acknowledged_ = acknowledged_ || hasSix(byte);
    }
}
