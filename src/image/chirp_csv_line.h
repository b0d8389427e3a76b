#pragma once

#include <QVector>
#include <array>

#include "image/chirp_csv.h"
#include "image/chirp_csv_format.h"

// One data line of a CHIRP file into the cells of one channel.
namespace ChirpCsv::Line {

// Where each CHIRP column is in the file's records; -1 for a column the file does not have.
using ColumnPlaces = std::array<int, Format::ColumnCount>;

// The record of one data line, looked up by column; a missing column reads as empty.
class Record {
public:
    Record(const DelimitedText::Row& row, const ColumnPlaces& at) : row_(row), at_(at) {}
    int line() const { return row_.line; }
    bool has(Format::Column column) const { return at_[column] >= 0; }
    QString value(Format::Column column) const {
        const int i = at_[column];
        return i >= 0 && i < row_.fields.size() ? row_.fields[i].trimmed() : QString();
    }
    // The value, or CHIRP's default for an empty or missing column.
    QString value(Format::Column column, const QString& fallback) const {
        const QString v = value(column);
        return v.isEmpty() ? fallback : v;
    }

private:
    const DelimitedText::Row& row_;
    const ColumnPlaces& at_;
};

// Reads the record into the channel, whose cells hold the channel number in cells[0] and are otherwise
// empty. Every problem of the line goes to `problems` (the line is then not to be used), what the channel
// loses to `losses`. A line without a frequency is an empty channel and leaves the cells empty.
void read(const Record& record, const ReadOptions& options, ImportedChannel* channel,
          QVector<Error>* problems, QVector<Loss>* losses);

} // namespace ChirpCsv::Line
