// Feeds arbitrary bytes to the channel-file parser and decoder: they must never crash or hang.
#include <QByteArray>

#include "image/channel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ModelTable table = [] {
        ModelTable t;
        t.entries[0] = {"RC-160", "16", "1", "71", "72"};
        t.entries[1] = {"RC-80", "8", "0", "41", "42"};
        t.entries[2] = {"RC-996", "99", "1", "75", "76"};
        t.entries[7] = {"RC-990", "99", "0", "51", "52"};
        return t;
    }();
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
