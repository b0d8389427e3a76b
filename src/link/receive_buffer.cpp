#include "link/receive_buffer.h"

QString ReceiveBuffer::decimalText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size() * 3);
    for (char c : bytes)
        text += QString::number(static_cast<quint8>(c));
    return text;
}

void ReceiveBuffer::append(const QByteArray& bytes) {
    text_ += decimalText(bytes);
}
