#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>

// The page count of a PDF as pdfinfo reads it; -1 when pdfinfo does not answer.
inline int pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000))
        return -1;
    const QRegularExpression re(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    return re.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).toInt();
}
