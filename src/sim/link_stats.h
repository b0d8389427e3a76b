#pragma once

#include <QByteArray>
#include <QtGlobal>

// Byte counts and timing of one run of the virtual radio, for the transfer benchmark.
// The block phase starts with the first byte received after read or write mode was selected and ends
// with the last byte that went either way; its elapsed time is measured on the real clock, so any delay
// of the tool (or of the radio) shows up against the wire time of the same bytes.
struct LinkStats {
    qint64 bytesIn = 0;
    qint64 bytesOut = 0;
    bool blockPhaseSeen = false;
    qint64 blockStartNs = 0;
    qint64 blockEndNs = 0;
    qint64 blockBytesIn = 0;
    qint64 blockBytesOut = 0;

    qint64 blockElapsedNs() const { return blockPhaseSeen ? blockEndNs - blockStartNs : 0; }
    void noteBlockEnd(qint64 at) { blockEndNs = qMax(blockEndNs, at); }

    // "key=value" lines; byteNs is the wire time of one byte (0 without pacing).
    QByteArray toText(qint64 byteNs, int blocksRead, int blocksWritten) const;
};
