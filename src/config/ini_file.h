#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A private-profile (INI) file: sections and keys are found without regard to case, values come back
// trimmed and cut to 127 characters, and a write replaces only the line it changes, in the file's own
// encoding (UTF-8 when the bytes are valid UTF-8 or start with a BOM, GB18030 otherwise).
class IniFile {
public:
    enum class Encoding { Utf8, Utf8Bom, Gb18030 };

    static IniFile fromBytes(const QByteArray& bytes);
    static IniFile load(const QString& path); // a missing file gives an empty one

    QString value(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const { return findSection(section) >= 0; }
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;
    Encoding encoding() const { return encoding_; }

private:
    int findSection(const QString& section) const;          // line index of the header, -1 if absent
    int findKey(int sectionLine, const QString& key) const; // line index of the key, -1 if absent
    int sectionEnd(int sectionLine) const;                  // first line after the section's last key

    QStringList lines_;
    QString newline_ = QStringLiteral("\r\n");
    bool endsWithNewline_ = true;
    Encoding encoding_ = Encoding::Utf8;
};

// The two profile calls as the rest of the program uses them.
QString ReadIniString(const QString& section, const QString& key, const QString& file);
bool WriteIniString(const QString& section, const QString& key, const QString& value, const QString& file);
