#include "texts/import_texts.h"

#include <QMap>
#include <QSet>

namespace ImportTexts {

namespace {

QString quoted(const QString& value) {
    return QStringLiteral("“%1”").arg(value);
}

} // namespace

QString loss(const ChirpCsv::Loss& loss) {
    using K = ChirpCsv::Loss::Kind;
    switch (loss.kind) {
    case K::Name:
        return QStringLiteral("名称%1不保存").arg(quoted(loss.value));
    case K::Comment:
        return QStringLiteral("备注%1不保存").arg(quoted(loss.value));
    case K::Power:
        return QStringLiteral("功率 %1 取为%2").arg(loss.value, quoted(loss.cell));
    case K::PriorityScan:
        return QStringLiteral("优先扫描（Skip=P）按普通扫描");
    case K::Skip:
        return QStringLiteral("本机型没有扫描添加项，Skip=%1 不保存").arg(loss.value);
    case K::TuningStep:
        return QStringLiteral("步进 %1 kHz 不保存").arg(loss.value);
    }
    return {};
}

QStringList problemLines(const ChirpCsv::ReadResult& result) {
    QStringList lines;
    for (const ChirpCsv::LineProblem& p : result.problems)
        lines << p.error.description;
    return lines;
}

QStringList lossLines(const ChirpCsv::ReadResult& result) {
    QMap<int, QStringList> byLine;
    for (const ChirpCsv::Loss& l : result.losses)
        byLine[l.line] << loss(l);
    QStringList lines;
    for (auto it = byLine.cbegin(); it != byLine.cend(); ++it)
        lines << QStringLiteral("第 %1 行：%2").arg(it.key()).arg(it.value().join(QStringLiteral("；")));
    return lines;
}

int leftOutCount(const ChirpCsv::ReadResult& result) {
    QSet<int> lines;
    for (const ChirpCsv::LineProblem& p : result.problems)
        lines.insert(p.line);
    return lines.size();
}

int usableCount(const ChirpCsv::ReadResult& result) {
    int count = 0;
    for (const ChirpCsv::ImportedChannel& channel : result.channels)
        count += channel.isEmpty() ? 0 : 1;
    return count;
}

QString summary(const ChirpCsv::ReadResult& result) {
    const int lost = lossLines(result).size();
    QStringList parts{usableCount(result) > 0 ? QStringLiteral("可以导入 %1 个信道").arg(usableCount(result))
                                              : NothingToImport.chopped(1)};
    if (!result.problems.isEmpty())
        parts << QStringLiteral("%1 行不能导入").arg(leftOutCount(result));
    if (lost > 0)
        parts << QStringLiteral("%1 个信道会失去一些信息").arg(lost);
    return parts.join(QStringLiteral("；")) + QStringLiteral("。");
}

QString report(const ChirpCsv::ReadResult& result) {
    QStringList text;
    if (const QStringList problems = problemLines(result); !problems.isEmpty())
        text << LeftOutHeading << problems << QString();
    if (const QStringList losses = lossLines(result); !losses.isEmpty())
        text << LostHeading << losses;
    return text.join(QLatin1Char('\n')).trimmed();
}

bool hasNews(const ChirpCsv::ReadResult& result) {
    return !result.problems.isEmpty() || !result.losses.isEmpty();
}

} // namespace ImportTexts
