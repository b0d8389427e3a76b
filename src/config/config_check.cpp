#include "config/config_check.h"

#include "config/app_config.h"
#include "config/ini_file.h"

namespace {

// A 16-channel model fills 128 blocks; the others 256, of which two hold the settings and two each channel.
constexpr int kMostChannels = (256 - 2) / 2;

const QString kBandRangeExpected =
    QStringLiteral("三位数的下限和上限（MHz），下限小于上限，如 400MHz---470MHz");

bool isWholeNumberIn(const QString& text, int low, int high) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    return ok && n >= low && n <= high;
}

// A model code as the table writes it: one or two hex digits ("71", "5" for 05).
bool isModelCode(const QString& text) {
    bool ok = false;
    text.toUInt(&ok, 16);
    return ok && (text.size() == 1 || text.size() == 2) && !text.startsWith(QLatin1Char('+'));
}

void checkBands(const IniFile& ini, QVector<ConfigProblem>* problems) {
    if (!ini.hasSection(ConfigKeys::Frequent)) {
        problems->append({ConfigKeys::Frequent, {}, {}, QStringLiteral("频段范围 PL1 和 PL2")});
        return;
    }
    for (int n = 1; n <= 6; ++n) {
        const QString key = ConfigKeys::bandKey(n);
        const QString value = ini.value(ConfigKeys::Frequent, key);
        // The two bands of the model selector must be there; the others only when given.
        if ((value.isEmpty() && n > 2) || (!value.isEmpty() && !BandRange{value}.check().isError()))
            continue;
        problems->append({ConfigKeys::Frequent, key, value, kBandRangeExpected});
    }
}

void checkModels(const IniFile& ini, QVector<ConfigProblem>* problems) {
    if (!ini.hasSection(ConfigKeys::PcStyle)) {
        problems->append({ConfigKeys::PcStyle, {}, {}, QStringLiteral("至少一个机型 Pc1")});
        return;
    }
    for (int n = 1; n <= ModelTable::kSize; ++n) {
        const QString key = ConfigKeys::modelKey(n);
        const QString value = ini.value(ConfigKeys::PcStyle, key);
        if (value.isEmpty()) {
            if (n == 1)
                problems->append({ConfigKeys::PcStyle, key, value, QStringLiteral("至少一个机型")});
            break; // the table ends at the first gap
        }
        const QStringList f = value.split(QLatin1Char(';'));
        QString expected;
        if (f.size() < 5 || f[0].trimmed().isEmpty())
            expected = QStringLiteral("名称;信道数;布局;机型代码 A;机型代码 B，如 RC-160;16;1;71;72");
        else if (!isWholeNumberIn(f[1], 1, kMostChannels))
            expected = QStringLiteral("信道数应为 1–%1 的整数").arg(kMostChannels);
        else if (f[2] != QLatin1String("0") && f[2] != QLatin1String("1"))
            expected = QStringLiteral("布局应为 0（8 列）或 1（11 列）");
        else if (!isModelCode(f[3]) || !isModelCode(f[4]))
            expected = QStringLiteral("机型代码应为一到两位十六进制数，如 71");
        if (!expected.isEmpty())
            problems->append({ConfigKeys::PcStyle, key, value, expected});
        if (f.size() < 5)
            break;
    }
}

} // namespace

QString ConfigProblem::text() const {
    if (key.isEmpty())
        return QStringLiteral("[%1]：缺少这一节（%2）").arg(section, expected);
    return QStringLiteral("[%1] %2=%3：%4").arg(section, key, value, expected);
}

QVector<ConfigProblem> checkConfig(const IniFile& ini) {
    QVector<ConfigProblem> problems;
    checkBands(ini, &problems);
    checkModels(ini, &problems);
    return problems;
}
