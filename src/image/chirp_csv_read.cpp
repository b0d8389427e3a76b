#include <QHash>
#include <QRegularExpression>
#include <algorithm>

#include "config/error_texts.h"
#include "image/chirp_csv.h"
#include "image/chirp_csv_line.h"

namespace ChirpCsv {

using namespace Format;

namespace {

bool isBlank(const QStringList& fields) {
    for (const QString& f : fields) {
        if (!f.trimmed().isEmpty())
            return false;
    }
    return true;
}

// The place of each CHIRP column in the header; the first of repeated names counts.
Line::ColumnPlaces placesOf(const DelimitedText::Row& head) {
    Line::ColumnPlaces at;
    at.fill(-1);
    for (int i = head.fields.size() - 1; i >= 0; --i) {
        for (int c = 0; c < ColumnCount; ++c) {
            if (head.fields[i].trimmed().compare(header()[c], Qt::CaseInsensitive) == 0)
                at[c] = i;
        }
    }
    return at;
}

// Reads the data lines once the header is known: the shape and Location of each line first, since whether
// the file counts from 0 decides the numbering of every line, then each line's cells.
class FileReader {
public:
    FileReader(const QVector<DelimitedText::Row>& records, const ReadOptions& options, ReadResult* out)
        : records_(records), options_(options), out_(out), at_(placesOf(records.first())) {}

    void read() {
        readLocations();
        for (int i = 1; i < records_.size(); ++i)
            readLine(records_[i], locations_[i - 1]);
    }

private:
    void readLocations() {
        static const QRegularExpression digits(QStringLiteral("^-?\\d{1,9}$"));
        const int headFields = records_.first().fields.size();
        QVector<int> numbers;
        for (int i = 1; i < records_.size(); ++i) {
            const Line::Record record(records_[i], at_);
            const QString text = record.value(Location);
            std::optional<int> location;
            // A row of another length has lost or gained a field (a separator inside a value): every value
            // after it would land in the wrong column.
            if (records_[i].fields.size() != headFields)
                problem(record.line(),
                        {ErrorCode::TypeMismatch,
                         ErrorText::csvFieldCount(record.line(), records_[i].fields.size(), headFields)});
            else if (options_.inFileOrder)
                location = 0; // given below, once the line has been read
            else if (!digits.match(text).hasMatch())
                problem(record.line(), {ErrorCode::TypeMismatch,
                                        ErrorText::csvNotANumber(record.line(), columnName(Location), text)});
            else
                numbers << *(location = text.toInt());
            locations_ << location;
        }
        out_->startsAtZero = !numbers.isEmpty() && *std::min_element(numbers.begin(), numbers.end()) == 0;
        shift_ = options_.renumber && out_->startsAtZero ? 1 : 0;
    }

    void readLine(const DelimitedText::Row& row, std::optional<int> written) {
        if (!written)
            return;
        const Line::Record record(row, at_);
        ImportedChannel channel;
        channel.line = record.line();
        channel.cells.resize(channelColumns(options_.layout).size());
        QVector<Error> problems;
        QVector<Loss> losses;
        Line::read(record, options_, &channel, &problems, &losses);
        if (problems.isEmpty() && options_.inFileOrder && channel.isEmpty())
            return; // nothing to place in a list that fills the radio from its first channel
        const int location = options_.inFileOrder ? out_->channels.size() + 1 : *written + shift_;
        if (problems.isEmpty())
            placementProblem(record.line(), location, &problems);
        for (const Error& e : problems)
            problem(record.line(), e);
        if (!problems.isEmpty())
            return;
        channel.location = location;
        channel.cells[0] = QString::number(location);
        lineOf_.insert(location, record.line());
        out_->channels << channel;
        out_->losses << losses;
    }

    void placementProblem(int line, int location, QVector<Error>* problems) const {
        if (options_.inFileOrder && location > options_.channelCount)
            problems->append(
                {ErrorCode::SubscriptOutOfRange, ErrorText::csvPastLastChannel(line, options_.channelCount)});
        else if (location < 1 || location > options_.channelCount)
            problems->append({ErrorCode::SubscriptOutOfRange,
                              ErrorText::csvLocationOutOfRange(line, location, options_.channelCount)});
        else if (lineOf_.contains(location))
            problems->append({ErrorCode::InvalidPropertyValue,
                              ErrorText::csvLocationRepeated(line, location, lineOf_.value(location))});
    }

    void problem(int line, const Error& error) { out_->problems << LineProblem{line, error}; }

    const QVector<DelimitedText::Row>& records_;
    const ReadOptions& options_;
    ReadResult* out_;
    const Line::ColumnPlaces at_;
    QVector<std::optional<int>> locations_; // as written (0 in file order); none for a line refused already
    int shift_ = 0;
    QHash<int, int> lineOf_; // channel -> the line placed there
};

} // namespace

bool isChirpHeader(const QStringList& fields) {
    bool location = false;
    bool frequency = false;
    for (const QString& f : fields) {
        location = location || f.trimmed().compare(columnName(Location), Qt::CaseInsensitive) == 0;
        frequency = frequency || f.trimmed().compare(columnName(Frequency), Qt::CaseInsensitive) == 0;
    }
    return location && frequency;
}

ReadOptions optionsFor(const ChannelTable& table, const CellRules::FrequencyLimits& limits) {
    ReadOptions options;
    options.layout = table.layout();
    options.channelCount = table.channelCount();
    options.limits = limits;
    return options;
}

Error read(const QByteArray& bytes, const ReadOptions& options, ReadResult* out) {
    DelimitedText::ParseOptions parse;
    parse.skipComments = true;
    return readRows(DelimitedText::parse(DelimitedText::decode(bytes), parse), options, out);
}

Error readRows(const QVector<DelimitedText::Row>& rows, const ReadOptions& options, ReadResult* out) {
    *out = {};
    QVector<DelimitedText::Row> records;
    for (const DelimitedText::Row& row : rows) {
        if (!isBlank(row.fields))
            records.append(row);
    }
    if (records.isEmpty())
        return {ErrorCode::InputPastEnd, ErrorText::csvNoHeader()};
    const Line::ColumnPlaces at = placesOf(records.first());
    for (Column required : {Location, Frequency}) {
        if (at[required] < 0)
            return {ErrorCode::TypeMismatch,
                    ErrorText::csvMissingColumn(records.first().line, columnName(required))};
    }
    if (!options.limits.valid)
        return {ErrorCode::InvalidArgument, ErrorText::noModelChosen()};
    out->isChirpFile = true;
    FileReader(records, options, out).read();
    return refusal(*out);
}

Error refusal(const ReadResult& result) {
    if (result.problems.isEmpty())
        return Error::none();
    QStringList lines;
    for (const LineProblem& p : result.problems)
        lines << p.error.description;
    return {result.problems.first().error.code, lines.join(QLatin1Char('\n'))};
}

ChannelTable tableOf(const QVector<ImportedChannel>& channels, Layout layout, int channelCount) {
    ChannelTable table;
    table.layOut(layout, channelCount);
    for (const ImportedChannel& channel : channels) {
        for (int c = 1; c < channel.cells.size() && c < table.columnCount(); ++c)
            table.setCell(channel.location, c, channel.cells[c]);
        for (auto it = channel.keptBytes.cbegin(); it != channel.keptBytes.cend(); ++it)
            table.keepByte(channel.location, it.key(), it.value());
    }
    return table;
}

} // namespace ChirpCsv
