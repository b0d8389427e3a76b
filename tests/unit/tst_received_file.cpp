#include <QTemporaryDir>
#include <QtTest>

#include "link/received_file.h"
#include "link_harness.h"

// The received file: the line of a block reply, and the file that collects them until it is kept.

class TestReceivedFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receivedLine();
    void receivedFileAppends();
};

void TestReceivedFile::receivedLine() {
    const QByteArray reply = QByteArray::fromHex("520000087105FFFF980C051E");
    QCOMPARE(ReceivedFile::line(reply), QByteArray("52 00 00 08 71 05 FF FF 98 0C 05 1E \r\n"));
}

void TestReceivedFile::receivedFileAppends() {
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

QTEST_GUILESS_MAIN(TestReceivedFile)
#include "tst_received_file.moc"
