#include "ui/model_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/ui_texts.h"

ModelDialog::ModelDialog(ModelTable* table, const QString& configPath, QWidget* parent)
    : QDialog(parent), table_(table), configPath_(configPath) {
    setObjectName(QStringLiteral("frmJXXZ"));
    setWindowTitle(UiText::FrameModel);
    setModal(true);
    auto* prompt = new QLabel(UiText::ModelDialogPrompt, this);
    prompt->setObjectName(QStringLiteral("Label1"));
    cmbJX_ = new QComboBox(this);
    cmbJX_->setObjectName(QStringLiteral("cmbJX"));
    cmbJX_->setMinimumWidth(180);
    cmdOK_ = new QPushButton(UiText::Ok, this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    auto* box = new QVBoxLayout(this);
    box->addWidget(prompt);
    box->addWidget(cmbJX_);
    box->addWidget(cmdOK_, 0, Qt::AlignRight);
    connect(cmdOK_, &QPushButton::clicked, this, &ModelDialog::confirm);
}

void ModelDialog::load() {
    cmbJX_->clear();
    cmbJX_->addItems(table_->readFrom(configPath_));
    cmbJX_->setCurrentIndex(cmbJX_->count() > 0 ? 0 : -1);
}

void ModelDialog::confirm() {
    const int i = cmbJX_->currentIndex();
    // With nothing selected there is no entry to take: close as if by the close box.
    if (i < 0 || i >= ModelTable::kSize || i >= cmbJX_->count()) {
        reject();
        return;
    }
    chosen_ = i;
    strjx = table_->entries[i].name;
    strMenuItem = menuItems();
    accept();
}

QString ModelDialog::menuItems() const {
    // Every item followed by ";", and one more for the empty position past the last item.
    QString list;
    for (int n = 0; n < cmbJX_->count(); ++n)
        list += cmbJX_->itemText(n) + QLatin1Char(';');
    return list + QLatin1Char(';');
}
