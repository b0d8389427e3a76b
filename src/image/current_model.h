#pragma once

#include <QString>

#include "config/app_config.h"
#include "image/block_address.h"
#include "image/layout.h"

// The model of a document: its entry in the model table, its band and the codes and limits they give.
struct CurrentModel {
    QString strPc;       // model name; empty until a model has been chosen
    int strType = 16;    // the channel count as an int; "strType" is its documented name
    QString strStype;    // the layout type as the model table names it; empty is layout 0
    int band = 0;        // selected band entry: 0 "(U)", 1 "(V)", -1 none
    QString strBandCode; // model code of the selected band, two hex digits as in the model table
    int modelIndex = -1; // entry of the model table, -1 when none is known

    // The image's size in units of 128 blocks: 1 when strType is 16, else 2. Derived, so never out of step.
    int I_data() const { return imageFactor(strType); }

    // Takes name, channel count and layout from an entry of the model table.
    void applyEntry(const ModelEntry& entry);
    // strBandCode from the entry's code A (band 0) or code B (band 1).
    void selectBand(const ModelTable& table, int bandIndex);
    Layout layout() const { return parseLayout(strStype); }
    // The layout type as shown and saved: strStype, "0" when it is empty.
    QString layoutName() const { return strStype.isEmpty() ? layoutText(Layout::Zero) : strStype; }
    // The model code as a byte; false when strBandCode is not two hex digits.
    bool modelCodeByte(quint8* value) const;

    bool operator==(const CurrentModel& o) const {
        return strPc == o.strPc && strType == o.strType && strStype == o.strStype && band == o.band &&
               strBandCode == o.strBandCode && modelIndex == o.modelIndex;
    }
};

// Model lookup: code B, then code A of entries 1-7 compared exactly; entry 8 is taken otherwise.
int lookupModel(const ModelTable& table, const QString& code);
// The name of the model whose code A or code B is `code`, among the entries lookupModel compares; empty
// when none has it (lookupModel would take the last entry for it).
QString modelNameOfCode(const ModelTable& table, const QString& code);
// Band from a model code: last hex digit odd -> 0 "(U)", even -> 1 "(V)".
int bandFromModelCode(const QString& code);
