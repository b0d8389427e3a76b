#pragma once

#include <QString>

#include "config/app_config.h"
#include "image/channel_table.h"
#include "image/current_model.h"
#include "image/radio_settings.h"

class Prompter;
class QDialog;
class QWidget;

// What the read and write commands need of the main window.
class RadioCommandHost {
public:
    virtual ~RadioCommandHost() = default;

    // The window the dialogs and messages belong to.
    virtual QWidget* radioParent() = 0;
    virtual Prompter& radioPrompter() = 0;
    // The caption of "通信错误" and of the messages that carry no title of their own.
    virtual QString applicationTitle() const = 0;

    virtual CurrentModel currentModel() const = 0;
    virtual ChannelTable channelTable() const = 0;
    virtual RadioSettings radioSettings() const = 0;
    virtual ModelTable modelTable() const = 0;

    // LoadChannelFile of the Open command: decode, apply, show its own messages; silent when missing.
    virtual void loadChannelFile(const QString& path) = 0;
    // Shows an own modal window (frmDK, frmWAIT) and returns its result.
    virtual int runDialog(QDialog* dialog) = 0;
    // The 500 ms housekeeping timer; the window restarts it at its next activation.
    virtual void stopHousekeepingTimer() = 0;
    // The device given with --port; empty when none was given.
    virtual QString portDevice() const = 0;
};
