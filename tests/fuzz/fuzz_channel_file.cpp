// Feeds arbitrary bytes to the channel-file parser and decoder: they must never crash or hang.
#include <QByteArray>

#include "../support/test_models.h"
#include "image/channel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // With the fallback entry, a file of unknown model code decodes too.
    static const ModelTable table = TestModels::withFallback();
    QVector<Block> blocks;
    if (ChannelFile::parse(QByteArray(reinterpret_cast<const char*>(data), int(size)), &blocks).isError())
        return 0;
    RadioSettings before;
    before.selectStartupDefaults();
    LoadedChannelFile loaded;
    if (!ChannelFile::decode(blocks, table, before, &loaded).isError()) {
        MemoryImage image;
        ChannelFile::encodeImage(loaded.model, loaded.table, loaded.settings, &image);
    }
    return 0;
}
