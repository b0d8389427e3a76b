#include "sim/link_stats.h"

QByteArray LinkStats::toText(qint64 byteNs, int blocksRead, int blocksWritten) const {
    QByteArray out;
    const auto line = [&out](const char* key, qint64 value) {
        out.append(key).append('=').append(QByteArray::number(value)).append('\n');
    };
    line("bytes_in", bytesIn);
    line("bytes_out", bytesOut);
    line("blocks_read", blocksRead);
    line("blocks_written", blocksWritten);
    line("block_bytes_in", blockBytesIn);
    line("block_bytes_out", blockBytesOut);
    line("block_elapsed_ns", blockElapsedNs());
    line("block_wire_ns", (blockBytesIn + blockBytesOut) * byteNs);
    return out;
}
