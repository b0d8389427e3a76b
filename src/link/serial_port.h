#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "config/error.h"

// The serial port as the transfers need it. Errors are values; a link that disappears while open is
// reported once through linkLost, after the port has closed itself.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The open sequence: device, "9600,n,8,1", stale input discarded. Opening an open port does nothing.
    virtual Error open(const QString& device) = 0;
    // Hands what is still queued to the system, then closes. Closing a closed port does nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString device() const = 0;
    virtual void write(const QByteArray& bytes) = 0;
    // Discards received bytes not yet delivered.
    virtual void clearInput() = 0;

Q_SIGNALS:
    void received(const QByteArray& bytes);
    void linkLost(const Error& error);
};
