#include "sim_image.h"

#include <QFile>
#include <QVector>

#include "image/channel_file.h"

Error loadSimImage(const QString& path, int blocks, MemoryImage* image) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::FileNotFound, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    QVector<Block> parsed;
    if (Error e = ChannelFile::parse(file.readAll(), &parsed); e.isError())
        return {e.code, path + QStringLiteral(": ") + e.description};
    if (blocks == 0)
        blocks = parsed.size() <= blockCount(1) ? blockCount(1) : blockCount(2);
    if (parsed.size() > blocks) {
        return {ErrorCode::InvalidArgument,
                QStringLiteral("%1 holds %2 blocks, more than the %3 of the radio")
                    .arg(path)
                    .arg(parsed.size())
                    .arg(blocks)};
    }
    *image = MemoryImage::blank(blocks / kBlocksPerUnit);
    std::copy(parsed.begin(), parsed.end(), image->blocks.begin());
    return Error::none();
}
