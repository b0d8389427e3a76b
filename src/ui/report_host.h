#pragma once

#include <QString>

#include "image/channel_table.h"
#include "image/radio_settings.h"

class Prompter;
class QWidget;

// What the report commands need of the main window: the texts it shows and its housekeeping timer.
class ReportHost {
public:
    virtual ~ReportHost() = default;

    // The window the preview and the messages belong to.
    virtual QWidget* reportParent() = 0;
    virtual Prompter& reportPrompter() = 0;

    virtual QString bandText() const = 0;       // the text of cboPCmodel
    virtual QString rangeLabelText() const = 0; // the caption of Label2
    // The text the settings combo of a list shows (cboFuncMoni, cbosd, ...).
    virtual QString settingsText(RadioSettings::List list) const = 0;
    // The channel grid's cells, headings in row 0.
    virtual const ChannelTable& channelTable() const = 0;

    // The 500 ms timer that hides the cell editors; the window restarts it when it is next activated.
    virtual void stopHousekeepingTimer() = 0;
};
