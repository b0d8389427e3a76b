#include "link/qt_serial_port.h"

#include <QFileInfo>
#include <QMetaObject>

#include "config/error_texts.h"
#include "link/protocol.h"

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort() {
    port_.close();
}

Error QtSerialPort::openError(QSerialPort::SerialPortError error, const QString& device,
                              const QString& reason) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return {ErrorCode::NoSuchPort, ErrorText::portNotFound(device, reason)};
    case QSerialPort::PermissionError: {
        // Qt reports a busy device and a forbidden one alike; the file's access rights tell them apart.
        const QFileInfo info(device);
        if (info.exists() && !(info.isReadable() && info.isWritable())) {
            return {ErrorCode::PortPermission, ErrorText::portForbidden(device, reason)};
        }
        return {ErrorCode::PortInUse, ErrorText::portInUse(device, reason)};
    }
    default:
        return {ErrorCode::PortFailure, ErrorText::portWontOpen(device, reason)};
    }
}

Error QtSerialPort::lostError(const QString& device, const QString& reason) {
    return {ErrorCode::PortFailure, ErrorText::portLost(device, reason)};
}

Error QtSerialPort::open(const QString& device) {
    if (port_.isOpen())
        return Error::none();
    device_ = device;
    lost_ = false;
    if (device.trimmed().isEmpty())
        return {ErrorCode::NoSuchPort, ErrorText::noPortChosen()};
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite))
        return openError(port_.error(), device, port_.errorString());
    // "9600,n,8,1"
    const bool set = port_.setBaudRate(Protocol::kBaudRate) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        const Error e{ErrorCode::PortFailure,
                      ErrorText::portSettingsRefused(device, QLatin1String(Protocol::kLineSettings),
                                                     port_.errorString())};
        port_.close();
        return e;
    }
    port_.clear(QSerialPort::Input);
    return Error::none();
}

void QtSerialPort::close() {
    if (!port_.isOpen())
        return;
    if (port_.bytesToWrite() > 0 && !lost_)
        port_.flush();
    port_.close();
}

void QtSerialPort::write(const QByteArray& bytes) {
    if (!port_.isOpen() || lost_)
        return;
    if (port_.write(bytes) != bytes.size() && !lost_) {
        lostReason_ = port_.errorString();
        reportLost();
    }
}

void QtSerialPort::clearInput() {
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

void QtSerialPort::onReadyRead() {
    const QByteArray bytes = port_.readAll();
    if (!bytes.isEmpty() && !lost_)
        Q_EMIT received(bytes);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError &&
        error != QSerialPort::ResourceError)
        return;
    if (lost_ || !port_.isOpen())
        return;
    lostReason_ = port_.errorString();
    reportLost();
}

void QtSerialPort::reportLost() {
    lost_ = true;
    // Closed outside QSerialPort's own notifier, which is still on the stack.
    QMetaObject::invokeMethod(
        this,
        [this] {
            port_.close();
            Q_EMIT linkLost(lostError(device_, lostReason_));
        },
        Qt::QueuedConnection);
}
