#include "texts/ui_texts.h"

namespace RadioText {

QString portName(int index) {
    return QStringLiteral("COM") + QString::number(index + 1);
}

QString portChanged(int index) {
    return QStringLiteral("端口转换成") + portName(index);
}

} // namespace RadioText

namespace UiText {

QString documentTitle(const QString& fileName, bool modified, bool incomplete, const QString& caption) {
    QString marks;
    if (modified)
        marks += QLatin1Char('*');
    if (incomplete)
        marks += Incomplete;
    if (fileName.isEmpty())
        return caption + marks;
    return fileName + marks + QStringLiteral(" - ") + caption;
}

} // namespace UiText
