#include "ui/port_dialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/serial_port.h"
#include "texts/ui_texts.h"
#include "ui/prompter.h"

PortDialog::PortDialog(Prompter& prompter, SerialPort* port, QWidget* parent)
    : QDialog(parent), prompter_(prompter), port_(port), lister_(&availablePorts) {
    setObjectName(QStringLiteral("frmDK"));
    setWindowTitle(RadioText::PortDialogCaption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kButtons; ++i) {
        auto* b = new QRadioButton(RadioText::portName(i), this);
        b->setObjectName(QStringLiteral("optDK_%1").arg(i));
        b->setProperty("index", i);
        b->setEnabled(false);
        group->addButton(b, i);
        row->addWidget(b);
        optDK_[i] = b;
        connect(b, &QRadioButton::clicked, this, [this, i] { optDK_Click(i); });
    }
    optDK_[0]->setChecked(true);
    layout->addLayout(row);
    cmdQD_ = new QPushButton(UiText::Ok, this);
    cmdQD_->setObjectName(QStringLiteral("cmdQD"));
    cmdQD_->setDefault(true);
    layout->addWidget(cmdQD_, 0, Qt::AlignHCenter);
    connect(cmdQD_, &QPushButton::clicked, this, &PortDialog::cmdQD_Click);
}

void PortDialog::load() {
    ports_ = lister_ ? lister_() : QVector<PortInfo>();
    // The port is only ever open during a transfer; a choice here must not leave it open on the old device.
    if (port_ && port_->isOpen())
        port_->close();
    for (int i = 0; i < kButtons; ++i) {
        const bool present = i < ports_.size();
        optDK_[i]->setEnabled(present);
        optDK_[i]->setToolTip(present ? ports_[i].label() : QString());
    }
    if (DKH >= 0 && DKH < kButtons)
        optDK_[DKH]->setChecked(true);
}

void PortDialog::optDK_Click(int index) {
    DKH = index;
    picked_ = true;
}

void PortDialog::cmdQD_Click() {
    if (!ports_.isEmpty())
        picked_ = true;
    prompter_.message(this, Prompter::Icon::Information, UiText::TitleNotice, RadioText::portChanged(DKH));
    accept();
}

QString PortDialog::chosenDevice() const {
    if (DKH >= 0 && DKH < ports_.size())
        return ports_[DKH].device;
    return QStringLiteral("/dev/ttyS%1").arg(DKH);
}
