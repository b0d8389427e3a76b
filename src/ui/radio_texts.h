#pragma once

#include <QString>

// Captions and messages of the port dialog, the progress window and the read and write commands.
namespace RadioText {
// frmDK
inline const QString PortDialogCaption = QStringLiteral("端口选择");
inline const QString PortOk = QStringLiteral("确定");
inline QString portName(int index) {
    return QStringLiteral("COM") + QString::number(index + 1);
}
inline QString portChanged(int index) {
    return QStringLiteral("端口转换成COM") + QString::number(index + 1);
}
inline const QString NoticeTitle = QStringLiteral("提示");

// frmWAIT
inline const QString ProgressCaption = QStringLiteral("正在向对讲机读取数据。。。");
inline const QString Cancel = QStringLiteral("取消");
inline const QString Done = QStringLiteral("确定");
inline const QString ConfirmCancel = QStringLiteral("确定要取消吗");
inline const QString ReadEscaped = QStringLiteral("读频错误，请重新读频！错误信息：");
inline const QString WriteEscaped = QStringLiteral("写频错误，请重新写频！错误信息：");

// The commands.
inline const QString ConfirmRead = QStringLiteral("确定要开始读频吗?");
inline const QString ReadCaption = QStringLiteral("读频进度显示");
inline const QString ConfirmWrite = QStringLiteral("确定要开始写频吗?");
inline const QString WriteCaption = QStringLiteral("写频进度显示");
inline const QString ErrorTitle = QStringLiteral("错误");
} // namespace RadioText
