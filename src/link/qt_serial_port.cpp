#include "link/qt_serial_port.h"

#include <QFileInfo>
#include <QMetaObject>

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
        return {ErrorCode::NoSuchPort, QStringLiteral("找不到串口 %1（%2）").arg(device, reason)};
    case QSerialPort::PermissionError: {
        // Qt reports a busy device and a forbidden one alike; the file's access rights tell them apart.
        const QFileInfo info(device);
        if (info.exists() && !(info.isReadable() && info.isWritable())) {
            return {ErrorCode::PortPermission,
                    QStringLiteral("没有使用串口 %1 的权限（%2）。当前用户必须获准使用串口"
                                   "（在 Debian 上须加入 dialout 组，然后重新登录）。")
                        .arg(device, reason)};
        }
        return {ErrorCode::PortInUse, QStringLiteral("串口 %1 已被占用（%2）").arg(device, reason)};
    }
    default:
        return {ErrorCode::PortFailure, QStringLiteral("无法打开串口 %1（%2）").arg(device, reason)};
    }
}

Error QtSerialPort::lostError(const QString& device, const QString& reason) {
    return {ErrorCode::PortFailure, QStringLiteral("与串口 %1 的连接已断开（%2）").arg(device, reason)};
}

Error QtSerialPort::open(const QString& device) {
    if (port_.isOpen())
        return Error::none();
    device_ = device;
    lost_ = false;
    if (device.trimmed().isEmpty())
        return {ErrorCode::NoSuchPort, QStringLiteral("没有选择串口")};
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite))
        return openError(port_.error(), device, port_.errorString());
    // "9600,n,8,1"
    const bool set = port_.setBaudRate(Protocol::kBaudRate) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        const Error e{ErrorCode::PortFailure,
                      QStringLiteral("无法设置串口 %1 的参数 %2（%3）")
                          .arg(device, QLatin1String(Protocol::kLineSettings), port_.errorString())};
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
