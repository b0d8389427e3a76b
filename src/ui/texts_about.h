#pragma once

#include <QString>

// The texts of the about box.
namespace AboutText {
inline const QString Caption = QStringLiteral("关于");
inline const QString Title = QStringLiteral("无线对讲机电脑编程软件");

// The description reads prefix, gap, type, series phrase, type, suffix; the gap lines the text up under
// the heading on the box's design.
inline const QString DescriptionPrefix = QStringLiteral("应用程序描述:");
inline const QString DescriptionGap = QString(34, QLatin1Char(' '));
inline const QString DescriptionSeries = QStringLiteral("系列电脑编程软件，适用于");
inline const QString DescriptionSuffix = QStringLiteral("等系列无线对讲机,进行与对讲机之间进数据通信。");

inline const QString Disclaimer =
    QStringLiteral("警告：本软件受版权法保护。未经授权擅自复制或传播本软件的全部或部分，将承担法律责任。");

inline const QString SysInfo = QStringLiteral("系统信息");
inline const QString SysInfoUnavailable = QStringLiteral("此时系统信息不可用");
} // namespace AboutText
