#pragma once

#include <QString>
#include <QVector>

class IniFile;

// An entry of the configuration file the programs cannot use: where it is, what it holds and what it
// should hold.
struct ConfigProblem {
    QString section;
    QString key;   // empty: the section itself is missing
    QString value; // as written
    QString expected;

    // "[PcStyle] Pc1=RC-160;-5;1;71;72：信道数应为 1–127 的整数"
    QString text() const;
};

// Checks what the programs read as more than text when the file is read: the band ranges of [Frequent]
// (PL1 and PL2 required, PL3 ... PL6 when given), and each model line of [PcStyle] (name, channel count
// within the memory image, layout 0 or 1, two codes of one or two hex digits). Captions, icon and about texts
// are free text. Nothing when every entry is usable.
QVector<ConfigProblem> checkConfig(const IniFile& ini);
