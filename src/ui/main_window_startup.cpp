// Start-up stages, activation, the New command, the model menu, the band selector and the grid layout.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <utility>

#include "image/block_address.h"
#include "ui/channel_editing.h"
#include "ui/channel_table_model.h"
#include "ui/main_window.h"
#include "ui/model_dialog.h"
#include "ui/prompter.h"
#include "ui/settings_panel.h"
#include "ui/texts.h"

namespace {

// The band selector's entries end in "(U)" or "(V)"; without them the text is the model name.
constexpr int kBandSuffixLength = 3;

Error loadIcon(const QString& path, QIcon* icon) {
    if (!QFileInfo(path).isFile())
        return {ErrorCode::FileNotFound, UiText::IconNotFound.arg(path)};
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return {ErrorCode::PathFileAccess, UiText::IconInvalid.arg(path)};
    *icon = QIcon(QPixmap::fromImage(image));
    return Error::none();
}

} // namespace

void MainWindow::initialiseStage() {
    const StartupConfig config = StartupConfig::read(configPath_, appFolder_);
    bandRanges_ = config.bandRanges;
    iconPath_ = config.iconPath;
    caption_ = config.caption;
    statusCaption_ = config.statusCaption;
    settings_.tune = TuneValues{};
    model_.strType = 16;
    layoutChannelGrid(16);
    recordLayout();
}

bool MainWindow::loadStage() {
    QIcon icon;
    if (const Error e = loadIcon(iconPath_, &icon); e.isError()) {
        // The window keeps its design-time state: no captions, no selections, no model question.
        prompter_->message(this, Prompter::Icon::Information, UiText::TitleInformation, e.description);
        return false;
    }
    setWindowIcon(icon);
    setWindowTitle(caption_);
    statusPanels_[0]->setText(statusCaption_);
    model_.strPc = modelTable_.entries[0].name;
    fillBandList(model_.strPc);
    cboPCmodel_->setCurrentIndex(0);
    settings_.setLayout(model_.layout());
    settings_.selectStartupDefaults();
    settingsPanel_->refresh();
    settings_.recomputeFunctionByte();
    blnStarted_ = false;
    bandSelectorClick();
    blnStarted_ = true;
    settings_.recomputeVoiceByte();
    blnAskModel_ = true;
    closePort();
    return true;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShown_)
        return;
    firstShown_ = true;
    // The first activation may open the model dialog, which needs the window on screen first.
    QTimer::singleShot(0, this, [this] { activate(); });
}

void MainWindow::activate() {
    ++commandDepth_;
    blnStarted_ = false;
    bandSelectorClick();
    blnStarted_ = true;
    // The tune window may have changed the crystal or polarity option.
    settings_.setLayout(model_.layout());
    settings_.recomputeFunctionByte();
    startHousekeeping();
    if (blnAskModel_) {
        // Cleared first: the dialog's closing activates the window again, and it must ask only once.
        blnAskModel_ = false;
        chooseModel();
    }
    if (!startupFile_.isEmpty())
        loadChannelFile(std::exchange(startupFile_, QString()));
    --commandDepth_;
    if (commandDepth_ == 0)
        activateIfPending();
}

void MainWindow::chooseModel() {
    // The activation that follows the dialog waits until the new model is in place.
    runCommand([this] {
        frmJXXZ_->load();
        if (execDialog(frmJXXZ_) == QDialog::Accepted) {
            const ModelEntry& entry = modelTable_.entries[frmJXXZ_->chosenIndex()];
            model_.strType = qMax(0, entry.channels());
            setLayoutType(entry.layout);
        }
        // Closed through the close box the dialog keeps its earlier results.
        model_.strPc = frmJXXZ_->strjx;
        buildModelMenu(frmJXXZ_->strMenuItem, frmJXXZ_->strjx);
        fillBandList(frmJXXZ_->strjx);
    });
}

void MainWindow::buildModelMenu(const QString& nameList, const QString& chosenName) {
    const QStringList pieces = nameList.split(QLatin1Char(';'));
    if (!blnMenuBuilt_) {
        // The list ends with ";;": the last two pieces are not names.
        for (int i = 0; i <= pieces.size() - 3 && i < ModelTable::kSize; ++i) {
            QAction* item = nullptr;
            if (i < int(mnuTYPE_.size())) {
                item = mnuTYPE_[i];
            } else {
                item = mnuNew_->addAction(QString());
                item->setObjectName(QStringLiteral("mnuTYPE_%1").arg(i));
                item->setCheckable(true);
                connect(item, &QAction::triggered, this,
                        [this, i] { runCommand([this, i] { modelMenuClick(i); }); });
                mnuTYPE_.push_back(item);
            }
            item->setText(pieces[i]);
            item->setVisible(true);
            item->setChecked(pieces[i] == chosenName);
        }
        blnMenuBuilt_ = true;
        return;
    }
    for (QAction* item : mnuTYPE_)
        item->setChecked(item->isVisible() && item->text() == chosenName);
}

void MainWindow::modelMenuClick(int index) {
    if (index < 0 || index >= int(mnuTYPE_.size()) || index >= ModelTable::kSize)
        return;
    const ModelEntry& entry = modelTable_.entries[index];
    model_.strType = qMax(0, entry.channels());
    setLayoutType(entry.layout);
    model_.I_data = imageFactor(model_.strType);
    for (QAction* item : mnuTYPE_)
        item->setChecked(false);
    mnuTYPE_[index]->setChecked(true);
    model_.strPc = mnuTYPE_[index]->text();
    fillBandList(model_.strPc);
    layoutChannelGrid(model_.strType);
}

void MainWindow::fillBandList(const QString& modelName) {
    cboPCmodel_->clear();
    cboPCmodel_->addItems({modelName + UiText::BandSuffixU, modelName + UiText::BandSuffixV});
    selectBandEntry(0);
    layoutChannelGrid(model_.strType);
}

void MainWindow::selectBandEntry(int index) {
    cboPCmodel_->setCurrentIndex(index);
    bandSelectorClick();
}

int MainWindow::menuIndexOf(const QString& modelName) const {
    for (int i = 0; i < int(mnuTYPE_.size()); ++i) {
        // The placeholder has no caption; matching it would take a model code for no model.
        const QString caption = mnuTYPE_[i]->text();
        if (mnuTYPE_[i]->isVisible() && !caption.isEmpty() && caption == modelName)
            return i;
    }
    return -1;
}

void MainWindow::bandSelectorClick() {
    model_.I_data = imageFactor(model_.strType);
    const QString text = cboPCmodel_->currentText();
    const int modelIndex = menuIndexOf(text.left(qMax(0, text.size() - kBandSuffixLength)));
    const int band = cboPCmodel_->currentIndex();
    if (band == 0 || band == 1) {
        label2_->setText(bandRanges_[band]);
        model_.band = band;
        if (modelIndex >= 0) {
            model_.modelIndex = modelIndex;
            const ModelEntry& entry = modelTable_.entries[modelIndex];
            model_.strBandCode = band == 0 ? entry.codeA : entry.codeB;
        }
    }
    quint8 code = 0;
    if (!model_.strBandCode.isEmpty() && model_.modelCodeByte(&code))
        strModelCode_ = QString::number(code);
    // A grid that holds data is kept when only the band changes.
    if (blnStarted_ &&
        channelModel_->cell(1, columnOf(channelModel_->table().layout(), ChannelField::RxFrequency))
            .isEmpty())
        layoutChannelGrid(model_.strType);
}

void MainWindow::setLayoutType(const QString& layout) {
    model_.strStype = layout;
    settings_.setLayout(model_.layout());
}

void MainWindow::layoutChannelGrid(int channelCount) {
    setLayoutType(model_.layoutName());
    // An open editor would go on writing into a row of the table that no longer exists.
    editing_->hideEditors();
    channelModel_->layOut(model_.layout(), channelCount);
    settingsPanel_->setLayout(model_.layout());
}
