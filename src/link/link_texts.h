#pragma once

#include <QString>

// The texts the transfers produce; the faces show them as they stand.
namespace LinkText {
inline const QString Connecting = QStringLiteral("正在连接对讲机。。。");
inline const QString Reading = QStringLiteral("正在从对讲机读取数据。。。");
inline const QString Writing = QStringLiteral("正在向对讲机写入数据。。。");

inline const QString NoResponse = QStringLiteral("通信端口没有响应，请确保连接正确和电源打开");
inline const QString NoResponseTitle = QStringLiteral("信息提示");
inline const QString CommunicationError = QStringLiteral("通信错误");
inline const QString ErrorTitle = QStringLiteral("错误");
inline const QString NoticeTitle = QStringLiteral("提示");

// "总共发送了" n "组数据,其中I_data的值为" I_data: after a failure inside the block loop of a read.
inline QString readBlocksSent(int block, int iData) {
    return QStringLiteral("总共发送了") + QString::number(block) + QStringLiteral("组数据,其中I_data的值为") +
           QString::number(iData);
}
// After a failure inside the settings blocks of a write.
inline QString settingsBlockError(int code, const QString& description) {
    return QStringLiteral("错误号：") + QString::number(code) + description;
}
// The first two of the three messages after a failure inside the channel and filler blocks of a write.
inline QString progressValue(double value) {
    return QStringLiteral("其中进度条的值为") + QString::number(value);
}
inline QString writeBlocksSent(int index, int iData, int strType) {
    return QStringLiteral("共发送了") + QString::number(index) + QStringLiteral("组数据,其中i_data的值为") +
           QString::number(iData) + QStringLiteral("strType的值为") + QString::number(strType);
}

// The frequency check before a write.
inline QString frequencyOutOfBand(int row, bool transmit, int lower, int upper) {
    return QStringLiteral("第") + QString::number(row) +
           (transmit ? QStringLiteral("个信道数据的发射频率不合法，请在正确频率范围（")
                     : QStringLiteral("个信道数据的接收频率不合法，请在正确频率范围（")) +
           QString::number(lower) + QStringLiteral("Mhz--") + QString::number(upper) +
           QStringLiteral("Mhz）内输入");
}
} // namespace LinkText
