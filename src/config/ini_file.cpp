#include "config/ini_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "config/safe_file.h"

namespace {

constexpr int kValueLimit = 127; // the 128-character receive buffer less its NUL

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString headerName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool isHeader(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.indexOf(QLatin1Char(']')) > 0;
}

// Key part of a "key=value" line, or an empty text for comments and other lines.
QString keyOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return {};
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return {};
    return t.left(eq).trimmed();
}

} // namespace

IniFile IniFile::fromBytes(const QByteArray& raw) {
    IniFile ini;
    QByteArray bytes = raw;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        ini.encoding_ = Encoding::Utf8Bom;
        bytes.remove(0, 3);
    } else if (isValidUtf8(bytes)) {
        ini.encoding_ = Encoding::Utf8;
    } else {
        ini.encoding_ = Encoding::Gb18030;
    }
    QString text;
    if (ini.encoding_ == Encoding::Gb18030) {
        QStringDecoder decoder("GB18030");
        text = decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
    } else {
        text = QString::fromUtf8(bytes);
    }
    if (text.contains(QLatin1String("\r\n")))
        ini.newline_ = QStringLiteral("\r\n");
    else if (text.contains(QLatin1Char('\n')))
        ini.newline_ = QStringLiteral("\n");
    ini.endsWithNewline_ = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ini.lines_ = text.split(QLatin1Char('\n'));
    if (ini.endsWithNewline_)
        ini.lines_.removeLast(); // the empty piece after the final line end
    return ini;
}

IniFile IniFile::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IniFile();
    return fromBytes(file.readAll());
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        if (isHeader(lines_[i]) && headerName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const {
    int i = sectionLine + 1;
    while (i < lines_.size() && !isHeader(lines_[i]))
        ++i;
    return i;
}

int IniFile::findKey(int sectionLine, const QString& key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (keyOf(lines_[i]).compare(key, Qt::CaseInsensitive) == 0 && !keyOf(lines_[i]).isEmpty())
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString& section, const QString& key) const {
    const int s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

QString IniFile::value(const QString& section, const QString& key) const {
    const int s = findSection(section);
    if (s < 0)
        return {};
    const int k = findKey(s, key);
    if (k < 0)
        return {};
    const QString& line = lines_[k];
    QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1);
    // The profile reader strips the spaces, and a value wrapped in quotes loses them.
    v = v.trimmed();
    if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) ||
                          (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\''))))) {
        v = v.mid(1, v.size() - 2);
    }
    const int nul = v.indexOf(QChar(0));
    if (nul >= 0)
        v.truncate(nul);
    v.truncate(kValueLimit);
    return v.trimmed();
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    QString v = value;
    const int nul = v.indexOf(QChar(0));
    if (nul >= 0)
        v.truncate(nul);
    v.truncate(kValueLimit + 1);
    int s = findSection(section);
    if (s < 0) {
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(key + QLatin1Char('=') + v);
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        const QString& line = lines_[k];
        const int eq = line.indexOf(QLatin1Char('='));
        lines_[k] = line.left(eq + 1) + v; // keeps the key as written, with its spacing
        return;
    }
    // New key: after the last non-empty line of the section.
    int at = sectionEnd(s);
    while (at - 1 > s && lines_[at - 1].trimmed().isEmpty())
        --at;
    lines_.insert(at, key + QLatin1Char('=') + v);
}

QByteArray IniFile::toBytes() const {
    QString text = lines_.join(newline_);
    if (endsWithNewline_ && !lines_.isEmpty())
        text += newline_;
    if (encoding_ == Encoding::Gb18030) {
        QStringEncoder encoder("GB18030");
        return encoder.encode(text);
    }
    QByteArray out = text.toUtf8();
    if (encoding_ == Encoding::Utf8Bom)
        out.prepend("\xEF\xBB\xBF");
    return out;
}

QString ReadIniString(const QString& section, const QString& key, const QString& file) {
    return IniFile::load(file).value(section, key);
}

bool WriteIniString(const QString& section, const QString& key, const QString& value, const QString& file) {
    IniFile ini = IniFile::load(file);
    ini.setValue(section, key, value);
    return !writeFileAtomically(file, ini.toBytes()).isError();
}
