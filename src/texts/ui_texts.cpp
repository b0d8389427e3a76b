#include "texts/ui_texts.h"

namespace RadioText {

QString portName(int index) {
    return QStringLiteral("COM") + QString::number(index + 1);
}

QString portChanged(int index) {
    return QStringLiteral("端口转换成") + portName(index);
}

namespace {
QString missingChannels(int firstMissing, int last) {
    return firstMissing == last ? QStringLiteral("第 %1 信道").arg(firstMissing)
                                : QStringLiteral("第 %1–%2 信道").arg(firstMissing).arg(last);
}
} // namespace

QString incompleteStatus(int firstMissing, int last) {
    return QStringLiteral("信道数据不完整：%1没有读到").arg(missingChannels(firstMissing, last));
}

QString confirmIncompleteWrite(int firstMissing, int last) {
    const QString channels = missingChannels(firstMissing, last);
    return QStringLiteral("信道数据不完整：%1没有读到，写频会把它们写成空信道。\n是否仍要写频？")
        .arg(channels);
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

QString configProblems(const QString& path, const QVector<ConfigProblem>& problems) {
    QStringList lines;
    for (const ConfigProblem& p : problems)
        lines << p.text();
    return QStringLiteral("配置文件 %1 中有不能使用的项：\n%2").arg(path, lines.join(QLatin1Char('\n')));
}

QString modelAndBand(const QString& model, int band) {
    return model + (band == 1 ? BandSuffixV : BandSuffixU);
}

QString readDocumentName(const QString& model, int band) {
    return modelAndBand(model, band) + QLatin1Char(' ') + ToolRead;
}

} // namespace UiText
