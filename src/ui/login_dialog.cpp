#include "ui/login_dialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/ui_texts.h"
#include "ui/prompter.h"

namespace {

// Service staff learn this from the service manual; it is compared exactly, character by character.
const QString kPassword = QStringLiteral("4816930");

} // namespace

LoginDialog::LoginDialog(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(TuneText::LoginCaption);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgKey"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/key.svg")).pixmap(32, 32));
    txtPassword_ = new QLineEdit(this);
    txtPassword_->setObjectName(QStringLiteral("txtPassword"));
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    txtPassword_->setMinimumWidth(200);
    cmdOK_ = new QPushButton(UiText::Ok, this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(UiText::Cancel, this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto* entry = new QHBoxLayout;
    entry->addWidget(icon);
    entry->addWidget(txtPassword_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(entry);
    box->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, &LoginDialog::confirm);
    connect(cmdCancel_, &QPushButton::clicked, this, &LoginDialog::reject);
    txtPassword_->setFocus();
}

void LoginDialog::confirm() {
    if (txtPassword_->text() == kPassword) {
        LoginSucceeded = true;
        accept();
        return;
    }
    prompter_.message(this, Prompter::Icon::Critical, UiText::TitleError, TuneText::WrongPassword);
    if (attempt_ >= kAttempts) {
        QDialog::reject();
        return;
    }
    ++attempt_;
    // The whole wrong text is selected, so the next try simply overwrites it.
    txtPassword_->setFocus();
    txtPassword_->selectAll();
}

void LoginDialog::reject() {
    LoginSucceeded = false;
    QDialog::reject();
}
