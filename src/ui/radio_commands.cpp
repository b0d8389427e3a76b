#include "ui/radio_commands.h"

#include "link/frequency_check.h"
#include "link/port_list.h"
#include "link/qt_serial_port.h"
#include "link/read_transfer.h"
#include "link/received_file.h"
#include "link/transfer_driver.h"
#include "link/write_image.h"
#include "link/write_transfer.h"
#include "texts/transfer_texts.h"
#include "ui/port_dialog.h"
#include "ui/progress_window.h"
#include "ui/prompter.h"
#include "ui/radio_command_host.h"
#include "ui/radio_texts.h"

RadioCommands::RadioCommands(RadioCommandHost& host, QObject* parent)
    : RadioCommands(host, std::make_unique<QtSerialPort>(), parent) {}

RadioCommands::RadioCommands(RadioCommandHost& host, std::unique_ptr<SerialPort> port, QObject* parent)
    : QObject(parent), host_(host), port_(std::move(port)), receivedPath_(ReceivedFile::defaultPath()) {}

RadioCommands::~RadioCommands() {
    closePort();
    delete frmDK_; // parented to the host window, which may already be gone; see portDialog()
}

PortDialog& RadioCommands::portDialog() {
    if (!frmDK_) {
        // Owned here rather than by the window, so that DKH lives exactly as long as the commands.
        frmDK_ = new PortDialog(host_.radioPrompter(), port_.get(), host_.radioParent());
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
    if (!host_.portDevice().isEmpty())
        return host_.portDevice();
    const int index = frmDK_ ? frmDK_->DKH : 0;
    const QVector<PortInfo> ports = availablePorts();
    if (index < ports.size())
        return ports[index].device;
    return QStringLiteral("/dev/ttyS%1").arg(index);
}

void RadioCommands::mnuPort_Click() {
    PortDialog& dialog = portDialog();
    dialog.load();
    host_.runDialog(&dialog);
}

bool RadioCommands::openPort(bool) {
    if (port_->isOpen())
        return true;
    const Error e = port_->open(portDevice());
    if (e.isError()) {
        host_.radioPrompter().message(host_.radioParent(), Prompter::Icon::Information,
                                      QString::number(e.code), e.description);
        closePort();
        return false;
    }
    return true;
}

void RadioCommands::mnuRead_Click() {
    Prompter& prompter = host_.radioPrompter();
    QWidget* parent = host_.radioParent();
    if (!prompter.confirm(parent, RadioText::ReadCaption, RadioText::ConfirmRead))
        return;
    if (!openPort(true))
        return;
    const ReceivedFile received(receivedPath_);
    if (const Error e = received.reset(); e.isError()) {
        prompter.message(parent, Prompter::Icon::Information, QString::number(e.code), e.description);
        closePort();
        return;
    }
    host_.stopHousekeepingTimer();

    ReadTransfer machine(host_.modelTable(), {timings_});
    TransferDriver driver(*port_, machine);
    driver.setBlockSink([&received](const QByteArray& reply) { return received.append(reply); });
    {
        ProgressWindow frmWAIT(prompter, parent);
        frmWAIT.blnn = false;
        frmWAIT.setApplicationTitle(host_.applicationTitle());
        frmWAIT.setStartDelay(timings_.startDelayMs);
        frmWAIT.setTransfer(&driver);
        host_.runDialog(&frmWAIT);
    }
    closePort();
    lastResult_ = driver.result();
    if (driver.isFinished() && lastResult_.decode)
        host_.loadChannelFile(receivedPath_);
}

void RadioCommands::mnuWrite_Click() {
    Prompter& prompter = host_.radioPrompter();
    QWidget* parent = host_.radioParent();
    const CurrentModel model = host_.currentModel();
    const ChannelTable table = host_.channelTable();
    const FrequencyCheck check = ValidateFrequencies(table, model.band);
    if (!check) {
        if (check.runtimeError)
            prompter.message(parent, Prompter::Icon::Critical, QString::number(check.error.code),
                             check.error.description);
        else
            prompter.message(parent, Prompter::Icon::Information, RadioText::NoticeTitle,
                             check.error.description);
        return;
    }
    if (!prompter.confirm(parent, RadioText::WriteCaption, RadioText::ConfirmWrite))
        return;
    // The image is built before the radio is woken, so that nothing reaches the radio from a state that
    // cannot be encoded.
    MemoryImage image;
    if (const Error e = buildWriteImage(model, table, host_.radioSettings(), &image); e.isError()) {
        prompter.message(parent, Prompter::Icon::Warning, RadioText::ErrorTitle,
                         TransferTexts::errorNumberText(e));
        return;
    }
    if (!openPort(false))
        return;
    host_.stopHousekeepingTimer();

    WriteTransfer machine(image, model.strType, {timings_});
    TransferDriver driver(*port_, machine);
    {
        ProgressWindow frmWAIT(prompter, parent);
        frmWAIT.blnn = true;
        frmWAIT.setApplicationTitle(host_.applicationTitle());
        frmWAIT.setStartDelay(timings_.startDelayMs);
        frmWAIT.setTransfer(&driver);
        host_.runDialog(&frmWAIT);
    }
    closePort();
    lastResult_ = driver.result();
}
