#include "texts/validity_texts.h"

namespace ValidityText {

QString problem(CellRules::Problem problem, const CellRules::FrequencyLimits& limits) {
    switch (problem) {
    case CellRules::Problem::None:
        return {};
    case CellRules::Problem::NotAFrequency:
        return QStringLiteral("不是有效的频率");
    case CellRules::Problem::OutOfBand:
        return QStringLiteral("超出频段 %1–%2 MHz").arg(limits.lower).arg(limits.upper);
    case CellRules::Problem::OffRaster:
        return QStringLiteral("频率需为6.25K或5K的整数倍");
    case CellRules::Problem::UnknownSignalling:
        return QStringLiteral("信令不存在");
    case CellRules::Problem::NotListed:
        return QStringLiteral("不是本列的选项");
    }
    return {};
}

QString cell(const ChannelTable& table, const CellRules::CellIssue& issue,
             const CellRules::FrequencyLimits& limits) {
    return QStringLiteral("第 %1 信道 %2“%3”：%4")
        .arg(issue.row)
        .arg(table.cell(0, issue.column), table.cell(issue.row, issue.column),
             problem(issue.problem, limits));
}

QString count(int invalidCells) {
    return invalidCells > 0 ? QStringLiteral("%1 个单元格的数据无效").arg(invalidCells) : QString();
}

QString writeRefused(const ChannelTable& table, const CellRules::CellIssue& first,
                     const CellRules::FrequencyLimits& limits, int invalidCells) {
    return QStringLiteral("%1\n共 %2 个单元格的数据无效，改正后才能写频，对讲机未作任何改动。")
        .arg(cell(table, first, limits))
        .arg(invalidCells);
}

} // namespace ValidityText
