#include "texts/ui_texts.h"

namespace RadioText {

QString portName(int index) {
    return QStringLiteral("COM") + QString::number(index + 1);
}

QString portChanged(int index) {
    return QStringLiteral("端口转换成") + portName(index);
}

} // namespace RadioText
