// radiocps-cli ports: the serial ports the port dialog offers, as COM1 ... COM4.
#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "link/port_list.h"
#include "texts/cli_texts.h"

namespace {

constexpr int kDialogButtons = 4;

int runPorts(const QStringList& args) {
    if (!args.isEmpty())
        return Cli::usage(QStringLiteral("ports"));
    const QVector<PortInfo> ports = availablePorts();
    if (ports.isEmpty()) {
        Cli::printErr(CliText::NoPorts);
        return Cli::kSuccess;
    }
    for (int i = 0; i < ports.size() && i < kDialogButtons; ++i) {
        Cli::printOut(QStringLiteral("COM%1\t%2\t%3").arg(i + 1).arg(ports[i].device, ports[i].description));
    }
    if (ports.size() > kDialogButtons)
        Cli::printErr(CliText::MorePorts.arg(ports.size() - kDialogButtons));
    return Cli::kSuccess;
}

const CliCommandRegistrar reg(QStringLiteral("ports"),
                              {QStringLiteral("ports   list the serial ports the port dialog offers"),
                               runPorts});

} // namespace
