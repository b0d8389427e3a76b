#include "ui/model_commands.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>

#include "document/radio_document.h"
#include "texts/ui_texts.h"
#include "ui/file_commands.h"
#include "ui/main_window.h"
#include "ui/model_dialog.h"

ModelCommands::ModelCommands(MainWindow& window, RadioDocument& document, QMenu* newMenu,
                             QComboBox* bandSelector, QLabel* rangeLabel, const QString& configPath)
    : QObject(&window), window_(window), document_(document), mnuNew_(newMenu), cboPCmodel_(bandSelector),
      label2_(rangeLabel), frmJXXZ_(new ModelDialog(&document.models(), configPath, &window)) {
    // The placeholder item of the model menu; it gets a caption when the first model list arrives.
    modelItem(0)->setVisible(false);
    // Only a pick by the user counts as a click; code selects bands through the document.
    connect(cboPCmodel_, &QComboBox::activated, this,
            [this](int band) { window_.runCommand([this, band] { bandSelectorClick(band); }); });
    connect(&document_, &RadioDocument::modelChanged, this, &ModelCommands::showModel);
    showModel();
}

QAction* ModelCommands::modelItem(int index) {
    while (int(mnuTYPE_.size()) <= index) {
        const int i = int(mnuTYPE_.size());
        QAction* item = mnuNew_->addAction(QString());
        item->setObjectName(QStringLiteral("mnuTYPE_%1").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this,
                [this, i] { window_.runCommand([this, i] { modelMenuClick(i); }); });
        mnuTYPE_.push_back(item);
    }
    return mnuTYPE_[index];
}

void ModelCommands::chooseModel() {
    // The activation that follows the dialog waits until the new model is in place.
    window_.runCommand([this] {
        if (!window_.files().offerToSave())
            return;
        frmJXXZ_->load();
        // Closed without a choice, the dialog changes nothing: the table and the model stay as they were.
        if (window_.execDialog(frmJXXZ_) != QDialog::Accepted)
            return;
        document_.chooseModel(frmJXXZ_->chosenIndex());
        buildModelMenu(frmJXXZ_->strMenuItem);
    });
}

void ModelCommands::loadModels() {
    frmJXXZ_->load();
    buildModelMenu(frmJXXZ_->menuItems());
}

void ModelCommands::buildModelMenu(const QString& nameList) {
    if (!blnMenuBuilt_) {
        // The list ends with ";;": the last two pieces are not names.
        const QStringList pieces = nameList.split(QLatin1Char(';'));
        for (int i = 0; i <= pieces.size() - 3 && i < ModelTable::kSize; ++i) {
            QAction* item = modelItem(i);
            item->setText(pieces[i]);
            item->setVisible(true);
            blnMenuBuilt_ = true; // only a list with models builds the menu, so a later choice still can
        }
    }
    showModel(); // the check mark follows the document's model, which is the chosen one
}

void ModelCommands::modelMenuClick(int index) {
    if (index < 0 || index >= int(mnuTYPE_.size()) || index >= ModelTable::kSize)
        return;
    if (!window_.files().offerToSave()) {
        showModel(); // the check mark stays on the document's model
        return;
    }
    document_.chooseModel(index);
}

void ModelCommands::bandSelectorClick(int band) {
    document_.selectBand(band, true);
}

void ModelCommands::startShowingModel() {
    showing_ = true;
    showModel();
}

void ModelCommands::showModel() {
    const CurrentModel& model = document_.model();
    label2_->setText(document_.rangeText());
    for (int i = 0; i < int(mnuTYPE_.size()); ++i)
        mnuTYPE_[i]->setChecked(mnuTYPE_[i]->isVisible() && i == model.modelIndex);
    if (!showing_)
        return; // the selector keeps its design items until the window has loaded
    const QStringList items{model.strPc + UiText::BandSuffixU, model.strPc + UiText::BandSuffixV};
    QStringList shown;
    for (int i = 0; i < cboPCmodel_->count(); ++i)
        shown << cboPCmodel_->itemText(i);
    if (shown != items) {
        cboPCmodel_->clear();
        cboPCmodel_->addItems(items);
    }
    cboPCmodel_->setCurrentIndex(model.band == 0 || model.band == 1 ? model.band : -1);
}
