// Open and Save of channel files, and showing a decoded file.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLabel>

#include "image/block_address.h"
#include "ui/channel_editing.h"
#include "ui/channel_table_model.h"
#include "ui/main_window.h"
#include "ui/prompter.h"
#include "ui/settings_panel.h"
#include "ui/texts.h"

namespace {

// The busy pointer for the time of a load; restored on every way out.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

void MainWindow::openChannelFile() {
    const QString path = prompter_->openFileName(this, UiText::OpenDialogTitle, UiText::ChannelFileFilter);
    if (path.isEmpty())
        return; // cancelled
    loadChannelFile(path);
}

void MainWindow::loadChannelFile(const QString& path) {
    LoadedChannelFile loaded;
    Error error;
    {
        const BusyPointer busy;
        error = LoadChannelFile(path, modelTable_, settings_, &loaded);
        // Decoded completely before anything changes: a malformed file leaves the window as it was.
        if (!error.isError())
            applyLoadedChannelFile(loaded);
    }
    if (error.code == ErrorCode::FileNotFound)
        return;
    if (error.isError()) {
        prompter_->message(this, Prompter::Icon::Information, QString::number(error.code), error.description);
        return;
    }
    if (!loaded.complete) {
        prompter_->message(this, Prompter::Icon::Information, QString::number(ErrorCode::InputPastEnd),
                           UiText::FileIncomplete.arg(loaded.linesRead).arg(blockCount(loaded.model.I_data)));
    }
}

void MainWindow::applyLoadedChannelFile(const LoadedChannelFile& loaded) {
    editing_->hideEditors();
    for (QAction* item : mnuTYPE_)
        item->setChecked(false);
    const int index = loaded.model.modelIndex;
    if (index >= 0 && index < int(mnuTYPE_.size()) && mnuTYPE_[index]->isVisible())
        mnuTYPE_[index]->setChecked(true);

    model_ = loaded.model;
    model_.strStype = model_.layoutName();
    settings_ = loaded.settings;
    settings_.setLayout(model_.layout());

    // The band list of the file's model with the file's band; the model code is the file's, so a menu
    // that was never built cannot leave the previous model's code behind.
    cboPCmodel_->clear();
    cboPCmodel_->addItems({model_.strPc + UiText::BandSuffixU, model_.strPc + UiText::BandSuffixV});
    const int band = model_.band == 1 ? 1 : 0;
    cboPCmodel_->setCurrentIndex(band);
    label2_->setText(bandRanges_[band]);
    quint8 code = 0;
    if (model_.modelCodeByte(&code))
        strModelCode_ = QString::number(code);

    channelModel_->setTable(loaded.table);
    settingsPanel_->setLayout(model_.layout());
    settingsPanel_->refresh();
}

void MainWindow::saveChannelFile() {
    const QString path = prompter_->saveFileName(this, UiText::SaveDialogTitle, UiText::ChannelFileFilter);
    if (path.isEmpty())
        return; // cancelled
    if (const Error e = SaveChannelFile(path, model_, channelModel_->table(), settings_); e.isError()) {
        prompter_->message(this, Prompter::Icon::Critical, UiText::TitleError, e.description);
        return;
    }
    prompter_->message(this, Prompter::Icon::Information, windowTitle(), UiText::Saved);
}
