#pragma once

#include <QString>
#include <QVector>

// A serial port the system reports.
struct PortInfo {
    QString name;        // "ttyUSB0"
    QString device;      // "/dev/ttyUSB0"
    QString description; // the adapter's description, may be empty
    bool usb = false;    // a USB or ACM adapter

    // "/dev/ttyUSB0 (CP2102 USB to UART)"
    QString label() const;
};

// Orders ports: USB and ACM adapters first (they are what programming cables are), then by name.
void sortPorts(QVector<PortInfo>& ports);
// The ports QSerialPortInfo reports, sorted. Pseudo-terminals are not among them.
QVector<PortInfo> availablePorts();
