#include "ui/fleet_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "config/error_texts.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "link/port_list.h"
#include "texts/fleet_texts.h"
#include "texts/transfer_texts.h"
#include "texts/ui_texts.h"
#include "ui/file_choice.h"
#include "ui/main_window.h"
#include "ui/prompter.h"
#include "ui/write_preferences.h"

namespace {

QString portText(const PortInfo& port) {
    const QString usb = port.usbId();
    return usb.isEmpty() ? port.label() : port.label() + QStringLiteral("  ") + usb;
}

QString documentLine(const RadioDocument& document) {
    const QString file =
        document.filePath().isEmpty() ? FleetTexts::Untitled : QFileInfo(document.filePath()).fileName();
    return FleetTexts::Document.arg(file, document.model().strPc).arg(document.model().strType);
}

} // namespace

FleetWindow::FleetWindow(const RadioDocument& document, const QVector<PortInfo>& ports, Prompter& prompter,
                         const TransferSession::Keeping& keeping, QWidget* parent)
    : QDialog(parent), document_(document), prompter_(prompter), keeping_(keeping), ports_(ports),
      lstFleetPorts_(new QListWidget(this)), chkFleetVerify_(new QCheckBox(FleetTexts::Verify, this)),
      chkFleetBackup_(new QCheckBox(FleetTexts::Backup, this)),
      cmdFleetStart_(new QPushButton(FleetTexts::Start, this)),
      cmdFleetStop_(new QPushButton(FleetTexts::Stop, this)),
      cmdFleetExport_(new QPushButton(FleetTexts::Export, this)), gridFleet_(new QTableWidget(0, 8, this)),
      lblFleetCounter_(new QLabel(FleetTexts::counter(0, 0), this)) {
    setObjectName(QStringLiteral("frmFleet"));
    setWindowTitle(FleetTexts::WindowTitle);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* lblDocument = new QLabel(documentLine(document), this);
    lblDocument->setObjectName(QStringLiteral("lblFleetDocument"));
    layout->addWidget(lblDocument);
    layout->addWidget(new QLabel(FleetTexts::Ports, this));
    buildPortList(ports);
    layout->addWidget(lstFleetPorts_);
    buildButtons();
    auto* row = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(chkFleetVerify_), static_cast<QWidget*>(chkFleetBackup_)})
        row->addWidget(w);
    row->addStretch();
    for (QPushButton* b : {cmdFleetStart_, cmdFleetStop_, cmdFleetExport_})
        row->addWidget(b);
    layout->addLayout(row);
    gridFleet_->setObjectName(QStringLiteral("gridFleet"));
    gridFleet_->setHorizontalHeaderLabels(FleetTexts::columns());
    gridFleet_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridFleet_->verticalHeader()->hide();
    gridFleet_->setWordWrap(false);
    gridFleet_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    gridFleet_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(gridFleet_, 1);
    lblFleetCounter_->setObjectName(QStringLiteral("lblFleetCounter"));
    layout->addWidget(lblFleetCounter_);
    resize(960, 560);
    updateControls();
}

FleetWindow::~FleetWindow() = default;

QVector<PortInfo> FleetWindow::portsWith(const QStringList& devices) {
    QVector<PortInfo> ports = availablePorts();
    for (const QString& given : devices) {
        const QString device = portDevicePath(given);
        const bool listed =
            std::any_of(ports.begin(), ports.end(), [&](const PortInfo& p) { return p.device == device; });
        if (!device.isEmpty() && !listed)
            ports.append({QFileInfo(device).fileName(), device, FleetTexts::FromCommandLine});
    }
    return ports;
}

void FleetWindow::buildPortList(const QVector<PortInfo>& ports) {
    lstFleetPorts_->setObjectName(QStringLiteral("lstFleetPorts"));
    if (ports.isEmpty())
        lstFleetPorts_->addItem(FleetTexts::NoPorts);
    for (const PortInfo& port : ports) {
        auto* item = new QListWidgetItem(portText(port), lstFleetPorts_);
        item->setData(Qt::UserRole, port.device);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void FleetWindow::checkPorts(const QStringList& devices) {
    for (int i = 0; i < lstFleetPorts_->count(); ++i) {
        QListWidgetItem* item = lstFleetPorts_->item(i);
        const QString device = item->data(Qt::UserRole).toString();
        for (const QString& given : devices) {
            if (!device.isEmpty() && portDevicePath(given) == device)
                item->setCheckState(Qt::Checked);
        }
    }
}

void FleetWindow::buildButtons() {
    chkFleetVerify_->setObjectName(QStringLiteral("chkFleetVerify"));
    chkFleetVerify_->setChecked(true); // a fleet is written unattended: the read-back is worth its time
    chkFleetBackup_->setObjectName(QStringLiteral("chkFleetBackup"));
    chkFleetBackup_->setChecked(WritePreferences::backupBeforeWrite());
    cmdFleetStart_->setObjectName(QStringLiteral("cmdFleetStart"));
    cmdFleetStop_->setObjectName(QStringLiteral("cmdFleetStop"));
    cmdFleetExport_->setObjectName(QStringLiteral("cmdFleetExport"));
    cmdFleetStart_->setDefault(true);
    connect(cmdFleetStart_, &QPushButton::clicked, this, &FleetWindow::start);
    connect(cmdFleetStop_, &QPushButton::clicked, this, &FleetWindow::stop);
    connect(cmdFleetExport_, &QPushButton::clicked, this, &FleetWindow::exportLog);
}

void FleetWindow::start() {
    QStringList devices;
    for (int i = 0; i < lstFleetPorts_->count(); ++i) {
        const QListWidgetItem* item = lstFleetPorts_->item(i);
        if (item->checkState() == Qt::Checked)
            devices << item->data(Qt::UserRole).toString();
    }
    if (devices.isEmpty()) {
        prompter_.information(this, FleetTexts::WindowTitle, FleetTexts::ChoosePort);
        return;
    }
    FleetOptions options;
    options.verify = chkFleetVerify_->isChecked();
    options.backup = chkFleetBackup_->isChecked();
    options.gapMs = gapMs_;
    options.timings = timings_;
    options.keeping = keeping_;
    delete run_;
    rows_.clear();
    gridFleet_->setRowCount(0);
    runDevices_ = devices;
    run_ = new FleetRun(document_, devices, options, 0, this);
    connect(run_, &FleetRun::portChanged, this, &FleetWindow::portChanged);
    connect(run_, &FleetRun::radioFinished, this, &FleetWindow::radioFinished);
    connect(run_, &FleetRun::finished, this, &FleetWindow::runFinished);
    cmdFleetStop_->setText(FleetTexts::Stop);
    run_->start();
    updateControls();
}

void FleetWindow::stop() {
    if (!run_ || !run_->isRunning())
        return;
    // The first press lets the radios being written finish; the second stops them where they stand.
    if (cmdFleetStop_->text() == FleetTexts::Stop) {
        cmdFleetStop_->setText(FleetTexts::StopNow);
        run_->stop();
    } else {
        run_->stopNow();
    }
}

void FleetWindow::portChanged(int port, const FleetPortStatus& status) {
    const QString device = runDevices_.value(port);
    const QString text = FleetTexts::portStatus(status);
    for (int i = 0; i < lstFleetPorts_->count(); ++i) {
        QListWidgetItem* item = lstFleetPorts_->item(i);
        if (item->data(Qt::UserRole).toString() == device)
            item->setText(portText(ports_.value(i)) + QStringLiteral("  —  ") + text);
    }
    if (status.phase == FleetPortStatus::Phase::Writing && status.radio > 0)
        gridFleet_->item(rowOf(status.radio, device), 4)->setText(text);
}

void FleetWindow::radioFinished(const FleetRecord& record) {
    setRow(rowOf(record.index, record.port), FleetTexts::cells(record));
    lblFleetCounter_->setText(FleetTexts::counter(run_->succeeded(), run_->failed()));
}

int FleetWindow::rowOf(int radio, const QString& device) {
    if (const auto found = rows_.constFind(radio); found != rows_.constEnd())
        return *found;
    const int row = gridFleet_->rowCount();
    gridFleet_->insertRow(row);
    rows_.insert(radio, row);
    setRow(row, {QString::number(radio),
                 device,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 {},
                 {},
                 {},
                 {},
                 {}});
    return row;
}

void FleetWindow::setRow(int row, const QStringList& cells) {
    for (int column = 0; column < cells.size(); ++column) {
        if (QTableWidgetItem* item = gridFleet_->item(row, column))
            item->setText(cells[column]);
        else
            gridFleet_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

void FleetWindow::runFinished() {
    updateControls();
    if (closeWhenDone_)
        close();
}

void FleetWindow::updateControls() {
    const bool running = run_ && run_->isRunning();
    cmdFleetStart_->setEnabled(!running && !ports_.isEmpty());
    cmdFleetStop_->setEnabled(running);
    cmdFleetExport_->setEnabled(run_ && !run_->records().isEmpty());
    // The list stays readable during a run (it shows each port's state); only its check boxes are held.
    for (int i = 0; i < lstFleetPorts_->count(); ++i) {
        QListWidgetItem* item = lstFleetPorts_->item(i);
        if (item->data(Qt::UserRole).isValid())
            item->setFlags(running ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
    chkFleetVerify_->setEnabled(!running);
    chkFleetBackup_->setEnabled(!running);
}

void FleetWindow::exportLog() {
    if (!run_)
        return;
    const QString path = FileChoice::saveFile(prompter_, this, FleetTexts::Export, FleetTexts::ExportFilter,
                                              QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (const Error e = writeFileAtomically(path, FleetTexts::csv(run_->records())); e.isError())
        prompter_.showError(this, e, TransferTexts::ErrorForm::Failed);
}

void FleetWindow::closeEvent(QCloseEvent* event) {
    if (!run_ || !run_->isRunning()) {
        event->accept();
        return;
    }
    if (run_->busy() == 0) {
        run_->stopNow(); // only waiting: nothing to finish
        event->accept();
        return;
    }
    event->ignore();
    if (prompter_.confirm(this, FleetTexts::WindowTitle, FleetTexts::ConfirmClose,
                          Prompter::Icon::Question)) {
        closeWhenDone_ = true;
        run_->stop();
        cmdFleetStop_->setText(FleetTexts::StopNow);
    }
}

void openFleetWindow(MainWindow& window, const TransferSession::Keeping& keeping) {
    const RadioDocument& document = window.document();
    Prompter& prompter = *window.prompter();
    if (!document.isComplete()) {
        prompter.information(&window, FleetTexts::WindowTitle,
                             FleetTexts::Incomplete.arg(document.firstMissingChannel()));
        return;
    }
    if (const TransferSession::WriteRefusal refusal = TransferSession::checkWrite(document);
        refusal.refuses()) {
        prompter.show(&window, TransferTexts::writeRefusal(refusal, document.table()));
        return;
    }
    auto* fleet =
        new FleetWindow(document, FleetWindow::portsWith(window.portDevices()), prompter, keeping, &window);
    fleet->checkPorts(window.portDevices());
    fleet->show();
}
