#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include "link/port_list.h"
#include "link/qt_serial_port.h"

// The serial ports: their order and device paths, their JSON form, and the port's open errors as values.
Q_DECLARE_METATYPE(PortInfo)

class TestSerialPorts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void portOrder();
    void portDevicePaths_data();
    void portDevicePaths();
    void portsAsJson_data();
    void portsAsJson();
    void openErrors_data();
    void openErrors();
};

void TestSerialPorts::portOrder() {
    QVector<PortInfo> ports = {
        {"ttyS1", "/dev/ttyS1", "", false},          {"ttyUSB10", "/dev/ttyUSB10", "", true},
        {"ttyS0", "/dev/ttyS0", "", false},          {"ttyACM0", "/dev/ttyACM0", "Modem", true},
        {"ttyUSB2", "/dev/ttyUSB2", "CP2102", true},
    };
    sortPorts(ports);
    QStringList names;
    for (const auto& p : ports)
        names << p.name;
    QCOMPARE(names, (QStringList{"ttyACM0", "ttyUSB2", "ttyUSB10", "ttyS0", "ttyS1"}));
    QCOMPARE(ports[1].label(), QStringLiteral("/dev/ttyUSB2 (CP2102)"));
    QCOMPARE(ports[3].label(), QStringLiteral("/dev/ttyS0"));
}

void TestSerialPorts::portDevicePaths_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("device");
    QTest::newRow("bare USB name") << "ttyUSB0"
                                   << "/dev/ttyUSB0";
    QTest::newRow("bare ACM name, spaces around") << " ttyACM1 "
                                                  << "/dev/ttyACM1";
    QTest::newRow("full path") << "/dev/ttyUSB3"
                               << "/dev/ttyUSB3";
    QTest::newRow("pty path kept as given") << "/dev/pts/7"
                                            << "/dev/pts/7";
    QTest::newRow("relative link kept") << "./radio"
                                        << "./radio";
    QTest::newRow("nothing") << ""
                             << "";
}

void TestSerialPorts::portDevicePaths() {
    QFETCH(QString, given);
    QTEST(portDevicePath(given), "device");
}

void TestSerialPorts::portsAsJson_data() {
    QTest::addColumn<PortInfo>("port");
    QTest::addColumn<QString>("usb");
    PortInfo cp2102{"ttyUSB0", "/dev/ttyUSB0", "CP2102 USB to UART", true, "Silicon Labs", "0001",
                    0x10C4,    0xEA60};
    QTest::newRow("USB adapter") << cp2102 << "10c4:ea60";
    PortInfo small = cp2102;
    small.vendorId = 0x403;
    small.productId = 0x1;
    QTest::newRow("identifiers padded to four digits") << small << "0403:0001";
    PortInfo onboard{"ttyS0", "/dev/ttyS0", "", false};
    QTest::newRow("no vendor identifier") << onboard << "";
}

void TestSerialPorts::portsAsJson() {
    QFETCH(PortInfo, port);
    QFETCH(QString, usb);
    QCOMPARE(port.usbId(), usb);
    const QJsonArray json = portsToJson({port, port});
    QCOMPARE(json.size(), 2);
    const QJsonObject o = json.at(0).toObject();
    QCOMPARE(o.value("device").toString(), port.device);
    QCOMPARE(o.value("name").toString(), port.name);
    QCOMPARE(o.value("description").toString(), port.description);
    QCOMPARE(o.value("manufacturer").toString(), port.manufacturer);
    QCOMPARE(o.value("usb").toString(), usb);
    QCOMPARE(o.value("serialNumber").toString(), port.serialNumber);
}

void TestSerialPorts::openErrors_data() {
    QTest::addColumn<int>("qtError");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("missing") << int(QSerialPort::DeviceNotFoundError) << "/dev/ttyUSB7"
                             << ErrorCode::NoSuchPort << "/dev/ttyUSB7";
    QTest::newRow("busy (readable device)")
        << int(QSerialPort::PermissionError) << "/dev/null" << ErrorCode::PortInUse << "/dev/null";
    QTest::newRow("other") << int(QSerialPort::OpenError) << "/dev/ttyS0" << ErrorCode::PortFailure
                           << "/dev/ttyS0";
}

void TestSerialPorts::openErrors() {
    QFETCH(int, qtError);
    QFETCH(QString, device);
    QFETCH(int, code);
    QFETCH(QString, mentions);
    const Error e =
        QtSerialPort::openError(QSerialPort::SerialPortError(qtError), device, QStringLiteral("reason"));
    QCOMPARE(e.code, code);
    QVERIFY(e.description.contains(mentions));
    QVERIFY(e.description.contains(QStringLiteral("reason")));
}

QTEST_GUILESS_MAIN(TestSerialPorts)
#include "tst_serial_ports.moc"
