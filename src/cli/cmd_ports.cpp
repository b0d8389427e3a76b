// radiocps-cli ports [--json]: every serial port the system reports, as a table or a JSON array.
#include <QJsonDocument>

#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "link/port_list.h"
#include "texts/cli_texts.h"

namespace {

const QString kUsage = QStringLiteral("ports [--json]");

// Columns padded to their widest cell, so that the table reads on a terminal; empty cells show "-".
QString table(const QVector<PortInfo>& ports) {
    QList<QStringList> rows{CliText::PortsHeader.split(QLatin1Char('\t'))};
    for (const PortInfo& p : ports)
        rows << QStringList{p.device, p.description, p.manufacturer, p.usbId(), p.serialNumber};
    QVector<int> widths(rows.first().size(), 0);
    for (QStringList& row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (row[c].isEmpty())
                row[c] = QStringLiteral("-");
            widths[c] = qMax(widths[c], int(row[c].size()));
        }
    }
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? row[c].leftJustified(widths[c] + 2) : row[c];
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

int runPorts(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    if (!Cli::parse(args, {}, {QStringLiteral("--json")}, &a, &problem) || !a.positional.isEmpty()) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kUsage);
    }
    const QVector<PortInfo> ports = availablePorts();
    if (a.has(QStringLiteral("--json"))) {
        Cli::printOut(
            QString::fromUtf8(QJsonDocument(portsToJson(ports)).toJson(QJsonDocument::Indented)).trimmed());
        return Cli::kSuccess;
    }
    if (ports.isEmpty()) {
        Cli::printErr(CliText::NoPorts);
        return Cli::kSuccess;
    }
    Cli::printOut(table(ports));
    return Cli::kSuccess;
}

const CliCommandRegistrar reg(QStringLiteral("ports"),
                              {kUsage + QStringLiteral("   list the serial ports (--json: as a JSON array)"),
                               runPorts, CliText::PortsHelp});

} // namespace
