#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "image/frequency_check.h"
#include "image/write_image.h"
#include "link/port_list.h"
#include "link/protocol.h"
#include "link/qt_serial_port.h"
#include "link/receive_buffer.h"
#include "link/received_file.h"
#include "link_harness.h"

// The value types of the link: receive buffer, received file lines, the frames of both sides, port order, the
// frequency check before a write, the write image and the port's error values.
Q_DECLARE_METATYPE(PortInfo)

class TestLinkBasics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decimalText_data();
    void decimalText();
    void floodIsBounded_data();
    void floodIsBounded();
    void receivedLine();
    void receivedFileAppends();
    void frames_data();
    void frames();
    void badHeaders_data();
    void badHeaders();
    void portOrder();
    void portDevicePaths_data();
    void portDevicePaths();
    void portsAsJson_data();
    void portsAsJson();
    void frequencyCheck_data();
    void frequencyCheck();
    void lastUsedChannelByte_data();
    void lastUsedChannelByte();
    void writeImageNeedsModel();
    void openErrors_data();
    void openErrors();
};

void TestLinkBasics::decimalText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ack");
    QTest::newRow("06 10 52") << QByteArray::fromHex("061052") << "61682" << true;
    QTest::newRow("lone 06") << QByteArray::fromHex("06") << "6" << true;
    QTest::newRow("10 hex is 16") << QByteArray::fromHex("10") << "16" << true;
    QTest::newRow("15 21") << QByteArray::fromHex("1521") << "2133" << false;
    QTest::newRow("05") << QByteArray::fromHex("05") << "5" << false;
    QTest::newRow("21 hex") << QByteArray::fromHex("21") << "33" << false;
    QTest::newRow("60") << QByteArray::fromHex("3C") << "60" << true;
    QTest::newRow("FF 00") << QByteArray::fromHex("FF00") << "2550" << false;
    QTest::newRow("empty") << QByteArray() << "" << false;
}

void TestLinkBasics::decimalText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, ack);
    ReceiveBuffer whole;
    whole.append(bytes);
    QCOMPARE(whole.text(), text);
    QCOMPARE(whole.isAcknowledgement(), ack);
    // Arrival in pieces gives the same text.
    ReceiveBuffer pieces;
    for (char c : bytes)
        pieces.append(QByteArray(1, c));
    QCOMPARE(pieces.text(), text);
    pieces.clear();
    QVERIFY(pieces.isEmpty());
}

void TestLinkBasics::floodIsBounded_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("ack");
    QTest::newRow("garbage only") << QByteArray() << QByteArray() << false;
    QTest::newRow("ack before") << QByteArray::fromHex("06") << QByteArray() << true;
    QTest::newRow("ack after") << QByteArray() << QByteArray::fromHex("06") << true;
    QTest::newRow("16 after") << QByteArray::fromHex("15") << QByteArray::fromHex("10") << true;
}

// A port that floods garbage must not grow the buffer without end, and whatever arrives, a '6' anywhere
// still counts as the acknowledgement it would have been.
void TestLinkBasics::floodIsBounded() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, ack);
    const QByteArray flood(64 * 1024, char(0xFF)); // "255" each, no '6'
    const qsizetype floodText = qsizetype(flood.size()) * 3 * 64;
    QVERIFY(ReceiveBuffer::kCapacity < floodText / 4);
    ReceiveBuffer b;
    b.append(before);
    for (int i = 0; i < 64; ++i)
        b.append(flood);
    b.append(after);
    QVERIFY(b.length() <= ReceiveBuffer::kCapacity);
    QVERIFY(b.length() > 2);
    QVERIFY(b.text().startsWith(ReceiveBuffer::decimalText(before) + QStringLiteral("255255")));
    QCOMPARE(b.isAcknowledgement(), ack);
    // Held back during a hold, the same flood keeps only what decides, and decides the same.
    QByteArray held = ReceiveBuffer::deciding(before);
    for (int i = 0; i < 64; ++i)
        held = ReceiveBuffer::deciding(held + flood);
    held = ReceiveBuffer::deciding(held + after);
    QVERIFY(held.size() <= ReceiveBuffer::kCapacity + 1);
    ReceiveBuffer fromHeld;
    fromHeld.append(held);
    QCOMPARE(fromHeld.text(), b.text());
    QCOMPARE(fromHeld.isAcknowledgement(), ack);
    b.clear();
    QVERIFY(b.isEmpty());
    QVERIFY(!b.isAcknowledgement());
}

void TestLinkBasics::receivedLine() {
    const QByteArray reply = QByteArray::fromHex("520000087105FFFF980C051E");
    QCOMPARE(ReceivedFile::line(reply), QByteArray("52 00 00 08 71 05 FF FF 98 0C 05 1E \r\n"));
}

void TestLinkBasics::receivedFileAppends() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/received.qfd"));
    {
        ReceivedFile file(path);
        QVERIFY(!file.begin().isError()); // creates the folder
        QVERIFY(!file.append(QByteArray::fromHex("520000087105FFFF980C051E")).isError());
        QVERIFY(!file.append(QByteArray::fromHex("5200080800FF01FFFFFFFFFF")).isError());
        QCOMPARE(file.blocks(), 2);
        QVERIFY(!QFile::exists(path)); // nothing at the path until kept
        QFile f(file.dataPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("52 00 00 08 71 05 FF FF 98 0C 05 1E \r\n"
                                         "52 00 08 08 00 FF 01 FF FF FF FF FF \r\n"));
        // A fresh begin drops what the earlier one collected; keeping replaces a stale file whole.
        QVERIFY(!file.begin().isError());
        QVERIFY(!file.append(QByteArray::fromHex("520000087105FFFF980C051E")).isError());
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale\r\n");
        stale.close();
        QVERIFY(!file.keep().isError());
        QCOMPARE(file.dataPath(), path);
    }
    // Only the kept file is left, and it decodes like a saved file would.
    QCOMPARE(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("received.qfd")});
    RadioSettings before;
    before.selectStartupDefaults();
    LoadedChannelFile loaded;
    QVERIFY(!LoadChannelFile(path, linkTestModels(), before, &loaded).isError());
    QCOMPARE(loaded.model.strPc, QStringLiteral("RC-160"));
    QVERIFY(!loaded.complete);
    // What is not kept is removed with the object.
    {
        ReceivedFile dropped(dir.filePath(QStringLiteral("dropped.qfd")));
        QVERIFY(!dropped.begin().isError());
        QVERIFY(!dropped.append("x").isError());
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    // A folder that cannot hold the file, and a folder at the path.
    ReceivedFile blocked(dir.filePath(QStringLiteral("sub/received.qfd/x")));
    QVERIFY(blocked.begin().isError());
    QVERIFY(blocked.append("x").isError());
    ReceivedFile folder(dir.filePath(QStringLiteral("sub")));
    QCOMPARE(folder.begin().code, ErrorCode::PathFileAccess);
}

void TestLinkBasics::frames_data() {
    QTest::addColumn<char>("letter"); // R: request ('r') or reply ('R'); W: write frame
    QTest::addColumn<int>("block");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("request 0") << 'r' << 0 << QByteArray("52 00 00 08");
    QTest::newRow("request 31") << 'r' << 31 << QByteArray("52 00 f8 08");
    QTest::newRow("request 32") << 'r' << 32 << QByteArray("52 01 00 08");
    QTest::newRow("request 255") << 'r' << 255 << QByteArray("52 07 f8 08");
    QTest::newRow("reply 33") << 'R' << 33 << QByteArray("52 01 08 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 0") << 'W' << 0 << QByteArray("57 00 00 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 31") << 'W' << 31 << QByteArray("57 00 f8 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 32") << 'W' << 32 << QByteArray("57 01 00 08 a0 a1 a2 a3 a4 a5 a6 a7");
    QTest::newRow("write 255") << 'W' << 255 << QByteArray("57 07 f8 08 a0 a1 a2 a3 a4 a5 a6 a7");
}

void TestLinkBasics::frames() {
    QFETCH(char, letter);
    QFETCH(int, block);
    QFETCH(QByteArray, hex);
    Block data;
    for (int i = 0; i < kBlockSize; ++i)
        data[i] = quint8(0xA0 + i);
    const QByteArray bytes = letter == 'r'   ? Protocol::readRequest(block)
                             : letter == 'R' ? Protocol::blockReply(block, data)
                                             : Protocol::writeFrame(block, data);
    QCOMPARE(bytes.toHex(' '), hex);
    // What the tool builds, the radio's side reads back.
    QCOMPARE(Protocol::headerBlock(bytes, 256), block);
    QCOMPARE(Protocol::headerBlock(bytes, block), -1); // past the end of a smaller memory
    if (letter != 'r')
        QVERIFY(Protocol::frameData(bytes) == data);
}

void TestLinkBasics::badHeaders_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("length 07") << QByteArray::fromHex("52000007");
    QTest::newRow("address 0x0004") << QByteArray::fromHex("52000408");
    QTest::newRow("address past 256 blocks") << QByteArray::fromHex("57080008");
    QTest::newRow("three bytes") << QByteArray::fromHex("520000");
}

void TestLinkBasics::badHeaders() {
    QFETCH(QByteArray, bytes);
    QCOMPARE(Protocol::headerBlock(bytes, 256), -1);
}

void TestLinkBasics::portOrder() {
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

void TestLinkBasics::portDevicePaths_data() {
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

void TestLinkBasics::portDevicePaths() {
    QFETCH(QString, given);
    QTEST(portDevicePath(given), "device");
}

void TestLinkBasics::portsAsJson_data() {
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

void TestLinkBasics::portsAsJson() {
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

void TestLinkBasics::frequencyCheck_data() {
    using V = FrequencyCheck::Verdict;
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("cells"); // row r: rx, tx pairs
    QTest::addColumn<V>("verdict");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("transmit");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("in band") << 0 << QStringList{"438.50000", "438.50000"} << V::Passed << 0 << false << 0
                             << 0;
    QTest::newRow("upper inclusive") << 0 << QStringList{"650.99999", ""} << V::Passed << 0 << false << 0
                                     << 0;
    QTest::newRow("651 fails rx") << 0 << QStringList{"651.00000", "438.00000"} << V::OutOfBand << 1 << false
                                  << 300 << 650;
    QTest::newRow("299 fails lower") << 0 << QStringList{"299.99999", ""} << V::OutOfBand << 1 << false << 300
                                     << 650;
    QTest::newRow("tx of row 2") << 0 << QStringList{"438.00000", "", "440.00000", "700.00000"}
                                 << V::OutOfBand << 2 << true << 300 << 650;
    QTest::newRow("rx before tx, lower rows first")
        << 1 << QStringList{"150.00000", "400.00000", "010.00000", ""} << V::OutOfBand << 1 << true << 70
        << 300;
    QTest::newRow("070 passes on V") << 1 << QStringList{"070.00000", "300.00000"} << V::Passed << 0 << false
                                     << 0 << 0;
    QTest::newRow("FF not tested") << 0 << QStringList{"FFF.FFFFF", "9FF"} << V::Passed << 0 << false << 0
                                   << 0;
    QTest::newRow("no band: limits 0")
        << -1 << QStringList{"438.00000", ""} << V::OutOfBand << 1 << false << 0 << 0;
    QTest::newRow("not a number") << 0 << QStringList{"abc.00000", ""} << V::NotANumber << 1 << false << 300
                                  << 650;
}

void TestLinkBasics::frequencyCheck() {
    QFETCH(int, band);
    QFETCH(QStringList, cells);
    QFETCH(FrequencyCheck::Verdict, verdict);
    ChannelTable table;
    table.layOut(Layout::Zero, 16);
    for (int i = 0; i < cells.size(); ++i)
        table.setCell(i / 2 + 1, i % 2 + 1, cells[i]);
    const FrequencyCheck check = ValidateFrequencies(table, band);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(bool(check), verdict == FrequencyCheck::Verdict::Passed);
    if (check)
        return;
    QTEST(check.row, "row");
    QTEST(check.transmit, "transmit");
    QTEST(check.lower, "lower");
    QTEST(check.upper, "upper");
    if (verdict == FrequencyCheck::Verdict::NotANumber) {
        QCOMPARE(check.error.code, ErrorCode::TypeMismatch);
        QVERIFY(check.error.description.contains(cells[0]));
    }
}

void TestLinkBasics::lastUsedChannelByte_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("filled");
    QTest::addColumn<bool>("offBelow"); // rows after the filled ones hold "OFF" in the receive cell
    QTest::addColumn<int>("expected");
    QTest::newRow("1-3 of 16") << 0 << 3 << false << 3;
    QTest::newRow("all 16") << 1 << 16 << false << 16;
    QTest::newRow("OFF below counts as empty") << 0 << 3 << true << 3;
    QTest::newRow("8 channels, 5 used") << 2 << 5 << true << 5;
    QTest::newRow("none") << 1 << 0 << false << 0;
}

void TestLinkBasics::lastUsedChannelByte() {
    QFETCH(int, entry);
    QFETCH(int, filled);
    QFETCH(bool, offBelow);
    QFETCH(int, expected);
    LinkTestState s(entry, 0, filled);
    if (offBelow) {
        for (int r = filled + 1; r <= s.model.strType; ++r)
            s.table.setCell(r, 1, QStringLiteral("OFF"));
    }
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    QCOMPARE(image.size(), blockCount(s.model.I_data()));
    QCOMPARE(int(image.blocks[1][7]), expected);
    // Everything else is the channel-file image.
    MemoryImage file;
    QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &file).isError());
    file.blocks[1][7] = image.blocks[1][7];
    QVERIFY(file.blocks == image.blocks);
}

void TestLinkBasics::writeImageNeedsModel() {
    CurrentModel none;
    ChannelTable table;
    RadioSettings settings;
    settings.selectStartupDefaults();
    MemoryImage image;
    QVERIFY(buildWriteImage(none, table, settings, &image).isError());
}

void TestLinkBasics::openErrors_data() {
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

void TestLinkBasics::openErrors() {
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

QTEST_GUILESS_MAIN(TestLinkBasics)
#include "tst_link_basics.moc"
