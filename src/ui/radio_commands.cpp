#include "ui/radio_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include "document/radio_document.h"
#include "link/port_list.h"
#include "link/qt_serial_port.h"
#include "link/read_job.h"
#include "link/write_sequence.h"
#include "texts/transfer_texts.h"
#include "texts/ui_texts.h"
#include "ui/file_commands.h"
#include "ui/main_window.h"
#include "ui/port_dialog.h"
#include "ui/progress_window.h"
#include "ui/prompter.h"
#include "ui/write_preferences.h"

RadioCommands::RadioCommands(MainWindow& window) : RadioCommands(window, std::make_unique<QtSerialPort>()) {}

RadioCommands::RadioCommands(MainWindow& window, std::unique_ptr<SerialPort> port)
    : QObject(&window), window_(window), port_(std::move(port)), receivedPath_(ReceivedFile::defaultPath()),
      backups_(window) {}

RadioCommands::~RadioCommands() {
    closePort();
    delete frmDK_; // parented to the window, which may already be gone; see portDialog()
}

PortDialog& RadioCommands::portDialog() {
    if (!frmDK_) {
        // Owned here rather than by the window, so that DKH lives exactly as long as the commands.
        frmDK_ = new PortDialog(*window_.prompter(), port_.get(), &window_);
        frmDK_->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(frmDK_, &QObject::destroyed, this, [this] { frmDK_ = nullptr; });
    }
    return *frmDK_;
}

void RadioCommands::closePort() {
    if (port_ && port_->isOpen())
        port_->close();
}

QString RadioCommands::portDevice() const {
    if (frmDK_ && frmDK_->picked())
        return frmDK_->chosenDevice();
    if (!window_.portDevice().isEmpty())
        return portDevicePath(window_.portDevice());
    const int index = frmDK_ ? frmDK_->DKH : 0;
    const QVector<PortInfo> ports = availablePorts();
    if (index < ports.size())
        return ports[index].device;
    return QStringLiteral("/dev/ttyS%1").arg(index);
}

void RadioCommands::mnuPort_Click() {
    PortDialog& dialog = portDialog();
    dialog.load();
    window_.execDialog(&dialog);
}

bool RadioCommands::openPort() {
    if (port_->isOpen())
        return true;
    const Error e = port_->open(portDevice());
    if (e.isError()) {
        window_.prompter()->showError(&window_, e);
        closePort();
        return false;
    }
    return true;
}

const TransferSession::Outcome& RadioCommands::runInProgressWindow(TransferSession& session, bool write) {
    Q_EMIT transferStarting();
    window_.showStatusNote(QString()); // the notes of an earlier transfer no longer apply
    {
        ProgressWindow frmWAIT(*window_.prompter(), &window_);
        frmWAIT.blnn = write;
        frmWAIT.setStartDelay(timings_.startDelayMs);
        frmWAIT.setApplicationTitle(window_.applicationTitle());
        if (!session.tracePath().isEmpty())
            frmWAIT.setTraceNote(RadioText::TraceSaved.arg(QDir::toNativeSeparators(session.tracePath())));
        frmWAIT.setTransfer(&session.job());
        window_.execDialog(&frmWAIT);
    }
    closePort();
    const TransferSession::Outcome& outcome = session.finish();
    lastResult_ = outcome.result;
    return outcome;
}

void RadioCommands::mnuRead_Click() {
    Prompter& prompter = *window_.prompter();
    if (!window_.files().offerToSave())
        return;
    if (!prompter.confirm(&window_, RadioText::ReadCaption, RadioText::ConfirmRead))
        return;
    if (!openPort())
        return;
    RadioDocument& document = window_.document();
    TransferSession session(*port_, document.models(), backups_.keeping());
    // The desktop shows what arrived and keeps it in its own data folder, as little as that may be.
    if (const Error e = session.prepareRead(receivedPath_, ReadJob::Keep::Arrived, timings_); e.isError()) {
        prompter.showError(&window_, e);
        closePort();
        return;
    }
    const TransferSession::Outcome& outcome = runInProgressWindow(session, false);
    backups_.noteBackup(outcome.backup);
    backups_.noteTrace(outcome.trace);
    const ReadJob& job = *session.readJob();
    if (!job.hasReceived())
        return;
    // After a read that did not complete, the message of what arrived names its backup.
    const QString backupNote =
        outcome.result.ok() || outcome.backup.path.isEmpty()
            ? QString()
            : RadioText::ReceivedBackedUp.arg(QDir::toNativeSeparators(outcome.backup.path));
    // What arrived is shown exactly as an opened file, with the same messages.
    window_.files().decodeWithMessages(
        [&job, &document](LoadedChannelFile* loaded) { return job.decodeInto(document, loaded); },
        backupNote);
}

void RadioCommands::mnuWrite_Click() {
    Prompter& prompter = *window_.prompter();
    const RadioDocument& document = window_.document();
    if (const TransferSession::WriteRefusal refusal = TransferSession::checkWrite(document);
        refusal.refuses()) {
        prompter.show(&window_, TransferTexts::writeRefusal(refusal, document.table()));
        return;
    }
    // A table that lacks channels would blank them on the radio: said first, named, and only on request.
    if (!document.isComplete() &&
        !prompter.confirm(
            &window_, RadioText::WriteCaption,
            RadioText::confirmIncompleteWrite(document.firstMissingChannel(), document.model().strType)))
        return;
    // The radio last seen on this port was another model: asked first, from what this run knows.
    const QString lastCode = TransferSession::lastModelCode(portDevice());
    const CurrentModel& model = document.model();
    if (!lastCode.isEmpty() && lastCode.compare(model.strBandCode, Qt::CaseInsensitive) != 0 &&
        !prompter.confirm(&window_, RadioText::WriteCaption,
                          TransferTexts::confirmOtherModel(modelNameOfCode(document.models(), lastCode),
                                                           lastCode, model.strPc, model.strBandCode)))
        return;
    if (!prompter.confirm(&window_, RadioText::WriteCaption, RadioText::ConfirmWrite))
        return;
    TransferSession session(*port_, document.models(), backups_.keeping());
    if (const Error e = session.prepareWrite(document, {WritePreferences::backupBeforeWrite(),
                                                        WritePreferences::verifyAfterWrite(), timings_});
        e.isError()) {
        prompter.showError(&window_, e, TransferTexts::ErrorForm::Numbered);
        return;
    }
    if (!openPort())
        return;
    // The modified mark stays: it says whether the file named in the title has the edits, and a write
    // does not put them there.
    const TransferSession::Outcome& outcome = runInProgressWindow(session, true);
    backups_.noteBackup(outcome.radioBackup);
    backups_.noteBackup(outcome.backup);
    backups_.noteTrace(outcome.trace);
    showWriteReport(session.writeJob()->report(), outcome.backup.path);
}

void RadioCommands::showWriteReport(const WriteSequence::Report& report, const QString& backup) {
    TransferTexts::Shown shown = TransferTexts::writeReport(report);
    if (shown.text.isEmpty())
        return;
    // A radio left half written is rewritten from the backup of what was sent.
    if (report.unfinished && !backup.isEmpty())
        shown.text += QLatin1Char('\n') + RadioText::BackupSaved.arg(QFileInfo(backup).fileName());
    if (report.verdict == WriteSequence::Verdict::Verified)
        window_.addStatusNote(shown.text);
    else
        window_.prompter()->show(&window_, shown);
}
