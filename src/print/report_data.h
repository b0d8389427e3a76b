#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

#include "image/channel_table.h"
#include "image/current_model.h"
#include "image/radio_settings.h"

// What the report shows, taken from the document at the moment a report command is chosen: the eleven
// settings texts and the report table (the channel grid's cells, "OFF" where a cell is empty).
struct ReportData {
    // The snapshot texts, in the order they are taken.
    enum Text { PCmodel, Lable2, FuncM, Sd, FuncT, FuncS, FuncSa, Yybp, RPGN, TSY, YXXD, TextCount };

    std::array<QString, TextCount> texts;
    QVector<QStringList> table; // row 0 the grid's headings, row r channel r

    QString text(Text t) const { return texts[t]; }
    int rowCount() const { return table.size(); }
    // The grid's row count as decimal text ("17" for 16 channels, "100" for 99).
    QString rowCountText() const { return QString::number(table.size()); }

    // The settings list each settings text is taken from; ListCount for the band and the range label.
    static RadioSettings::List listOf(Text t);
    // The report table re-created from the grid, row by row, column by column.
    static QVector<QStringList> tableFrom(const ChannelTable& grid);

    // The snapshot from the texts the window shows: the band combo, the range label, the nine lists.
    static ReportData snapshot(const QString& bandText, const QString& rangeLabel,
                               const std::function<QString(RadioSettings::List)>& listText,
                               const ChannelTable& grid);
    static ReportData snapshot(const QString& bandText, const QString& rangeLabel,
                               const RadioSettings& settings, const ChannelTable& grid);

    bool operator==(const ReportData& o) const { return texts == o.texts && table == o.table; }
};

class RadioDocument;

// The snapshot of a document as both faces show it: the band selector's text, the range label, the
// nine lists' texts and the channel table.
ReportData reportOf(const RadioDocument& document);

// The band combo's text for a model: its name followed by "(U)" for band 0 or "(V)" for band 1; the name
// alone when no band is selected.
QString reportBandText(const CurrentModel& model);
