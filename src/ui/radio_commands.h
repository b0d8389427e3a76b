#pragma once

#include <QObject>
#include <memory>

#include "link/link_timing.h"
#include "link/transfer_action.h"
#include "link/write_sequence.h"
#include "ui/backup_commands.h"

class MainWindow;
class PortDialog;
class SerialPort;

// The radio commands of the main window: mnuPort_Click (frmDK), mnuRead_Click and mnuWrite_Click (frmWAIT
// running a read or a write job on the window's document). The main window owns one instance for the whole
// run; it holds the serial port (closed between transfers) and the port dialog with its DKH.
class RadioCommands : public QObject {
    Q_OBJECT
public:
    explicit RadioCommands(MainWindow& window);
    // Tests hand in their own port.
    RadioCommands(MainWindow& window, std::unique_ptr<SerialPort> port);
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
    // The backups of the reads and writes: <AppDataLocation>/backups unless their folder is set.
    BackupCommands& backups() { return backups_; }

Q_SIGNALS:
    // A transfer is about to run; the window's housekeeping timer stops until its next activation.
    void transferStarting();

private:
    bool openPort();
    // Shows frmWAIT running the session's job until it has finished; the port is closed afterwards, and
    // the session keeps its backups and trace.
    const TransferSession::Outcome& runInProgressWindow(TransferSession& session, bool write);
    // After a write: a matching read-back on the status bar; a difference, a failed read-back, the radio
    // of another model or a write that stopped part of the way in a box. `backup` is the saved image of
    // what was sent, if any.
    void showWriteReport(const WriteSequence::Report& report, const QString& backup);

    MainWindow& window_;
    std::unique_ptr<SerialPort> port_;
    PortDialog* frmDK_ = nullptr;
    QString receivedPath_;
    LinkTimings timings_;
    TransferResult lastResult_;
    BackupCommands backups_;
};
