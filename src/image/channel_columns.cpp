#include "image/channel_columns.h"

namespace {

using namespace CellToken;

const QStringList kYesNo{Yes, No};
const QStringList kBandwidth{Wide, Narrow};
const QStringList kPower{High, Middle, Low};
const QStringList kScrambler{NoScrambler,         QStringLiteral("1"), QStringLiteral("2"),
                             QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                             QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};

QVector<ChannelColumn> common() {
    return {
        {ChannelField::Number, QStringLiteral("信道"), CellEditor::None, {}, {}},
        {ChannelField::RxFrequency, QStringLiteral("接收频率"), CellEditor::RxFrequency, {}, {}},
        {ChannelField::TxFrequency, QStringLiteral("发射频率"), CellEditor::TxFrequency, {}, {}},
        {ChannelField::RxSignalling, QStringLiteral("接收信令"), CellEditor::Signalling, {}, Off},
        {ChannelField::TxSignalling, QStringLiteral("发射信令"), CellEditor::Signalling, {}, Off},
        {ChannelField::BusyLock, QStringLiteral("繁忙锁定"), CellEditor::List, kYesNo, No},
        {ChannelField::Bandwidth, QStringLiteral("宽/窄"), CellEditor::List, kBandwidth, Wide},
    };
}

} // namespace

const QVector<ChannelColumn>& channelColumns(const QString& layout) {
    static const QVector<ChannelColumn> layout0 = [] {
        auto c = common();
        c.append({ChannelField::Power, QStringLiteral("发射功率"), CellEditor::List, kPower, High});
        return c;
    }();
    static const QVector<ChannelColumn> layout1 = [] {
        auto c = common();
        c.append({ChannelField::ScanAdd, QStringLiteral("扫描添加"), CellEditor::List, kYesNo, Yes});
        c.append({ChannelField::Compander, QStringLiteral("压扩"), CellEditor::List, kYesNo, No});
        c.append(
            {ChannelField::Scrambler, QStringLiteral("扰频码"), CellEditor::List, kScrambler, NoScrambler});
        c.append({ChannelField::Power, QStringLiteral("发射功率"), CellEditor::List, kPower, High});
        return c;
    }();
    return layout == QLatin1String("1") ? layout1 : layout0;
}

int columnOf(const QString& layout, ChannelField field) {
    const auto& cols = channelColumns(layout);
    for (int i = 0; i < cols.size(); ++i) {
        if (cols[i].field == field)
            return i;
    }
    return -1;
}
