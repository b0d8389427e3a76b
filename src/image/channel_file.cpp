#include "image/channel_file.h"

#include "config/error_texts.h"
#include "config/safe_file.h"
#include "image/channel_codec.h"
#include "image/hex.h"
#include "image/settings_codec.h"

namespace ChannelFile {

Error parse(const QByteArray& bytes, QVector<Block>* blocks) {
    blocks->clear();
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty()) {
            // Only the end of the file may be blank; a blank line in the middle would shift every block.
            bool restBlank = true;
            for (int j = i + 1; j < lines.size(); ++j)
                restBlank = restBlank && lines[j].trimmed().isEmpty();
            if (restBlank)
                break;
            return {ErrorCode::TypeMismatch, ErrorText::blankLine(i + 1)};
        }
        QList<QByteArray> tokens = line.split(' ');
        // The received file ends every line with a space, and hand-edited files may carry more; spaces
        // elsewhere still count as tokens, so a doubled space inside a line stays an error.
        while (tokens.size() > 12 && tokens.last().isEmpty())
            tokens.removeLast();
        if (tokens.size() != 12) {
            return {ErrorCode::TypeMismatch, ErrorText::wrongByteCount(i + 1, tokens.size())};
        }
        Block block;
        for (int t = 4; t < 12; ++t) {
            quint8 v = 0;
            if (!parseByteText(QString::fromLatin1(tokens[t]), &v)) {
                return {ErrorCode::TypeMismatch,
                        ErrorText::notHexByte(i + 1, t + 1, QString::fromLatin1(tokens[t]))};
            }
            block[t - 4] = v;
        }
        blocks->append(block);
    }
    return Error::none();
}

Error decode(const QVector<Block>& blocks, const ModelTable& table, const RadioSettings& before,
             LoadedChannelFile* out) {
    if (blocks.isEmpty())
        return {ErrorCode::InputPastEnd, ErrorText::emptyFile()};
    LoadedChannelFile r;
    r.linesRead = blocks.size();
    const QString code = byteText(blocks[0][0]);
    const int band = bandFromModelCode(code);
    r.model.modelIndex = lookupModel(table, code);
    const ModelEntry& entry = table.entries[r.model.modelIndex];
    if (entry.name.isEmpty() && entry.channelCount.isEmpty()) {
        return {ErrorCode::SubscriptOutOfRange, ErrorText::noModelForCode(code)};
    }
    r.model.applyEntry(entry);
    r.model.strStype = r.model.layoutName();
    r.model.selectBand(table, band);
    r.table.layOut(r.model.layout(), r.model.strType);
    r.settings = before;
    r.settings.setLayout(r.model.layout());
    if (Error e =
            SettingsCodec::decode(blocks[0], blocks.size() > 1 ? &blocks[1] : nullptr, code, r.settings);
        e.isError())
        return e;
    for (int n = 1; n <= r.model.strType; ++n) {
        const int first = 2 * n;
        if (first + 1 >= blocks.size())
            break;
        ChannelCodec::decode(blocks[first], blocks[first + 1], r.table, n);
    }
    r.complete = blocks.size() >= blockCount(r.model.I_data());
    *out = r;
    return Error::none();
}

Error encodeImage(const CurrentModel& model, const ChannelTable& table, const RadioSettings& settings,
                  MemoryImage* image) {
    quint8 code = 0;
    if (!model.modelCodeByte(&code))
        return {ErrorCode::InvalidArgument, ErrorText::noModelChosen()};
    MemoryImage img = MemoryImage::blank(model.I_data());
    if (Error e = SettingsCodec::encode(settings, code, &img.blocks[0], &img.blocks[1]); e.isError())
        return e;
    for (int n = 1; n <= table.channelCount() && 2 * n + 1 < img.size(); ++n) {
        const auto blocks = ChannelCodec::encode(table, n);
        img.blocks[2 * n] = blocks.first;
        img.blocks[2 * n + 1] = blocks.second;
    }
    *image = img;
    return Error::none();
}

QByteArray format(const MemoryImage& image) {
    QByteArray out;
    out.reserve(image.size() * 37);
    for (int i = 0; i < image.size(); ++i) {
        const BlockAddress a = BlockAddress::ofBlock(i);
        QString line =
            QStringLiteral("52 ") + a.pageText() + QLatin1Char(' ') + a.offsetText() + QStringLiteral(" 08");
        for (quint8 b : image.blocks[i])
            line += QLatin1Char(' ') + byteText(b);
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

} // namespace ChannelFile

Error LoadChannelFile(const QString& path, const ModelTable& table, const RadioSettings& before,
                      LoadedChannelFile* out) {
    QByteArray bytes;
    if (Error e = readRegularFile(path, &bytes); e.isError())
        return e;
    QVector<Block> blocks;
    if (Error e = ChannelFile::parse(bytes, &blocks); e.isError())
        return e;
    return ChannelFile::decode(blocks, table, before, out);
}

Error SaveChannelFile(const QString& path, const CurrentModel& model, const ChannelTable& table,
                      const RadioSettings& settings) {
    MemoryImage image;
    if (Error e = ChannelFile::encodeImage(model, table, settings, &image); e.isError())
        return e;
    return writeFileAtomically(path, ChannelFile::format(image));
}
