#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include "config/error.h"
#include "image/cell_rules.h"
#include "image/channel_table.h"
#include "image/delimited_text.h"

// CHIRP's generic CSV format, so channels can be exchanged with it and with the spreadsheets people keep
// their frequency lists in. What CHIRP has no column for (busy lock, compander, scrambler, and bytes the
// power and bandwidth lists do not name) travels in the Comment column as "radiocps:bcl=1;comp=0;scr=3".
// A byte the table keeps behind a cell's text travels there too ("bw=FD") and comes back kept.
namespace ChirpCsv {

// Location,Name,Frequency,Duplex,Offset,Tone,... in CHIRP's order and case.
const QStringList& header();

// Whether a record is CHIRP's header: it names at least the Location and Frequency columns (any case), so a
// paste can tell CHIRP rows from rows of our own grid.
bool isChirpHeader(const QStringList& fields);

struct ReadOptions {
    Layout layout = Layout::Zero;
    int channelCount = 16;
    CellRules::FrequencyLimits limits; // the frequencies are checked as the cell editors check them
    bool renumber = false;             // a file whose smallest Location is 0 is numbered from 1
    // The channels that fit are numbered 1, 2, ... in file order whatever their Location says, so a long or
    // mixed list fills the radio from its first channel; empty lines are passed over and lines past the
    // channel count are left out.
    bool inFileOrder = false;
};

// The options that read a file into a table like `table` (its layout and channel count) under `limits`.
ReadOptions optionsFor(const ChannelTable& table, const CellRules::FrequencyLimits& limits);

// One channel of the file: its line, its channel number (after any renumbering) and its cells in the column
// order of the layout, column 0 the channel number. An empty channel (no or zero Frequency) has empty cells.
struct ImportedChannel {
    int line = 0;
    int location = 0;
    QStringList cells;
    QMap<int, quint8> keptBytes; // column -> the byte kept behind its cell (ChannelTable::keptByte)

    bool isEmpty() const { return cells.mid(1).join(QString()).isEmpty(); }
};

// A line left out, and why (its description names the line and the column).
struct LineProblem {
    int line = 0;
    Error error;
};

// What a channel that is read loses, because our radios have nowhere to keep it.
struct Loss {
    enum class Kind {
        Name,         // value: the name
        Comment,      // value: the comment without our tag
        Power,        // value: the power as written, cell: the level it became
        PriorityScan, // Skip=P: scanned, but not first
        Skip,         // value: S or P, on a model without a scan column
        TuningStep,   // value: the step in kHz
    };
    int line = 0;
    Kind kind = Kind::Name;
    QString value;
    QString cell;
};

struct ReadResult {
    QVector<ImportedChannel> channels; // the lines that fit, in file order
    QVector<LineProblem> problems;     // the lines left out, in file order
    QVector<Loss> losses;              // of the channels read, in file order
    bool isChirpFile = false;          // the header was found; when not, nothing else is set
    // The smallest Location is 0, as in files of radios that count from 0. Set even when reading failed
    // because of it, so the caller can offer to read the file again with `renumber`.
    bool startsAtZero = false;
};

// Reads a whole file: UTF-8 with or without BOM, '#' comment lines, ',' ';' or tab as detected. Every line is
// read: one that cannot be taken is left out with its problems, the others are in `out->channels`. Returns
// the refusal of the whole file: no CHIRP header (then `out` holds nothing), else every problem at once.
Error read(const QByteArray& bytes, const ReadOptions& options, ReadResult* out);
// The same for records already split (a paste); the first record is the header.
Error readRows(const QVector<DelimitedText::Row>& rows, const ReadOptions& options, ReadResult* out);
// Every problem of a result as one error (the first problem's code, one line each); none when there are none.
Error refusal(const ReadResult& result);

// A table of the layout and channel count holding the channels read, every other channel empty as layOut
// leaves it.
ChannelTable tableOf(const QVector<ImportedChannel>& channels, Layout layout, int channelCount);

// The CHIRP record of a channel; empty when its receive frequency is empty.
QStringList rowOf(const ChannelTable& table, int channel);

// The file of the given channels (all when none are given) that have a receive frequency: header first,
// comma-separated, CRLF, UTF-8 without BOM, quoted only where needed.
QByteArray write(const ChannelTable& table, const QVector<int>& channels = {});

} // namespace ChirpCsv
