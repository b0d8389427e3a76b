#include "link/port_list.h"

#include <QJsonObject>
#include <QSerialPortInfo>
#include <algorithm>

QString PortInfo::label() const {
    return description.isEmpty() ? device : device + QStringLiteral(" (") + description + QLatin1Char(')');
}

QString PortInfo::usbId() const {
    if (vendorId < 0)
        return QString();
    const auto hex4 = [](int v) { return QStringLiteral("%1").arg(v & 0xFFFF, 4, 16, QLatin1Char('0')); };
    return hex4(vendorId) + QLatin1Char(':') + hex4(productId < 0 ? 0 : productId);
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
        p.manufacturer = info.manufacturer();
        p.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier())
            p.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            p.productId = info.productIdentifier();
        p.usb = info.hasVendorIdentifier() || p.name.startsWith(QLatin1String("ttyUSB")) ||
                p.name.startsWith(QLatin1String("ttyACM"));
        ports.append(p);
    }
    sortPorts(ports);
    return ports;
}

QString portDevicePath(const QString& given) {
    const QString trimmed = given.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')))
        return trimmed;
    return QStringLiteral("/dev/") + trimmed;
}

QJsonArray portsToJson(const QVector<PortInfo>& ports) {
    QJsonArray out;
    for (const PortInfo& p : ports) {
        out.append(QJsonObject{{QStringLiteral("device"), p.device},
                               {QStringLiteral("name"), p.name},
                               {QStringLiteral("description"), p.description},
                               {QStringLiteral("manufacturer"), p.manufacturer},
                               {QStringLiteral("usb"), p.usbId()},
                               {QStringLiteral("serialNumber"), p.serialNumber}});
    }
    return out;
}
