#include "ui/command_wiring.h"

#include <QComboBox>

#include "ui/main_window.h"
#include "ui/printer_surface.h"
#include "ui/report_commands.h"
#include "ui/report_host.h"

namespace {

// The report commands see the main window through this.
class MainWindowReportHost : public QObject, public ReportHost {
public:
    explicit MainWindowReportHost(MainWindow& window) : QObject(&window), window_(window) {}

    QWidget* reportParent() override { return &window_; }
    Prompter& reportPrompter() override { return *window_.prompter(); }
    QString bandText() const override { return window_.bandSelectorText(); }
    QString rangeLabelText() const override { return window_.rangeLabelText(); }
    QString settingsText(RadioSettings::List list) const override {
        const auto* combo = window_.findChild<QComboBox*>(RadioSettings::objectName(list));
        return combo ? combo->currentText() : QString();
    }
    const ChannelTable& channelTable() const override { return window_.channelTable(); }
    void stopHousekeepingTimer() override { window_.stopHousekeeping(); }

private:
    MainWindow& window_;
};

// Owns the system printer access for the life of the window.
class SystemPrinters : public QObject, public SystemPrinterAccess {
public:
    explicit SystemPrinters(QObject* parent) : QObject(parent) {}
};

void wireReports(MainWindow& window, const PrinterAccess* printers) {
    if (!printers)
        printers = new SystemPrinters(&window);
    auto* host = new MainWindowReportHost(window);
    auto* reports = new ReportCommands(*host, *printers, &window);
    reports->setObjectName(QStringLiteral("reportCommands"));
    window.setCommandHandler(MainWindow::Command::Preview, [reports] {
        reports->mnuPreview();
        return Error::none();
    });
    window.setCommandHandler(MainWindow::Command::Print, [reports] {
        reports->mnuPrint();
        return Error::none();
    });
}

} // namespace

void wireCommands(MainWindow& window, const PrinterAccess* printers) {
    wireReports(window, printers);
}
