#pragma once

#include <QSerialPort>

#include "link/serial_port.h"

// SerialPort over QSerialPort. Read, write and resource errors all mean that the link is gone: on a pty
// whose other end has closed, Qt reports read errors over and over rather than a resource error.
class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    Error open(const QString& device) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    QString device() const override { return device_; }
    void write(const QByteArray& bytes) override;
    void clearInput() override;

    // The error value of a failed open, from Qt's error and the system's reason.
    static Error openError(QSerialPort::SerialPortError error, const QString& device, const QString& reason);
    static Error lostError(const QString& device, const QString& reason);

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void reportLost();

    QSerialPort port_;
    QString device_;
    QString lostReason_;
    bool lost_ = false;
};
