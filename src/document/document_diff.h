#pragma once

#include <QString>
#include <QVector>

#include "image/channel_file.h"

// What differs between two channel sets, in the order a reader goes through them: the model, then channel
// by channel and column by column, then the settings lists, the tune values and the kept bytes. Values are
// the canonical texts the document holds (cell texts, list items, numbers; a cell with a kept byte adds it
// in brackets, "窄 (FD)"); the faces word the names.
struct DocumentDifference {
    enum class Kind {
        Model,    // name: "model", "code", "channels" or "layout"
        Cell,     // channel from 1, name the column header
        List,     // list set, name its label ("监听：")
        Tune,     // name the tune value as the JSON form calls it ("optJT", "Option1", "sPower")
        KeptByte, // name "function" or "voice"; values two hex digits, empty when never computed
    };
    Kind kind = Kind::Model;
    int channel = 0;
    QString name;
    QString a;
    QString b;

    bool operator==(const DocumentDifference& o) const {
        return kind == o.kind && channel == o.channel && name == o.name && a == o.a && b == o.b;
    }
};

using DocumentDifferences = QVector<DocumentDifference>;

// Columns are matched by header, so tables of two layouts still compare where they share a column; a column
// or channel only one side has compares with an empty cell. Two cells that both count as empty (blank or
// "OFF", see ChannelTable::isEmptyCell) are the same.
DocumentDifferences compareTables(const ChannelTable& a, const ChannelTable& b);
DocumentDifferences compareSettings(const RadioSettings& a, const RadioSettings& b);
DocumentDifferences compareModels(const CurrentModel& a, const CurrentModel& b);
// All three, in that order.
DocumentDifferences compareChannelSets(const LoadedChannelFile& a, const LoadedChannelFile& b);
