#include "image/write_image.h"

#include "image/channel_file.h"

Error buildWriteImage(const CurrentModel& model, const ChannelTable& table, RadioSettings settings,
                      MemoryImage* image) {
    settings.recomputeFunctionByte();
    MemoryImage img;
    if (Error e = ChannelFile::encodeImage(model, table, settings, &img); e.isError())
        return e;
    if (img.size() > 1)
        img.blocks[1][7] = static_cast<quint8>(table.lastUsedChannel());
    *image = img;
    return Error::none();
}
