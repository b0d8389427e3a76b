#include "image/channel_columns.h"

#include "image/hex.h"

namespace {

using namespace CellToken;

const QStringList kYesNo{Yes, No};
const QStringList kBandwidth{Wide, Narrow};
const QStringList kPower{High, Middle, Low};
const QStringList kScrambler{NoScrambler,         QStringLiteral("1"), QStringLiteral("2"),
                             QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                             QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};

// Byte offsets in the channel record.
constexpr int kRxFrequencyAt = 0;
constexpr int kTxFrequencyAt = 4;
constexpr int kRxSignallingAt = 8;
constexpr int kTxSignallingAt = 10;
constexpr int kFlagsAt = 12;
constexpr int kBandwidthAt = 13;
constexpr int kPowerAt = 14;
constexpr int kScramblerAt = 15;

CellStorage frequency(int offset) {
    return {CellCoding::Frequency, offset, 4, 0xFF, {}, std::nullopt};
}

CellStorage signalling(int offset) {
    return {CellCoding::Signalling, offset, 2, 0xFF, {}, std::nullopt};
}

CellStorage choice(int offset, quint8 mask, QVector<StoredChoice> choices, ChannelField writtenWith) {
    return {CellCoding::Choice, offset, 1, mask, std::move(choices), writtenWith};
}

// A whole byte of which one value names the first entry and every other the second.
CellStorage twoWayByte(int offset, StoredChoice first, StoredChoice rest, ChannelField writtenWith) {
    CellStorage s = choice(offset, 0xFF, {std::move(first), std::move(rest)}, writtenWith);
    s.unnamedByte = UnnamedByte::LastChoice;
    return s;
}

// The flags byte of layout 1 holds three cells; a set bit means "是" except for the busy lock.
CellStorage flagBit(quint8 bit, bool setMeansYes) {
    const quint8 yes = setMeansYes ? bit : 0;
    const quint8 no = setMeansYes ? 0 : bit;
    return choice(kFlagsAt, bit, {{yes, Yes}, {no, No}}, ChannelField::BusyLock);
}

CellStorage power() {
    return choice(kPowerAt, 0xFF, {{0xFF, High}, {0x55, Middle}, {0x00, Low}}, ChannelField::Power);
}

QVector<ChannelColumn> common(const CellStorage& busyLock) {
    return {
        {ChannelField::Number, QStringLiteral("信道"), CellEditor::None, {}, {}, {}},
        {ChannelField::RxFrequency,
         QStringLiteral("接收频率"),
         CellEditor::RxFrequency,
         {},
         {},
         frequency(kRxFrequencyAt)},
        {ChannelField::TxFrequency,
         QStringLiteral("发射频率"),
         CellEditor::TxFrequency,
         {},
         {},
         frequency(kTxFrequencyAt)},
        {ChannelField::RxSignalling,
         QStringLiteral("接收信令"),
         CellEditor::Signalling,
         {},
         Off,
         signalling(kRxSignallingAt)},
        {ChannelField::TxSignalling,
         QStringLiteral("发射信令"),
         CellEditor::Signalling,
         {},
         Off,
         signalling(kTxSignallingAt)},
        {ChannelField::BusyLock, QStringLiteral("繁忙锁定"), CellEditor::List, kYesNo, No, busyLock},
        {ChannelField::Bandwidth, QStringLiteral("宽/窄"), CellEditor::List, kBandwidth, Wide,
         twoWayByte(kBandwidthAt, {0xFF, Wide}, {0xFC, Narrow}, ChannelField::Bandwidth)},
    };
}

} // namespace

const QVector<ChannelColumn>& channelColumns(Layout layout) {
    static const QVector<ChannelColumn> layout0 = [] {
        // The whole flags byte is the busy lock: 00 locks, any other byte does not.
        auto c = common(twoWayByte(kFlagsAt, {0x00, Yes}, {0xFF, No}, ChannelField::BusyLock));
        c.append({ChannelField::Power, QStringLiteral("发射功率"), CellEditor::List, kPower, High, power()});
        return c;
    }();
    static const QVector<ChannelColumn> layout1 = [] {
        auto c = common(flagBit(0x01, false));
        c.append({ChannelField::ScanAdd, QStringLiteral("扫描添加"), CellEditor::List, kYesNo, Yes,
                  flagBit(0x02, true)});
        c.append({ChannelField::Compander, QStringLiteral("压扩"), CellEditor::List, kYesNo, No,
                  flagBit(0x04, true)});
        c.append({ChannelField::Scrambler,
                  QStringLiteral("扰频码"),
                  CellEditor::List,
                  kScrambler,
                  NoScrambler,
                  {CellCoding::Scrambler, kScramblerAt, 1, 0xFF, {}, ChannelField::Power}});
        c.append({ChannelField::Power, QStringLiteral("发射功率"), CellEditor::List, kPower, High, power()});
        return c;
    }();
    return layout == Layout::One ? layout1 : layout0;
}

QString rawByteText(quint8 byte) {
    return byteText(byte);
}

std::optional<quint8> parseRawByte(const QString& text) {
    quint8 byte = 0;
    // parseByteText takes either case; only the upper-case form is the cell's, so each byte has one text.
    if (text != text.toUpper() || !parseByteText(text, &byte))
        return std::nullopt;
    return byte;
}

int columnOf(Layout layout, ChannelField field) {
    const auto& cols = channelColumns(layout);
    for (int i = 0; i < cols.size(); ++i) {
        if (cols[i].field == field)
            return i;
    }
    return -1;
}
