#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "config/error.h"
#include "image/layout.h"

// The tune window's values that the image carries: crystal (optJT member), IF polarity (Option1 member)
// and the power step.
struct TuneValues {
    int optJT = 0;   // 0 "13MHz ", 1 "14.4MHz"
    int Option1 = 0; // 0 "正", 1 "负"
    int sPower = 5;  // 0 ... 10, the step "0" is 5

    bool operator==(const TuneValues& o) const {
        return optJT == o.optJT && Option1 == o.Option1 && sPower == o.sPower;
    }
};

// The radio-wide settings: the selection of each of the nine lists, the two kept bytes and the tune values.
// Setting a list that feeds a kept byte recomputes it, in one place.
class RadioSettings {
public:
    enum List { FuncMoni, Sd, TSY, RPGN, FuncTOT, FuncSQL, FuncSave, YXXD, YYBP, ListCount };

    static const QStringList& items(List list);
    static QString objectName(List list); // "cboFuncMoni", "cbosd", ...
    static QString label(List list);      // "监听：", ...

    // The layout that the function byte and the priority channel follow (the document's model's).
    void setLayout(Layout layout) { layout_ = layout; }
    Layout layout() const { return layout_; }

    int index(List list) const { return index_[list]; }
    QString text(List list) const; // "" when nothing is selected
    // Selects an item; an index outside the list fails with 380 and changes nothing. -1 clears.
    Error setIndex(List list, int index);

    TuneValues tune;
    void setCrystal(int member) { tune.optJT = member; }
    void setPolarity(int member) { tune.Option1 = member; }

    // The kept bytes; empty until first computed.
    std::optional<int> functionByte() const { return functionByte_; }
    std::optional<int> voiceByte() const { return voiceByte_; }
    // Rebuilds the function byte from the lists and the tune options; keeps the previous value when a list
    // it needs has no selection, or the layout is neither 0 nor 1.
    void recomputeFunctionByte();
    void recomputeVoiceByte();

    // The start-up selections in their order: monitor 0, power saving 0, time-out 1, squelch 4, scan 0,
    // voice 0, beep 0, scrambling 1, priority 0; then both kept bytes once more.
    void selectStartupDefaults();

    bool operator==(const RadioSettings& o) const;

private:
    int index_[ListCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
    Layout layout_ = Layout::Zero;
    std::optional<int> functionByte_;
    std::optional<int> voiceByte_;
};
