#pragma once

#include <QObject>
#include <memory>

#include "link/link_timing.h"
#include "link/transfer_action.h"

class PortDialog;
class RadioCommandHost;
class SerialPort;

// The radio commands of the main window: mnuPort_Click (frmDK), mnuRead_Click and mnuWrite_Click (frmWAIT
// running a ReadTransfer or WriteTransfer). The main window owns one instance for the whole run; it holds
// the serial port (closed between transfers) and the port dialog with its DKH.
class RadioCommands : public QObject {
    Q_OBJECT
public:
    explicit RadioCommands(RadioCommandHost& host, QObject* parent = nullptr);
    // Tests hand in their own port.
    RadioCommands(RadioCommandHost& host, std::unique_ptr<SerialPort> port, QObject* parent = nullptr);
    ~RadioCommands() override;

    void mnuPort_Click();
    void mnuRead_Click();
    void mnuWrite_Click();
    // The close rule: closes the port if it is open.
    void closePort();

    // The device the next transfer opens: the port chosen in frmDK, else --port, else COM1's device.
    QString portDevice() const;
    SerialPort& port() { return *port_; }
    PortDialog& portDialog();

    // The received file of the last read: <AppDataLocation>/received.qfd unless set.
    QString receivedFilePath() const { return receivedPath_; }
    void setReceivedFilePath(const QString& path) { receivedPath_ = path; }
    void setTimings(const LinkTimings& timings) { timings_ = timings; }
    const TransferResult& lastResult() const { return lastResult_; }

private:
    bool openPort(bool read);

    RadioCommandHost& host_;
    std::unique_ptr<SerialPort> port_;
    PortDialog* frmDK_ = nullptr;
    QString receivedPath_;
    LinkTimings timings_;
    TransferResult lastResult_;
};
