#pragma once

#include <QJsonArray>
#include <QString>
#include <QVector>

// A serial port the system reports.
struct PortInfo {
    QString name;        // "ttyUSB0"
    QString device;      // "/dev/ttyUSB0"
    QString description; // the adapter's description, may be empty
    bool usb = false;    // a USB or ACM adapter
    QString manufacturer = {};
    QString serialNumber = {};
    int vendorId = -1; // USB identifiers, -1 when the system reports none
    int productId = -1;

    // "/dev/ttyUSB0 (CP2102 USB to UART)"
    QString label() const;
    // "10c4:ea60": vendor and product as four hex digits each; empty without a vendor identifier.
    QString usbId() const;
};

// Orders ports: USB and ACM adapters first (they are what programming cables are), then by name.
void sortPorts(QVector<PortInfo>& ports);
// The ports QSerialPortInfo reports, sorted. Pseudo-terminals are not among them.
QVector<PortInfo> availablePorts();

// The device a --port value names: a path as given (pseudo-terminals, links), a bare name in /dev
// ("ttyUSB0" -> "/dev/ttyUSB0"). Both faces open what this returns.
QString portDevicePath(const QString& given);

// One object per port: device, name, description, manufacturer, usb ("10c4:ea60" or ""), serialNumber.
QJsonArray portsToJson(const QVector<PortInfo>& ports);
