#pragma once

#include <QDialog>

#include "config/app_config.h"

class QComboBox;
class QPushButton;

// frmJXXZ: lists the models of the configuration file, fills the model table and hands back the chosen
// model. The results strjx and strMenuItem are kept by the dialog object from one showing to the next;
// closing it through the close box leaves them as they were.
class ModelDialog : public QDialog {
    Q_OBJECT
public:
    ModelDialog(ModelTable* table, const QString& configPath, QWidget* parent = nullptr);

    // Loading: refills cmbJX and the model table from the configuration file, selects the first item.
    void load();

    // Every listed model followed by ";", and one more ";": the form of strMenuItem.
    QString menuItems() const;

    // Results of the last confirmation.
    QString strjx;
    QString strMenuItem;
    // The entry chosen by the last confirmation, -1 before one.
    int chosenIndex() const { return chosen_; }

    QComboBox* modelList() const { return cmbJX_; }
    QPushButton* okButton() const { return cmdOK_; }

private:
    void confirm();

    ModelTable* table_;
    QString configPath_;
    QComboBox* cmbJX_;
    QPushButton* cmdOK_;
    int chosen_ = -1;
};
