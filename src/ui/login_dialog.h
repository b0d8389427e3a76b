#pragma once

#include <QDialog>

class Prompter;
class QLineEdit;
class QPushButton;

// frmLogin: asks for the tune-mode password, three attempts per showing. The command that opened it reads
// LoginSucceeded after it has closed; a new dialog is made for each tune command.
class LoginDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAttempts = 3;

    explicit LoginDialog(Prompter& prompter, QWidget* parent = nullptr);

    bool LoginSucceeded = false;
    int attempt() const { return attempt_; }

    QLineEdit* passwordBox() const { return txtPassword_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }

    void reject() override; // the close box and Esc as well as "取消"

private:
    void confirm();

    Prompter& prompter_;
    QLineEdit* txtPassword_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    int attempt_ = 1;
};
