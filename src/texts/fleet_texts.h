#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "link/fleet_loop.h"
#include "link/fleet_record.h"

// The words of fleet programming, for the window, radiocps-cli fleet and the CSV log alike.
namespace FleetTexts {

inline const QString MenuItem = QStringLiteral("批量写频…");
inline const QString WindowTitle = QStringLiteral("批量写频");
inline const QString Document = QStringLiteral("写入的数据：%1（%2，%3 个信道）");
inline const QString Untitled = QStringLiteral("未命名");
inline const QString Ports = QStringLiteral("端口（每个端口接一根写频线）：");
inline const QString NoPorts = QStringLiteral("没有找到串口。");
inline const QString Verify = QStringLiteral("写频后校验");
inline const QString Backup = QStringLiteral("写频前先备份并核对机型");
inline const QString Start = QStringLiteral("开始");
inline const QString Stop = QStringLiteral("停止");
inline const QString StopNow = QStringLiteral("立即停止");
inline const QString FromCommandLine = QStringLiteral("命令行指定");
inline const QString Export = QStringLiteral("导出记录");
inline const QString ExportFilter = QStringLiteral("CSV 文件 (*.csv)");
inline const QString ChoosePort = QStringLiteral("请至少选择一个端口。");
inline const QString ConfirmClose =
    QStringLiteral("还有对讲机正在写频。停止并关闭窗口吗？正在写的对讲机会先写完。");
inline const QString Incomplete =
    QStringLiteral("批量写频需要完整的数据：文件不完整（从信道 %1 起缺少），请先补全全部信道并保存。");

// 序号, 端口, 开始时间, 机型, 结果, 校验, 用时, 备份文件.
QStringList columns();
// The cells of a record, in the order of columns().
QStringList cells(const FleetRecord& record);
// The result alone: "成功", "失败：对讲机没有响应", "机型不符（RC-168）", "校验不一致：信道 3", "已停止".
QString outcome(const FleetRecord& record);
QString check(FleetRecord::Check check);
// What a port is doing: "等待对讲机…", "写频 45/130", "请取下对讲机", "已停止", "端口错误：…".
QString portStatus(const FleetPortStatus& status);
// "已完成 N 台，失败 M 台".
QString counter(int succeeded, int failed);
// The log: UTF-8, a header line, one line per record, CRLF.
QByteArray csv(const QList<FleetRecord>& records);

} // namespace FleetTexts
