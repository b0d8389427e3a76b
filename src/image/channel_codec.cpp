#include "image/channel_codec.h"

#include <array>
#include <optional>

#include "image/hex.h"
#include "image/signalling.h"

namespace ChannelCodec {

namespace {

using namespace CellToken;

using Record = std::array<quint8, kChannelRecordSize>;

quint8 byteFromTwoChars(const QString& text) {
    quint8 v = 0xFF;
    parseByteText(text, &v);
    return v;
}

// The choice the stored bits name; null when none does.
const StoredChoice* choiceOfBits(const CellStorage& s, quint8 byte) {
    for (const StoredChoice& c : s.choices) {
        if (c.bits == (byte & s.mask))
            return &c;
    }
    return nullptr;
}

quint8 bitsOfText(const CellStorage& s, const QString& text) {
    for (const StoredChoice& c : s.choices) {
        if (c.text == text)
            return c.bits;
    }
    if (s.keepsRawByte()) {
        if (const std::optional<quint8> raw = parseRawByte(text))
            return *raw;
    }
    return s.choices.isEmpty() ? 0 : s.choices.last().bits;
}

// A raw text ("3C") is the byte itself; a listed code is the byte its digits spell ("3" is 03).
quint8 scramblerByte(const QString& text) {
    if (text == NoScrambler)
        return 0xFF;
    if (const std::optional<quint8> raw = parseRawByte(text))
        return *raw;
    return byteFromTwoChars(QLatin1Char('0') + text);
}

bool isEmptyField(const ChannelTable& table, int row, ChannelField field) {
    return ChannelTable::isEmptyCell(table.cell(row, columnOf(table.layout(), field)));
}

} // namespace

QString wholeByteText(const ChannelColumn& column, quint8 byte) {
    const CellStorage& s = column.storage;
    if (s.coding == CellCoding::Scrambler) {
        if (byte == 0xFF)
            return NoScrambler;
        // The listed codes are stored as the byte whose hex digits spell them ("01" for "1").
        const QString digits = byteText(byte);
        if (isDecimal(digits) && column.items.contains(QString::number(digits.toInt())))
            return QString::number(digits.toInt());
    } else if (const StoredChoice* choice = choiceOfBits(s, byte)) {
        return choice->text;
    } else if (s.unnamedByte == UnnamedByte::LastChoice && !s.choices.isEmpty()) {
        return s.choices.last().text;
    }
    return rawByteText(byte);
}

bool isKeptBehindText(const CellStorage& storage, quint8 byte) {
    return storage.keepsByteBehindText() && !choiceOfBits(storage, byte);
}

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

void decode(const Block& first, const Block& second, ChannelTable& table, int row) {
    Record record;
    std::copy(first.begin(), first.end(), record.begin());
    std::copy(second.begin(), second.end(), record.begin() + kBlockSize);
    const auto& columns = table.columns();
    for (int c = 0; c < columns.size(); ++c) {
        const CellStorage& s = columns[c].storage;
        const quint8* bytes = record.data() + s.offset;
        switch (s.coding) {
        case CellCoding::None:
            break;
        case CellCoding::Frequency:
            table.setCell(row, c, decodeFrequency(bytes));
            break;
        case CellCoding::Signalling:
            table.setCell(row, c, Signalling::decode(bytes[0], bytes[1]));
            break;
        case CellCoding::Choice:
        case CellCoding::Scrambler:
            if (s.ownsWholeByte()) {
                table.setCell(row, c, wholeByteText(columns[c], bytes[0]));
                const bool kept = isKeptBehindText(s, bytes[0]);
                table.keepByte(row, c, kept ? std::optional<quint8>(bytes[0]) : std::nullopt);
            } else if (const StoredChoice* choice = choiceOfBits(s, bytes[0])) {
                table.setCell(row, c, choice->text);
            } else if (!s.choices.isEmpty()) {
                table.setCell(row, c, s.choices.last().text);
            }
            break;
        }
    }
}

std::pair<Block, Block> encode(const ChannelTable& table, int row) {
    Record record;
    record.fill(0xFF);
    // A byte shared by several cells starts from 00 when the first of them is written.
    std::array<bool, kChannelRecordSize> started{};
    const bool emptyChannel = isEmptyField(table, row, ChannelField::RxFrequency);
    const auto& columns = table.columns();
    for (int c = 0; c < columns.size(); ++c) {
        const CellStorage& s = columns[c].storage;
        if (s.coding == CellCoding::None)
            continue;
        if (s.writtenWith && isEmptyField(table, row, *s.writtenWith))
            continue;
        // An empty channel keeps the fill in a shared byte: FF reads back as busy "否", scan "是",
        // compander "是", which would be written as 07 and change every resaved empty channel.
        if (s.mask != 0xFF && emptyChannel)
            continue;
        const QString text = table.cell(row, c);
        quint8* bytes = record.data() + s.offset;
        switch (s.coding) {
        case CellCoding::None:
            break;
        case CellCoding::Frequency:
            encodeFrequency(text, bytes);
            break;
        case CellCoding::Signalling: {
            const auto pair = Signalling::encode(text);
            bytes[0] = pair.first;
            bytes[1] = pair.second;
            break;
        }
        case CellCoding::Choice: {
            if (!started[s.offset]) {
                bytes[0] = 0x00;
                started[s.offset] = true;
            }
            const std::optional<quint8> kept =
                s.keepsByteBehindText() ? table.keptByte(row, c) : std::nullopt;
            bytes[0] = quint8((bytes[0] & ~s.mask) | (kept.value_or(bitsOfText(s, text)) & s.mask));
            break;
        }
        case CellCoding::Scrambler:
            bytes[0] = scramblerByte(text);
            break;
        }
    }
    std::pair<Block, Block> blocks;
    std::copy(record.begin(), record.begin() + kBlockSize, blocks.first.begin());
    std::copy(record.begin() + kBlockSize, record.end(), blocks.second.begin());
    return blocks;
}

} // namespace ChannelCodec
