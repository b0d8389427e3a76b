// radiocps-cli ports [--json]: every serial port the system reports, as a table or a JSON array.
#include <QJsonDocument>

#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "link/port_list.h"
#include "texts/cli_texts.h"

namespace {

const QString kPortsUsage = QStringLiteral("ports [--json]");

// Terminal columns a text takes: CJK and full-width characters take two.
int displayWidth(const QString& text) {
    int width = 0;
    for (const uint c : text.toUcs4()) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                          (c >= 0xFFE0 && c <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

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
            widths[c] = qMax(widths[c], displayWidth(row[c]));
        }
    }
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c)
            line += c + 1 < row.size()
                        ? row[c] + QString(widths[c] + 2 - displayWidth(row[c]), QLatin1Char(' '))
                        : row[c];
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
        return Cli::usage(kPortsUsage);
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

const CliCommandRegistrar
    portsCommand(QStringLiteral("ports"),
                 {kPortsUsage + QStringLiteral("   list the serial ports (--json: as a JSON array)"),
                  runPorts, CliText::PortsHelp});

} // namespace
