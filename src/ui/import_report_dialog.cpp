#include "ui/import_report_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/import_texts.h"

ImportReportDialog::ImportReportDialog(ChirpCsv::ReadResult asWritten, ChirpCsv::ReadResult inFileOrder,
                                       QWidget* parent)
    : QDialog(parent), asWritten_(std::move(asWritten)), inFileOrder_(std::move(inFileOrder)) {
    setObjectName(QStringLiteral("frmImportReport"));
    setWindowTitle(ImportTexts::DialogTitle);
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblImportSummary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    // Read-only but selectable, so a dealer can copy the lines into a mail or fix them in the list.
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("txtImportReport"));
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setMinimumSize(560, 260);
    layout->addWidget(report_, 1);

    order_ = new QCheckBox(ImportTexts::InFileOrder, this);
    order_->setObjectName(QStringLiteral("chkImportFileOrder"));
    layout->addWidget(order_);

    auto* buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    import_->setObjectName(QStringLiteral("cmdImportFit"));
    QPushButton* cancel = buttons->addButton(ImportTexts::Cancel, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdImportCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(order_, &QCheckBox::toggled, this, [this] { present(chosen()); });
    present(chosen());
    cancel->setDefault(true);
}

bool ImportReportDialog::inFileOrder() const {
    return order_->isChecked();
}

const ChirpCsv::ReadResult& ImportReportDialog::chosen() const {
    return inFileOrder() ? inFileOrder_ : asWritten_;
}

void ImportReportDialog::present(const ChirpCsv::ReadResult& result) {
    const int usable = ImportTexts::usableCount(result);
    summary_->setText(ImportTexts::summary(result));
    report_->setPlainText(ImportTexts::report(result));
    import_->setText(ImportTexts::ImportFit.arg(usable));
    import_->setEnabled(usable > 0);
}
