#pragma once

#include <QString>
#include <QStringList>

// The texts of the password dialog and the tune window.
namespace TuneText {
inline const QString LoginCaption = QStringLiteral("请输入进入调整模式的密码");
inline const QString WrongPassword = QStringLiteral("密码不正确，请重新输入");

inline const QString Caption = QStringLiteral("调整模式");
inline const QString NodeRoot = QStringLiteral("调整项");
inline const QString NodeFrequency = QStringLiteral("频率调整");
inline const QString NodePower = QStringLiteral("功率调整");
inline const QString NodeExit = QStringLiteral("退出调整");
inline const QString RadioModel = QStringLiteral("机型号：");
inline const QString LowEnd = QStringLiteral("低端频率(MHz)：");
inline const QString HighEnd = QStringLiteral("高端频率(MHz)：");
inline const QString IntermediateFrequency = QStringLiteral("中频：");
inline const QString Positive = QStringLiteral("正");
inline const QString Negative = QStringLiteral("负");
inline const QString Crystal = QStringLiteral("晶体：");
inline const QString Crystal13 = QStringLiteral("13MHz "); // the trailing space is the item's own
inline const QString Crystal144 = QStringLiteral("14.4MHz");
inline const QString Range = QStringLiteral("频率：");
inline const QString PowerStep = QStringLiteral("功率调整：");
inline const QStringList PowerSteps = {QStringLiteral("-5"), QStringLiteral("-4"), QStringLiteral("-3"),
                                       QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"),
                                       QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),
                                       QStringLiteral("4"),  QStringLiteral("5")};
inline const QString EnterNumber = QStringLiteral("请输入数字");
inline const QString RangeNotWritten =
    QStringLiteral("频率范围无法写入配置文件：%1\n新的频率范围只在本次运行中有效。");
} // namespace TuneText
