#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>

#include "link/fleet_run.h"
#include "link/port_list.h"

class Prompter;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class MainWindow;
class QTableWidget;
class RadioDocument;

// 编程 → 批量写频…: opens frmFleet over the window's document, or says why the document cannot be written
// (incomplete, a frequency outside the band, a marked cell).
void openFleetWindow(MainWindow& window, const TransferSession::Keeping& keeping);

// frmFleet, fleet programming: the document to write, the ports found as check boxes (lstFleetPorts) each
// with what it is doing, verify and backup, 开始 (cmdFleetStart) / 停止 (cmdFleetStop), a results table
// (gridFleet) with a row per radio that follows the radio while it is written, the counter and 导出记录
// (cmdFleetExport, the CSV log). The document must not change during a run, so the window is modal to the
// application; it runs in the main event loop (show(), never exec()).
class FleetWindow : public QDialog {
    Q_OBJECT
public:
    // `ports`: what the system reports and the devices given on the command line.
    FleetWindow(const RadioDocument& document, const QVector<PortInfo>& ports, Prompter& prompter,
                const TransferSession::Keeping& keeping, QWidget* parent = nullptr);
    ~FleetWindow() override;

    // The ports of the system, sorted, then the devices given with --port that are not among them.
    static QVector<PortInfo> portsWith(const QStringList& devices);

    // Ticks the ports of these devices: those given with --port are the cables the user means.
    void checkPorts(const QStringList& devices);

    // Tests shorten the waits.
    void setTimings(const LinkTimings& timings) { timings_ = timings; }
    void setGapMs(int ms) { gapMs_ = ms; }

    const FleetRun* run() const { return run_; }

public Q_SLOTS:
    // Escape closes as the close box does: with the question while radios are written.
    void reject() override { close(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPortList(const QVector<PortInfo>& ports);
    void buildButtons();
    void start();
    void stop();
    void exportLog();
    void portChanged(int port, const FleetPortStatus& status);
    void radioFinished(const FleetRecord& record);
    void runFinished();
    int rowOf(int radio, const QString& device);
    void setRow(int row, const QStringList& cells);
    void updateControls();

    const RadioDocument& document_;
    Prompter& prompter_;
    TransferSession::Keeping keeping_;
    QVector<PortInfo> ports_;
    LinkTimings timings_;
    int gapMs_ = FleetOptions().gapMs;
    FleetRun* run_ = nullptr;
    QStringList runDevices_;
    QHash<int, int> rows_; // radio number -> row of gridFleet
    bool closeWhenDone_ = false;
    QListWidget* lstFleetPorts_;
    QCheckBox* chkFleetVerify_;
    QCheckBox* chkFleetBackup_;
    QPushButton* cmdFleetStart_;
    QPushButton* cmdFleetStop_;
    QPushButton* cmdFleetExport_;
    QTableWidget* gridFleet_;
    QLabel* lblFleetCounter_;
};
