#include "config/app_config.h"

#include "config/error_texts.h"
#include "config/ini_file.h"

QString configFilePath(const QString& folder, const QString& fileName) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

bool BandRange::limits(int* low, int* high) const {
    bool okLow = false;
    bool okHigh = false;
    const int l = lowText().toInt(&okLow);
    const int h = highText().toInt(&okHigh);
    if (!okLow || !okHigh)
        return false;
    if (low)
        *low = l;
    if (high)
        *high = h;
    return true;
}

BandRange BandRange::fromLimits(const QString& low, const QString& high) {
    return {low + QStringLiteral("MHz---") + high + QStringLiteral("MHz")};
}

namespace {

bool isThreeDigits(const QString& text) {
    if (text.size() != 3)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

Error BandRange::checkLimits(const QString& low, const QString& high) {
    const bool lowOk = isThreeDigits(low);
    const bool highOk = isThreeDigits(high);
    if (!lowOk || !highOk)
        return {ErrorCode::InvalidPropertyValue, ErrorText::limitsNotThreeDigits(low, !lowOk, high, !highOk)};
    if (low.toInt() >= high.toInt())
        return {ErrorCode::InvalidPropertyValue, ErrorText::limitsNotAscending(low, high)};
    return Error::none();
}

Error BandRange::check() const {
    if (fromLimits(lowText(), highText()).text != text)
        return {ErrorCode::InvalidPropertyValue, ErrorText::bandRangeForm(text)};
    return checkLimits(lowText(), highText());
}

QStringList ModelTable::readFrom(const QString& iniPath) {
    const IniFile ini = IniFile::load(iniPath);
    QStringList names;
    for (int n = 1; n <= kSize; ++n) {
        const QStringList fields =
            ini.value(ConfigKeys::PcStyle, ConfigKeys::modelKey(n)).split(QLatin1Char(';'));
        // An entry with fewer than five fields ends the table and is not listed: it could not be chosen.
        if (fields.size() < 5)
            break;
        entries[n - 1] = {fields[0], fields[1], fields[2], fields[3], fields[4]};
        names << fields[0];
    }
    return names;
}

StartupConfig StartupConfig::read(const QString& iniPath, const QString& appFolder) {
    const IniFile ini = IniFile::load(iniPath);
    StartupConfig c;
    for (int n = 1; n <= 6; ++n)
        c.bandRanges[n - 1] = ini.value(ConfigKeys::Frequent, ConfigKeys::bandKey(n));
    c.iconKey = ini.value(ConfigKeys::PcIcon, ConfigKeys::Icon);
    c.iconPath = configFilePath(appFolder, c.iconKey);
    c.caption = ini.value(ConfigKeys::PcCaption, ConfigKeys::Caption);
    c.statusCaption = ini.value(ConfigKeys::PcStatueCaption, ConfigKeys::StatueCaption);
    return c;
}

AboutConfig AboutConfig::read(const QString& iniPath, const QString& appFolder) {
    const IniFile ini = IniFile::load(iniPath);
    AboutConfig c;
    c.pictureKey = ini.value(ConfigKeys::PcHelp, ConfigKeys::Picture);
    c.picturePath = configFilePath(appFolder, c.pictureKey);
    c.type = ini.value(ConfigKeys::PcHelp, ConfigKeys::Type);
    c.version = ini.value(ConfigKeys::PcHelp, ConfigKeys::Version);
    return c;
}
