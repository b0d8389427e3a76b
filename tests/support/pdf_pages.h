#pragma once

#include <QList>
#include <QProcess>
#include <QRectF>
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

// One word as pdftotext -bbox finds it: its page (0 for the first), the page's size and the word's box, in
// points from the page's top-left corner.
struct PdfWord {
    int page = 0;
    QSizeF pageSize;
    QRectF box;
    QString text;
};

// Every word of a PDF in reading order; empty when pdftotext does not answer.
inline QList<PdfWord> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QRegularExpression pageRe(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const QRegularExpression wordRe(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                   "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*)</word>"));
    QList<PdfWord> words;
    int page = -1;
    QSizeF pageSize;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (const auto m = pageRe.match(line); m.hasMatch()) {
            ++page;
            pageSize = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
        } else if (const auto w = wordRe.match(line); w.hasMatch()) {
            const QPointF from(w.captured(1).toDouble(), w.captured(2).toDouble());
            const QPointF to(w.captured(3).toDouble(), w.captured(4).toDouble());
            QString text = w.captured(5);
            text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            words.append({page, pageSize, QRectF(from, to), text});
        }
    }
    return words;
}
