#pragma once

#include <QDialog>
#include <QVector>
#include <array>
#include <functional>

#include "link/port_list.h"

class Prompter;
class QPushButton;
class QRadioButton;
class SerialPort;

// frmDK, "端口选择": four option buttons optDK(0..3) "COM1" ... "COM4", one enabled per port the system
// reports (USB and ACM adapters first; the tooltip names the device), and cmdQD "确定". DKH, the chosen
// index, lives as long as the dialog: the whole run.
class PortDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kButtons = 4;
    using PortLister = std::function<QVector<PortInfo>()>;

    PortDialog(Prompter& prompter, SerialPort* port, QWidget* parent = nullptr);

    // Form_Load: lists the ports, closes an open port, enables the buttons, selects DKH.
    void load();
    void setPortLister(PortLister lister) { lister_ = std::move(lister); }

    int DKH = 0;
    // Whether the user chose a port here (an option clicked or "确定" with a port present).
    bool picked() const { return picked_; }
    const QVector<PortInfo>& ports() const { return ports_; }
    // The device of COM(DKH+1): the listed port, or the first serial device of the system when the list
    // is shorter.
    QString chosenDevice() const;

    QRadioButton* optDK(int index) const { return optDK_[index]; }
    QPushButton* cmdQD() const { return cmdQD_; }

    void optDK_Click(int index);
    void cmdQD_Click();

private:
    Prompter& prompter_;
    SerialPort* port_;
    PortLister lister_;
    QVector<PortInfo> ports_;
    std::array<QRadioButton*, kButtons> optDK_{};
    QPushButton* cmdQD_ = nullptr;
    bool picked_ = false;
};
