#include "image/channel_codec.h"

#include "image/hex.h"
#include "image/signalling.h"

namespace ChannelCodec {

namespace {

using namespace CellToken;

QString powerText(quint8 b, const QString& previous) {
    switch (b) {
    case 0xFF:
        return High;
    case 0x55:
        return Middle;
    case 0x00:
        return Low;
    default:
        return previous; // an unknown power byte leaves the cell as it was
    }
}

quint8 powerByte(const QString& text) {
    if (text == High)
        return 0xFF;
    if (text == Middle)
        return 0x55;
    return 0x00;
}

quint8 byteFromTwoChars(const QString& text) {
    quint8 v = 0xFF;
    parseByteText(text, &v);
    return v;
}

} // namespace

QString decodeFrequency(const quint8* b) {
    const QString t3 = byteText(b[3]);
    const QString t2 = byteText(b[2]);
    const QString text = t3 + t2.left(1) + QLatin1Char('.') + t2.mid(1, 1) + byteText(b[1]) + byteText(b[0]);
    return text.contains(QLatin1String("FF")) ? Off : text;
}

void encodeFrequency(const QString& c, quint8* b) {
    if (ChannelTable::isEmptyCell(c)) {
        b[0] = b[1] = b[2] = b[3] = 0xFF;
        return;
    }
    b[0] = byteFromTwoChars(c.mid(7, 2));
    b[1] = byteFromTwoChars(c.mid(5, 2));
    b[2] = byteFromTwoChars(c.mid(2, 1) + c.mid(4, 1));
    b[3] = byteFromTwoChars(c.mid(0, 2));
}

Error decode(const Block& first, const Block& second, ChannelTable& table, int row) {
    const QString layout = table.layout();
    const bool layout1 = layout == QLatin1String("1");
    table.setCell(row, 1, decodeFrequency(&first[0]));
    table.setCell(row, 2, decodeFrequency(&first[4]));
    table.setCell(row, 3, Signalling::decode(second[0], second[1]));
    table.setCell(row, 4, Signalling::decode(second[2], second[3]));
    const quint8 flags = second[4];
    if (layout1) {
        table.setCell(row, 5, (flags & 0x01) == 0 ? Yes : No);
        table.setCell(row, 7, (flags & 0x02) != 0 ? Yes : No);
        table.setCell(row, 8, (flags & 0x04) != 0 ? Yes : No);
    } else {
        table.setCell(row, 5, flags == 0x00 ? Yes : No);
    }
    table.setCell(row, 6, second[5] == 0xFF ? Wide : Narrow);
    if (!layout1) {
        table.setCell(row, 7, powerText(second[6], table.cell(row, 7)));
        return Error::none();
    }
    table.setCell(row, 10, powerText(second[6], table.cell(row, 10)));
    if (second[7] == 0xFF) {
        table.setCell(row, 9, NoScrambler);
        return Error::none();
    }
    const QString scrambler = byteText(second[7]);
    if (!isDecimal(scrambler)) {
        return {ErrorCode::TypeMismatch,
                QStringLiteral("类型不匹配：信道 %1 的扰频码字节 %2 不是十进制数").arg(row).arg(scrambler)};
    }
    table.setCell(row, 9, QString::number(scrambler.toInt()));
    return Error::none();
}

std::pair<Block, Block> encode(const ChannelTable& table, int row) {
    const bool layout1 = table.layout() == QLatin1String("1");
    Block a = filledBlock();
    Block b = filledBlock();
    encodeFrequency(table.cell(row, 1), &a[0]);
    encodeFrequency(table.cell(row, 2), &a[4]);
    const auto rx = Signalling::encode(table.cell(row, 3));
    b[0] = rx.first;
    b[1] = rx.second;
    const auto tx = Signalling::encode(table.cell(row, 4));
    b[2] = tx.first;
    b[3] = tx.second;
    const QString busy = table.cell(row, 5);
    // An empty channel of layout 1 keeps the FF of the fill: its cells decode from FF to busy "否", scan
    // "是", compander "是", which would otherwise come back as 07 and change every resaved empty channel.
    const bool emptyChannel = ChannelTable::isEmptyCell(table.cell(row, 1));
    if (!ChannelTable::isEmptyCell(busy) && !(layout1 && emptyChannel)) {
        if (layout1) {
            QString bits = QStringLiteral("00000");
            bits += table.cell(row, 8) == Yes ? QLatin1Char('1') : QLatin1Char('0');
            bits += table.cell(row, 7) == Yes ? QLatin1Char('1') : QLatin1Char('0');
            bits += busy == Yes ? QLatin1Char('0') : QLatin1Char('1');
            b[4] = byteFromTwoChars(BinToHex(bits));
        } else {
            b[4] = busy == Yes ? 0x00 : 0xFF;
        }
    }
    const QString width = table.cell(row, 6);
    if (!ChannelTable::isEmptyCell(width))
        b[5] = width == Wide ? 0xFF : 0xFC;
    const QString power = table.cell(row, layout1 ? 10 : 7);
    if (!ChannelTable::isEmptyCell(power)) {
        b[6] = powerByte(power);
        if (layout1) {
            const QString scrambler = table.cell(row, 9);
            b[7] = scrambler == NoScrambler ? 0xFF : byteFromTwoChars(QLatin1Char('0') + scrambler);
        }
    }
    return {a, b};
}

} // namespace ChannelCodec
