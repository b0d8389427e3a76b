#pragma once

#include <QString>

// The messages of the channel cell editors.
namespace EditingText {
inline const QString Title = QStringLiteral("提示");
inline const QString OutOfRange = QStringLiteral("请在正确的频率范围输入");
inline const QString OffRaster = QStringLiteral("输入的频率需为6.25K或5K的整数");
inline const QString UnknownItem = QStringLiteral("你输入的信令不存在，请核实！");
} // namespace EditingText
