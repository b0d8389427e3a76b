#include "cli/show_format.h"

#include <QJsonDocument>

#include "cli/cli_support.h"
#include "cli/json_form.h"

namespace Cli {

QString bandRangeText(const LoadedChannelFile& loaded, const StartupConfig& config) {
    const int band = loaded.model.band;
    return band == 0 || band == 1 ? config.bandRanges[band] : QString();
}

QString describeLoaded(const LoadedChannelFile& loaded, bool json, const QString& configPath) {
    if (json) {
        return QString::fromUtf8(QJsonDocument(JsonForm::toJson(loaded)).toJson(QJsonDocument::Indented))
            .trimmed();
    }
    const QString path = configPath.isEmpty() ? configFilePath(appFolder()) : configPath;
    const StartupConfig config = StartupConfig::read(path, appFolder());
    const CurrentModel& m = loaded.model;
    const QString bandName = m.band == 1 ? QStringLiteral("(V)") : QStringLiteral("(U)");
    QStringList out;
    out << QStringLiteral("型号：%1%2").arg(m.strPc, bandName);
    out << QStringLiteral("频率：%1").arg(bandRangeText(loaded, config));
    out << QStringLiteral("机型代码：%1  布局：%2  信道数：%3  块数：%4")
               .arg(m.strBandCode, m.layoutName())
               .arg(m.strType)
               .arg(blockCount(m.I_data));
    out << QStringLiteral("功能设置：");
    for (int l = 0; l < RadioSettings::ListCount; ++l) {
        const auto list = RadioSettings::List(l);
        out << QStringLiteral("  %1%2").arg(RadioSettings::label(list), loaded.settings.text(list));
    }
    const TuneValues& t = loaded.settings.tune;
    out << QStringLiteral("调整模式：晶体 %1  中频 %2  功率调整 %3")
               .arg(t.optJT == 1 ? QStringLiteral("14.4MHz") : QStringLiteral("13MHz"),
                    t.Option1 == 1 ? QStringLiteral("负") : QStringLiteral("正"))
               .arg(t.sPower - 5);
    out << QStringLiteral("信道数据：");
    for (int r = 0; r < loaded.table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < loaded.table.columnCount(); ++c) {
            const QString text = loaded.table.cell(r, c);
            cells << (text.isEmpty() ? QStringLiteral("-") : text);
        }
        out << QStringLiteral("  ") + cells.join(QLatin1Char('\t'));
    }
    return out.join(QLatin1Char('\n'));
}

} // namespace Cli
