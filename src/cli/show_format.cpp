#include "cli/show_format.h"

#include <QJsonDocument>

#include "cli/cli_support.h"
#include "document/radio_document.h"
#include "image/json_form.h"
#include "texts/cli_texts.h"
#include "texts/ui_texts.h"

namespace Cli {

QString describe(const RadioDocument& document, bool json) {
    if (json) {
        return QString::fromUtf8(
                   QJsonDocument(JsonForm::toJson(document.contents())).toJson(QJsonDocument::Indented))
            .trimmed();
    }
    const CurrentModel& m = document.model();
    QStringList out;
    out << UiText::LabelModel + UiText::modelAndBand(m.strPc, m.band);
    out << UiText::LabelRange + document.rangeText();
    out << CliText::ShowModelCodes.arg(m.strBandCode, m.layoutName())
               .arg(m.strType)
               .arg(blockCount(m.I_data()));
    out << CliText::ShowSettings;
    for (int l = 0; l < RadioSettings::ListCount; ++l) {
        const auto list = RadioSettings::List(l);
        out << QStringLiteral("  %1%2").arg(RadioSettings::label(list), document.settings().text(list));
    }
    const TuneValues& t = document.settings().tune;
    out << CliText::ShowTune
               .arg(t.optJT == 1 ? TuneText::Crystal144 : TuneText::Crystal13.trimmed(),
                    t.Option1 == 1 ? TuneText::Negative : TuneText::Positive)
               .arg(t.sPower - 5);
    out << CliText::ShowChannels;
    for (int r = 0; r < document.table().rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < document.table().columnCount(); ++c) {
            const QString text = document.table().cell(r, c);
            cells << (text.isEmpty() ? QStringLiteral("-") : text);
        }
        out << QStringLiteral("  ") + cells.join(QLatin1Char('\t'));
    }
    return out.join(QLatin1Char('\n'));
}

} // namespace Cli
