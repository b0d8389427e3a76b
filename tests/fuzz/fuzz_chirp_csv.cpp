// Feeds arbitrary bytes to the CHIRP CSV reader in both layouts: it must never crash or hang, and whatever it
// accepts must come back unchanged through the file we write, since exported files are meant to be read
// again.
#include <QByteArray>

#include "image/chirp_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    for (Layout layout : {Layout::Zero, Layout::One}) {
        ChirpCsv::ReadOptions options;
        options.layout = layout;
        options.channelCount = 99;
        options.limits = {true, 100, 650};
        options.renumber = true;
        ChirpCsv::ReadResult read;
        if (ChirpCsv::read(bytes, options, &read).isError())
            continue;
        const ChannelTable table = ChirpCsv::tableOf(read.channels, layout, options.channelCount);
        ChirpCsv::ReadResult again;
        if (ChirpCsv::read(ChirpCsv::write(table), options, &again).isError() ||
            !(ChirpCsv::tableOf(again.channels, layout, options.channelCount) == table))
            __builtin_trap();
    }
    return 0;
}
