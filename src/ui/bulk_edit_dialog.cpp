#include "ui/bulk_edit_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "image/signalling.h"
#include "texts/ui_texts.h"

namespace {

bool isFrequency(const ChannelColumn& column) {
    return column.editor == CellEditor::RxFrequency || column.editor == CellEditor::TxFrequency;
}

} // namespace

BulkEditDialog::BulkEditDialog(const ChannelTable& table, int channelCount, int column, QWidget* parent)
    : QDialog(parent), table_(table) {
    setObjectName(QStringLiteral("frmBulkEdit"));
    setWindowTitle(RowText::BulkCaption);
    auto* form = new QFormLayout(this);
    auto* count = new QLabel(RowText::BulkChannels.arg(channelCount), this);
    count->setObjectName(QStringLiteral("lblBulkChannels"));
    form->addRow(count);

    column_ = new QComboBox(this);
    column_->setObjectName(QStringLiteral("cboBulkColumn"));
    const auto& columns = table.columns();
    for (int c = 1; c < columns.size(); ++c) {
        if (columns[c].editor == CellEditor::None)
            continue;
        columns_ << c;
        column_->addItem(columns[c].header);
    }
    form->addRow(RowText::BulkColumn, column_);

    value_ = new QComboBox(this);
    value_->setObjectName(QStringLiteral("cboBulkValue"));
    valueLabel_ = new QLabel(RowText::BulkValue, this);
    form->addRow(valueLabel_, value_);
    offset_ = new QLineEdit(this);
    offset_->setObjectName(QStringLiteral("txtBulkOffset"));
    offset_->setPlaceholderText(QStringLiteral("+5  -0.6"));
    offsetLabel_ = new QLabel(RowText::BulkOffset, this);
    form->addRow(offsetLabel_, offset_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdBulkOK"));
    buttons->button(QDialogButtonBox::Ok)->setText(UiText::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdBulkCancel"));
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    connect(column_, &QComboBox::currentIndexChanged, this, &BulkEditDialog::columnChosen);
    const int start = columns_.indexOf(column);
    column_->setCurrentIndex(start >= 0 ? start : 0);
    columnChosen();
}

int BulkEditDialog::column() const {
    return columns_.value(column_->currentIndex(), 0);
}

bool BulkEditDialog::isFrequencyColumn() const {
    const int c = column();
    return c > 0 && isFrequency(table_.columns()[c]);
}

QString BulkEditDialog::value() const {
    return value_->currentText();
}

QString BulkEditDialog::offset() const {
    return offset_->text().trimmed();
}

void BulkEditDialog::columnChosen() {
    const int c = column();
    if (c <= 0)
        return;
    const ChannelColumn& described = table_.columns()[c];
    const bool frequency = isFrequency(described);
    value_->clear();
    if (described.editor == CellEditor::Signalling)
        value_->addItems(Signalling::selectorList(2));
    else
        value_->addItems(described.items);
    value_->setVisible(!frequency);
    valueLabel_->setVisible(!frequency);
    offset_->setVisible(frequency);
    offsetLabel_->setVisible(frequency);
}
