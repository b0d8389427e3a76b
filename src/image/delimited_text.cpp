#include "image/delimited_text.h"

#include <array>

namespace DelimitedText {

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kCR = QLatin1Char('\r');
const QChar kLF = QLatin1Char('\n');

bool isComment(const QString& text, int at) {
    return at < text.size() && text.at(at) == QLatin1Char('#');
}

bool atLineEnd(const QString& text, int at) {
    return at >= text.size() || text.at(at) == kCR || text.at(at) == kLF;
}

// Moves past one line end (CRLF counts once) and counts the line.
void skipLineEnd(const QString& text, int* at, int* line) {
    if (*at < text.size() && text.at(*at) == kCR)
        ++*at;
    if (*at < text.size() && text.at(*at) == kLF)
        ++*at;
    ++*line;
}

void skipLine(const QString& text, int* at, int* line) {
    while (!atLineEnd(text, *at))
        ++*at;
    skipLineEnd(text, at, line);
}

// Reads one record starting at *at, leaving *at after its line end and *line on the line that follows.
QStringList readRecord(const QString& text, QChar separator, int* at, int* line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    int i = *at;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == kQuote) {
                if (i + 1 < text.size() && text.at(i + 1) == kQuote) {
                    field += kQuote;
                    i += 2;
                    continue;
                }
                quoted = false;
            } else {
                if (c == kLF || (c == kCR && (i + 1 >= text.size() || text.at(i + 1) != kLF)))
                    ++*line;
                field += c;
            }
            ++i;
            continue;
        }
        if (c == kCR || c == kLF)
            break;
        if (c == separator) {
            fields << field;
            field.clear();
        } else if (c == kQuote) {
            quoted = true;
        } else {
            field += c;
        }
        ++i;
    }
    fields << field;
    *at = i;
    skipLineEnd(text, at, line);
    return fields;
}

} // namespace

QString decode(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QChar detectSeparator(const QString& text, bool skipComments) {
    int at = 0;
    int line = 1;
    while (at < text.size() && ((skipComments && isComment(text, at)) || atLineEnd(text, at))) {
        if (atLineEnd(text, at))
            skipLineEnd(text, &at, &line);
        else
            skipLine(text, &at, &line);
    }
    const std::array<QChar, 3> candidates{QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    QChar best = candidates[0];
    int most = 1;
    for (const QChar candidate : candidates) {
        int from = at;
        int ignored = line;
        const int count = readRecord(text, candidate, &from, &ignored).size();
        if (count > most) {
            most = count;
            best = candidate;
        }
    }
    return best;
}

QVector<Row> parse(const QString& text, const ParseOptions& options) {
    const QChar separator =
        options.separator.isNull() ? detectSeparator(text, options.skipComments) : options.separator;
    QVector<Row> rows;
    int at = 0;
    int line = 1;
    while (at < text.size()) {
        if (options.skipComments && isComment(text, at)) {
            skipLine(text, &at, &line);
            continue;
        }
        if (options.skipBlankLines && atLineEnd(text, at)) {
            skipLineEnd(text, &at, &line);
            continue;
        }
        Row row;
        row.line = line;
        row.fields = readRecord(text, separator, &at, &line);
        rows.append(row);
    }
    return rows;
}

QString quoteField(const QString& field, QChar separator, bool firstOfRow) {
    const bool needs = field.contains(separator) || field.contains(kQuote) || field.contains(kCR) ||
                       field.contains(kLF) || field.startsWith(QLatin1Char(' ')) ||
                       field.endsWith(QLatin1Char(' ')) || (firstOfRow && field.startsWith(QLatin1Char('#')));
    if (!needs)
        return field;
    QString doubled = field;
    doubled.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + doubled + kQuote;
}

QString write(const QVector<QStringList>& rows, QChar separator, const QString& lineEnd) {
    QString text;
    for (const QStringList& row : rows) {
        for (int i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += separator;
            text += quoteField(row[i], separator, i == 0);
        }
        text += lineEnd;
    }
    return text;
}

} // namespace DelimitedText
