#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "config/error.h"

// The path of the configuration file in a folder: a "/" is added unless the folder already ends in one.
QString configFilePath(const QString& folder, const QString& fileName = QStringLiteral("Sfc.ini"));

// "400MHz---470MHz": the limits are the three-character slices at 1-3 and 10-12.
struct BandRange {
    QString text;

    QString lowText() const { return text.mid(0, 3); }
    QString highText() const { return text.mid(9, 3); }
    // Both slices read as whole numbers; false when either is not a number.
    bool limits(int* low, int* high) const;
    static BandRange fromLimits(const QString& low, const QString& high);
    // The slices only read limits of exactly three digits, the low one below the high one: anything else
    // is refused with 380 before a range is formed, naming what is wrong. The tune window and the check of
    // the configuration file both use it.
    static Error checkLimits(const QString& low, const QString& high);
    // The whole text: "DDDMHz---DDDMHz" with limits checkLimits accepts.
    Error check() const;
};

// One model entry: name, channel count, layout type ("0"/"1"), code A ("(U)"), code B ("(V)").
struct ModelEntry {
    QString name;
    QString channelCount;
    QString layout;
    QString codeA;
    QString codeB;

    bool isEmpty() const { return name.isEmpty() && channelCount.isEmpty(); }
    int channels() const { return channelCount.trimmed().toInt(); }
};

// The eight entries of the model table, one for the whole run.
struct ModelTable {
    static constexpr int kSize = 8;
    std::array<ModelEntry, kSize> entries;

    // Reads Pc1 ... Pc8 of [PcStyle] into entries 0 ... 7, stopping at the first key that is missing or has
    // fewer than five fields; entries not reached keep what they held. Returns the names read, in order.
    QStringList readFrom(const QString& iniPath);
};

// The start-up keys of the main window.
struct StartupConfig {
    std::array<QString, 6> bandRanges; // PL1 ... PL6
    QString iconPath;                  // application folder + ICON; empty when the key is empty
    QString iconKey;                   // the ICON value as written
    QString caption;
    QString statusCaption;

    static StartupConfig read(const QString& iniPath, const QString& appFolder);
};

// The keys of the about box.
struct AboutConfig {
    QString picturePath;
    QString pictureKey;
    QString type;
    QString version;

    static AboutConfig read(const QString& iniPath, const QString& appFolder);
};

namespace ConfigKeys {
inline const QString Frequent = QStringLiteral("Frequent");
inline const QString PcIcon = QStringLiteral("PcIcon");
inline const QString Icon = QStringLiteral("ICON");
inline const QString PcCaption = QStringLiteral("PcCaption");
inline const QString Caption = QStringLiteral("Caption");
inline const QString PcStatueCaption = QStringLiteral("PcStatueCaption");
inline const QString StatueCaption = QStringLiteral("StatueCaption");
inline const QString PcStyle = QStringLiteral("PcStyle");
inline const QString PcHelp = QStringLiteral("PcHelp");
inline const QString Picture = QStringLiteral("picture");
inline const QString Type = QStringLiteral("type");
inline const QString Version = QStringLiteral("version");
inline QString bandKey(int n) {
    return QStringLiteral("PL%1").arg(n);
} // n = 1 ... 6
inline QString modelKey(int n) {
    return QStringLiteral("Pc%1").arg(n);
} // n = 1 ... 8
} // namespace ConfigKeys
