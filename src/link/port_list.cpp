#include "link/port_list.h"

#include <QSerialPortInfo>
#include <algorithm>

QString PortInfo::label() const {
    return description.isEmpty() ? device : device + QStringLiteral(" (") + description + QLatin1Char(')');
}

namespace {

// "ttyUSB10" -> ("ttyUSB", 10), so that ttyUSB2 comes before ttyUSB10.
std::pair<QString, long> nameKey(const QString& name) {
    int digits = name.size();
    while (digits > 0 && name.at(digits - 1).isDigit())
        --digits;
    return {name.left(digits), name.mid(digits).toLong()};
}

} // namespace

void sortPorts(QVector<PortInfo>& ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        if (a.usb != b.usb)
            return a.usb;
        return nameKey(a.name) < nameKey(b.name);
    });
}

QVector<PortInfo> availablePorts() {
    QVector<PortInfo> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        PortInfo p;
        p.name = info.portName();
        p.device = info.systemLocation();
        p.description = info.description();
        p.usb = info.hasVendorIdentifier() || p.name.startsWith(QLatin1String("ttyUSB")) ||
                p.name.startsWith(QLatin1String("ttyACM"));
        ports.append(p);
    }
    sortPorts(ports);
    return ports;
}
