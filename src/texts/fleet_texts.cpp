#include "texts/fleet_texts.h"

#include <QDir>

#include "image/delimited_text.h"
#include "texts/transfer_texts.h"

namespace FleetTexts {

QStringList columns() {
    return {QStringLiteral("序号"), QStringLiteral("端口"),    QStringLiteral("开始时间"),
            QStringLiteral("机型"), QStringLiteral("结果"),    QStringLiteral("校验"),
            QStringLiteral("用时"), QStringLiteral("备份文件")};
}

QString outcome(const FleetRecord& record) {
    using O = FleetRecord::Outcome;
    switch (record.outcome) {
    case O::Succeeded:
        return QStringLiteral("成功");
    case O::Failed:
        return QStringLiteral("失败：") + TransferTexts::failureReason(record.result);
    case O::OtherModel:
        return QStringLiteral("机型不符，没有写入（对讲机为 %1）")
            .arg(TransferTexts::modelText(record.report.models.radioModel, record.report.models.radioCode));
    case O::Differs:
        return QStringLiteral("校验不一致：") + TransferTexts::differencesText(record.report.differences);
    case O::Stopped:
        return QStringLiteral("已停止");
    }
    return {};
}

QString check(FleetRecord::Check check) {
    using C = FleetRecord::Check;
    switch (check) {
    case C::NotAsked:
        return QStringLiteral("未校验");
    case C::Same:
        return QStringLiteral("一致");
    case C::Differs:
        return QStringLiteral("不一致");
    case C::Failed:
        return QStringLiteral("校验失败");
    case C::NotReached:
        return QStringLiteral("—");
    }
    return {};
}

QStringList cells(const FleetRecord& record) {
    return {QString::number(record.index),
            QDir::toNativeSeparators(record.port),
            record.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            record.model,
            outcome(record),
            check(record.check),
            QStringLiteral("%1 秒").arg(double(record.elapsedMs) / 1000.0, 0, 'f', 1),
            QDir::toNativeSeparators(record.backupPath)};
}

QString portStatus(const FleetPortStatus& status) {
    using P = FleetPortStatus::Phase;
    switch (status.phase) {
    case P::Waiting:
        return QStringLiteral("等待对讲机…");
    case P::Writing: {
        const QString line =
            QStringLiteral("第 %1 台：%2").arg(status.radio).arg(TransferTexts::stageName(status.stage));
        return status.maximum > 0
                   ? line + QStringLiteral(" %1/%2").arg(int(status.progress)).arg(status.maximum)
                   : line;
    }
    case P::Leaving:
        return QStringLiteral("请取下对讲机");
    case P::Ended:
        return status.error.isError() ? QStringLiteral("端口错误：") + status.error.description
                                      : QStringLiteral("已停止");
    }
    return {};
}

QString counter(int succeeded, int failed) {
    return QStringLiteral("已完成 %1 台，失败 %2 台").arg(succeeded).arg(failed);
}

QByteArray csv(const QList<FleetRecord>& records) {
    QVector<QStringList> rows{columns()};
    for (const FleetRecord& r : records)
        rows << cells(r);
    return DelimitedText::write(rows, QLatin1Char(','), QStringLiteral("\r\n")).toUtf8();
}

} // namespace FleetTexts
