#include "ui/command_wiring.h"

#include "document/radio_document.h"
#include "ui/about_box.h"
#include "ui/file_commands.h"
#include "ui/fleet_window.h"
#include "ui/main_window.h"
#include "ui/printer_surface.h"
#include "ui/radio_commands.h"
#include "ui/report_commands.h"
#include "ui/tune_command.h"

namespace {

// Owns the system printer access for the life of the window.
class SystemPrinters : public QObject, public SystemPrinterAccess {
public:
    explicit SystemPrinters(QObject* parent) : QObject(parent) {}
};

void wireRadio(MainWindow& window) {
    auto* radio = new RadioCommands(window);
    radio->setObjectName(QStringLiteral("radioCommands"));
    QObject::connect(radio, &RadioCommands::transferStarting, &window, &MainWindow::stopHousekeeping);
    window.setCommandHandler(MainWindow::Command::Read, [radio] {
        radio->mnuRead_Click();
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::Write, [radio] {
        radio->mnuWrite_Click();
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::Fleet, [&window, radio] {
        openFleetWindow(window, radio->backups().keeping());
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::OpenBackups, [radio] {
        radio->backups().openFolder();
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::OpenTraces, [radio] {
        radio->backups().openTraceFolder();
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::Port, [radio] {
        radio->mnuPort_Click();
        return Error::none();
    });
    window.setPortCloser([radio] { radio->closePort(); });
}

void wireReports(MainWindow& window, const PrinterAccess* printers) {
    if (!printers)
        printers = new SystemPrinters(&window);
    auto* reports = new ReportCommands(window.document(), *window.prompter(), *printers, &window);
    reports->setObjectName(QStringLiteral("reportCommands"));
    QObject::connect(reports, &ReportCommands::started, &window, &MainWindow::stopHousekeeping);
    window.setCommandHandler(MainWindow::Command::Preview, [reports] {
        reports->mnuPreview();
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::Print, [reports] {
        reports->mnuPrint();
        return Error::none();
    });
}

// Owns the system-information facilities for the life of the window.
class SystemInfoHolder : public QObject, public HostSystemInfo {
public:
    explicit SystemInfoHolder(QObject* parent) : QObject(parent) {}
};

void wireService(MainWindow& window) {
    window.setCommandHandler(MainWindow::Command::Tune, [&window] {
        runTuneCommand(window);
        return Error::none();
    });
    auto* system = new SystemInfoHolder(&window);
    window.setCommandHandler(MainWindow::Command::About, [&window, system] {
        AboutBox box(window.configPath(), *window.prompter(), *system, &window);
        window.execDialog(&box);
        return Error::none();
    });
}

} // namespace

void wireCommands(MainWindow& window, const PrinterAccess* printers) {
    wireRadio(window);
    wireReports(window, printers);
    wireService(window);
}
