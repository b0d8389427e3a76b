#pragma once

#include <QString>

#include "image/cell_rules.h"
#include "image/channel_table.h"

// The words of a marked cell, shared by the grid's tooltip, the status bar, the write's refusal and the
// command line's warnings.
namespace ValidityText {

inline const QString MenuNextInvalid = QStringLiteral("下一个无效单元格");

// The rule a cell breaks: "超出频段 400–470 MHz", "不在 6.25K 或 5K 的频率间隔上" ...
QString problem(CellRules::Problem problem, const CellRules::FrequencyLimits& limits);
// "第 10 信道 接收频率：超出频段 400–470 MHz"
QString cell(const ChannelTable& table, const CellRules::CellIssue& issue,
             const CellRules::FrequencyLimits& limits);
// "3 个单元格的数据无效"; empty for none.
QString count(int invalidCells);
// Why a write is refused: the first marked cell, with its rule, and how many there are.
QString writeRefused(const ChannelTable& table, const CellRules::CellIssue& first,
                     const CellRules::FrequencyLimits& limits, int invalidCells);

} // namespace ValidityText
