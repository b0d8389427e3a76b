#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>

// Delimited text as spreadsheets and the clipboard exchange it: comma-, semicolon- or tab-separated
// records, fields quoted where they hold a separator, a quote or a line break, doubled quotes inside.
namespace DelimitedText {

// One record and the 1-based line of the text it starts on (a quoted line break makes a record span lines).
struct Row {
    int line = 0;
    QStringList fields;
};

struct ParseOptions {
    QChar separator;            // null: detected from the first record (see detectSeparator)
    bool skipComments = false;  // a line whose first character is '#' is not a record
    bool skipBlankLines = true; // a line with nothing on it is not a record
};

// The text of the bytes: UTF-8, a byte-order mark dropped.
QString decode(const QByteArray& bytes);

// ',', ';' or tab: the one that splits the first record (after comments, when they are skipped) into the most
// fields, ',' when none splits it.
QChar detectSeparator(const QString& text, bool skipComments = false);

// The records of a text: CRLF, LF or a lone CR end a line outside quotes; inside quotes everything is kept.
// A quote left open runs to the end of the text.
QVector<Row> parse(const QString& text, const ParseOptions& options = {});

// A field as written: quoted, with its quotes doubled, when it holds the separator, a quote, CR or LF, or
// starts or ends with a space; `firstOfRow` also quotes a leading '#', which a reader skipping comments would
// drop.
QString quoteField(const QString& field, QChar separator, bool firstOfRow = false);

// Each row's fields joined by the separator, each row ended by `lineEnd`.
QString write(const QVector<QStringList>& rows, QChar separator, const QString& lineEnd);

} // namespace DelimitedText
