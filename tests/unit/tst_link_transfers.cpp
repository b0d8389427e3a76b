#include <QTemporaryDir>
#include <QtTest>

#include "image/write_image.h"
#include "link/protocol.h"
#include "link/read_transfer.h"
#include "link/received_file.h"
#include "link/write_transfer.h"
#include "link_harness.h"
#include "sim/radio_machine.h"

// Whole reads and writes: the transfer machines wired straight to the virtual radio's machine, with the
// radio's answers delivered in pieces of every size, faults injected, and cancels at every phase.
namespace {

TransferMachine::Options transferOptions() {
    TransferMachine::Options o;
    o.timings.noResponseMs = 100;
    o.timings.wakeUpPacingMs = 1;
    return o;
}

LinkHarness::Radio wire(RadioMachine& radio) {
    return [&radio](const QByteArray& in, bool* hangUp) {
        const RadioReaction r = radio.receive(in);
        *hangUp = r.hangUp;
        return r.reply;
    };
}

// The addresses of the tool's read requests or write frames, in order.
QList<int> addresses(const QByteArray& sent, char letter, int size) {
    QList<int> out;
    for (int i = 0; i + 3 < sent.size(); ++i) {
        if (sent[i] == letter && sent[i + 3] == Protocol::kBlockLength) {
            out << quint8(sent[i + 1]) * 256 + quint8(sent[i + 2]);
            i += size - 1;
        }
    }
    return out;
}

const QList<int> kChunks = {0, 1, 2, 3, 5, 7, 11, 12, 13};

} // namespace

class TestLinkTransfers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullRead_data();
    void fullRead();
    void readModelDetermination_data();
    void readModelDetermination();
    void readFaults_data();
    void readFaults();
    void readStoreFailure();
    void readCancel_data();
    void readCancel();
    void fullWrite_data();
    void fullWrite();
    void writeFaults_data();
    void writeFaults();
    void writeCancel_data();
    void writeCancel();
};

void TestLinkTransfers::fullRead_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("radioData"); // the radio's memory size
    QTest::addColumn<int>("blocks");    // what the model table makes the tool read
    QTest::addColumn<int>("chunk");
    struct Case {
        const char* name;
        int code, radioData, blocks;
    };
    const Case cases[] = {
        {"16ch layout 1 (71)", 0x71, 1, 128},
        {"16ch layout 0 (32, V)", 0x32, 1, 128},
        {"8ch layout 0 (41)", 0x41, 2, 256},
        {"12ch layout 1 (74, V)", 0x74, 2, 256},
    };
    for (const Case& c : cases)
        for (int chunk : kChunks)
            QTest::addRow("%s, pieces of %d", c.name, chunk) << c.code << c.radioData << c.blocks << chunk;
}

void TestLinkTransfers::fullRead() {
    QFETCH(int, code);
    QFETCH(int, radioData);
    QFETCH(int, blocks);
    QFETCH(int, chunk);
    const MemoryImage image = linkTestImage(quint8(code), radioData);
    RadioMachine radio(image);
    ReadTransfer m(linkTestModels(), transferOptions());
    LinkHarness h(m, wire(radio), chunk);
    h.run();
    QVERIFY(h.finished);
    QVERIFY(!h.stuck);
    QCOMPARE(h.result.outcome, TransferResult::Outcome::Completed);
    QVERIFY(h.result.decode);
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.captions, (QStringList{TransferTexts::caption(TransferCaption::Connecting),
                                      TransferTexts::caption(TransferCaption::Reading)}));
    QCOMPARE(h.stored.size(), blocks);
    for (int b = 0; b < blocks; ++b)
        QCOMPARE(h.stored[b], Protocol::blockReply(b, image.blocks[b]));
    const QList<int> requests = addresses(h.sent.mid(h.sent.indexOf(Protocol::kReadMode)), 'R', 4);
    QCOMPARE(requests.size(), blocks);
    QCOMPARE(requests.last(), (blocks - 1) * 8); // 03F8 or 07F8
    QCOMPARE(h.progress.last(), double(blocks));
    QCOMPARE(h.maxima.last(), blocks);
    QCOMPARE(h.progress.size(), blocks);
    // The last block ends with the tool's 06, and then the port is closed.
    QVERIFY(h.sent.endsWith(Protocol::kAck));
    QCOMPARE(h.closes, 1);
    QCOMPARE(h.sentAfterClose, 0);
    QVERIFY(h.running.empty());
    QCOMPARE(radio.blocksRead(), blocks);
}

void TestLinkTransfers::readModelDetermination_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("codeA");  // code A of entry 3 (index 2)
    QTest::addColumn<QString>("entry8"); // channel count of entry 8, "" for an empty entry
    QTest::addColumn<int>("blocks");
    QTest::newRow("code B of entry 3") << 0x5E << "5D"
                                       << "" << 128;
    QTest::newRow("no entry: entry 8 with 16") << 0x99 << "5D"
                                               << "16" << 128;
    QTest::newRow("no entry: entry 8 with 8") << 0x99 << "5D"
                                              << "8" << 256;
    QTest::newRow("no leading zero: 0A is A") << 0x0A << "A"
                                              << "" << 128;
    QTest::newRow("0A does not match 0A") << 0x0A << "0A"
                                          << "" << 256;
}

void TestLinkTransfers::readModelDetermination() {
    QFETCH(int, code);
    QFETCH(QString, codeA);
    QFETCH(QString, entry8);
    QFETCH(int, blocks);
    ModelTable table = linkTestModels();
    table.entries[2] = {"RC-X", "16", "0", codeA, "5E"};
    table.entries[7] = {entry8.isEmpty() ? QString() : "RC-8", entry8, "0", "E1", "E2"};
    RadioMachine radio(linkTestImage(quint8(code), 2));
    ReadTransfer m(table, transferOptions());
    LinkHarness h(m, wire(radio));
    h.run();
    QCOMPARE(h.result.outcome, TransferResult::Outcome::Completed);
    QCOMPARE(h.stored.size(), blocks);
    QCOMPARE(m.totalBlocks(), blocks);
}

void TestLinkTransfers::readFaults_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("decode");
    QTest::addColumn<QStringList>("messages");
    const QString noResp = wording(TransferMessage::noResponse());
    const QString comm = wording(TransferMessage::communicationError());
    using O = TransferResult::Outcome;
    QTest::newRow("silent") << "silent" << 0 << int(O::NoResponse) << 0 << false << QStringList{noResp};
    QTest::newRow("noack at 40") << "noack:40" << 0 << int(O::CommunicationError) << 40 << true
                                 << QStringList{comm};
    QTest::newRow("noack at 1, bytewise")
        << "noack:1" << 1 << int(O::CommunicationError) << 1 << true << QStringList{comm};
    QTest::newRow("short at 7") << "short:7" << 0 << int(O::NoResponse) << 6 << true << QStringList{noResp};
    QTest::newRow("short at 7, bytewise")
        << "short:7" << 1 << int(O::NoResponse) << 6 << true << QStringList{noResp};
    QTest::newRow("long at 9 in one piece")
        << "long:9" << 0 << int(O::CommunicationError) << 8 << true << QStringList{comm};
    // Byte by byte the first 12 make a block; the 13th (FF, "255") then fails the acknowledgement.
    QTest::newRow("long at 9, bytewise")
        << "long:9" << 1 << int(O::CommunicationError) << 9 << true << QStringList{comm};
    QTest::newRow("stop at 100") << "stop:100" << 0 << int(O::NoResponse) << 99 << true
                                 << QStringList{noResp};
    QTest::newRow("hangup at 20") << "hangup:20" << 0 << int(O::LinkLost) << 19 << true
                                  << QStringList{QStringLiteral("与串口 /dev/pts/9 的连接已断开"),
                                                 wording(TransferMessage::readBlocksSent(20, 1))};
}

void TestLinkTransfers::readFaults() {
    QFETCH(QString, fault);
    QFETCH(int, chunk);
    QFETCH(int, outcome);
    QFETCH(int, stored);
    QFETCH(bool, decode);
    QFETCH(QStringList, messages);
    RadioMachine radio(linkTestImage(0x71, 1), radioFault(fault));
    ReadTransfer m(linkTestModels(), transferOptions());
    LinkHarness h(m, wire(radio), chunk);
    h.run();
    QVERIFY(h.finished);
    QCOMPARE(int(h.result.outcome), outcome);
    QCOMPARE(h.stored.size(), stored);
    QCOMPARE(h.result.blocks, stored);
    QCOMPARE(h.result.decode, decode);
    QCOMPARE(h.messageTexts(), messages);
    QVERIFY(h.closes >= 1);
    QCOMPARE(h.sentAfterClose, 0);
    QVERIFY(h.running.empty());
    QVERIFY(!h.result.escaped);
}

void TestLinkTransfers::readStoreFailure() {
    RadioMachine radio(linkTestImage(0x71, 1));
    ReadTransfer m(linkTestModels(), transferOptions());
    LinkHarness h(m, wire(radio));
    const Error full{ErrorCode::PathFileAccess, QStringLiteral("路径/文件访问错误：磁盘已满")};
    h.store = [&h, full](const QByteArray&) { return h.stored.size() == 5 ? full : Error::none(); };
    h.run();
    QCOMPARE(h.result.outcome, TransferResult::Outcome::StoreFailed);
    QVERIFY(h.result.decode);
    QCOMPARE(h.result.blocks, 4);
    QCOMPARE(h.messages.size(), 2);
    QCOMPARE(h.messages[0].title, QStringLiteral("75"));
    QCOMPARE(h.messages[0].text, full.description);
    QCOMPARE(h.messages[0].icon, TransferTexts::Icon::Information);
    QCOMPARE(h.messages[1].text, wording(TransferMessage::readBlocksSent(5, 1)));
    // The block that could not be stored is not acknowledged.
    QCOMPARE(h.sent.count(Protocol::kAck), 4);
}

void TestLinkTransfers::readCancel_data() {
    QTest::addColumn<int>("phase"); // 0 wake-up, 1 read-mode wait, 2 block reply, 3 block acknowledgement
    QTest::addColumn<bool>("decode");
    QTest::newRow("wake-up") << 0 << false;
    QTest::newRow("read-mode wait") << 1 << false;
    QTest::newRow("waiting for a reply") << 2 << true;
    QTest::newRow("waiting for an acknowledgement") << 3 << true;
}

void TestLinkTransfers::readCancel() {
    QFETCH(int, phase);
    QFETCH(bool, decode);
    RadioMachine radio(linkTestImage(0x71, 1));
    ReadTransfer m(linkTestModels(), transferOptions());
    LinkHarness h(m, wire(radio));
    int sentAtCancel = -1;
    h.cancelWhen = [&](const LinkHarness& x) {
        bool now = false;
        switch (phase) {
        case 0:
            now = x.sent.size() == 3;
            break;
        case 1:
            now = x.sent.endsWith(Protocol::kReadMode);
            break;
        case 2:
            // the request of block 41: "R 01 40 08"
            now = x.stored.size() == 40 && x.sent.endsWith(QByteArray::fromHex("52014008"));
            break;
        case 3:
            now = x.stored.size() == 40 && x.sent.endsWith(Protocol::kAck);
            break;
        }
        if (now)
            sentAtCancel = x.sent.size();
        return now;
    };
    h.run();
    QVERIFY(h.finished);
    QCOMPARE(h.result.outcome, TransferResult::Outcome::Cancelled);
    QCOMPARE(h.result.decode, decode);
    QCOMPARE(h.sent.size(), sentAtCancel); // nothing more goes out
    QVERIFY(h.messages.isEmpty());
    QVERIFY(h.running.empty());
    if (phase >= 2)
        QCOMPARE(h.stored.size(), 40);
}

void TestLinkTransfers::fullWrite_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<int>("frames");
    struct Case {
        const char* name;
        int entry, band, filled, frames;
    };
    const Case cases[] = {
        {"16ch layout 1, all filled", 0, 0, 16, 128},
        {"16ch layout 0, 5 filled, V", 1, 1, 5, 128},
        {"8ch layout 0", 2, 0, 8, 256},
        {"12ch layout 1, 3 filled", 3, 0, 3, 256},
    };
    for (const Case& c : cases)
        for (int chunk : {0, 1})
            QTest::addRow("%s, pieces of %d", c.name, chunk)
                << c.entry << c.band << c.filled << chunk << c.frames;
}

void TestLinkTransfers::fullWrite() {
    QFETCH(int, entry);
    QFETCH(int, band);
    QFETCH(int, filled);
    QFETCH(int, chunk);
    QFETCH(int, frames);
    const LinkTestState s(entry, band, filled);
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    QCOMPARE(image.size(), frames);
    RadioMachine radio(MemoryImage::blank(s.model.I_data()));
    WriteTransfer m(image, s.model.strType, transferOptions());
    LinkHarness h(m, wire(radio), chunk);
    h.run();
    QVERIFY(h.finished);
    QCOMPARE(h.result.outcome, TransferResult::Outcome::Completed);
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.captions, (QStringList{TransferTexts::caption(TransferCaption::Connecting),
                                      TransferTexts::caption(TransferCaption::Writing)}));
    QVERIFY(radio.image().blocks == image.blocks);
    QCOMPARE(radio.blocksWritten(), frames);
    const QByteArray afterMode = h.sent.mid(h.sent.indexOf(Protocol::kWriteMode) + 1);
    QCOMPARE(afterMode.size(), frames * Protocol::kFrameSize);
    for (int b = 0; b < frames; ++b)
        QCOMPARE(afterMode.mid(b * 12, 12), Protocol::writeFrame(b, image.blocks[b]));
    // Every frame but the last is acknowledged: the radio answered 06 to each, the tool waited for all but
    // one.
    QCOMPARE(h.result.blocks, frames);
    // Progress: 1, 2, then 1 / I_data per block up to the full bar.
    QCOMPARE(h.progress.first(), 1.0);
    QCOMPARE(h.progress.at(1), 2.0);
    QCOMPARE(h.progress.at(2), 2.0 + 1.0 / s.model.I_data());
    QCOMPARE(h.progress.last(), 128.0);
    for (int i = 1; i < h.progress.size(); ++i)
        QVERIFY(h.progress[i] >= h.progress[i - 1] && h.progress[i] <= 128.0);
    QCOMPARE(h.closes, 1);
    QCOMPARE(h.sentAfterClose, 0);
    QVERIFY(h.running.empty());
    QCOMPARE(int(image.blocks[1][7]), filled);
}

void TestLinkTransfers::writeFaults_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("framesSent");
    QTest::addColumn<QStringList>("messages");
    using O = TransferResult::Outcome;
    const Error lostError{8015, QStringLiteral("与串口 /dev/pts/9 的连接已断开")};
    const QString lost = lostError.description;
    const QString noResp = wording(TransferMessage::noResponse());
    const QString comm = wording(TransferMessage::communicationError());
    QTest::newRow("silent") << "silent" << int(O::NoResponse) << 0 << QStringList{noResp};
    QTest::newRow("noack at 2") << "noack:2" << int(O::CommunicationError) << 2 << QStringList{comm};
    QTest::newRow("noack at 50") << "noack:50" << int(O::CommunicationError) << 50 << QStringList{comm};
    QTest::newRow("stop at 60") << "stop:60" << int(O::NoResponse) << 60 << QStringList{noResp};
    QTest::newRow("hangup in the settings blocks")
        << "hangup:2" << int(O::LinkLost) << 2
        << QStringList{wording(TransferMessage::settingsBlockError(lostError))};
    // Block 11 is the second block of channel 5; the bar stood at 2 + 9 after its frame.
    QTest::newRow("hangup in the channel blocks")
        << "hangup:11" << int(O::LinkLost) << 11
        << QStringList{wording(TransferMessage::writeProgress(11)),
                       wording(TransferMessage::writeBlocksSent(5, 1, 16)), lost};
    QTest::newRow("hangup in the filler blocks")
        << "hangup:40" << int(O::LinkLost) << 40
        << QStringList{wording(TransferMessage::writeProgress(40)),
                       wording(TransferMessage::writeBlocksSent(6, 1, 16)), lost};
}

void TestLinkTransfers::writeFaults() {
    QFETCH(QString, fault);
    QFETCH(int, outcome);
    QFETCH(int, framesSent);
    QFETCH(QStringList, messages);
    const LinkTestState s(0, 0, 16);
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    RadioMachine radio(MemoryImage::blank(1), radioFault(fault));
    WriteTransfer m(image, s.model.strType, transferOptions());
    LinkHarness h(m, wire(radio));
    h.run();
    QVERIFY(h.finished);
    QCOMPARE(int(h.result.outcome), outcome);
    QCOMPARE(h.result.blocks, framesSent);
    QCOMPARE(h.messageTexts(), messages);
    QVERIFY(h.closes >= 1);
    QCOMPARE(h.sentAfterClose, 0);
    QVERIFY(h.running.empty());
    if (fault.startsWith(QLatin1String("hangup:2"))) {
        QCOMPARE(h.messages[0].icon, TransferTexts::Icon::Warning);
        QCOMPARE(h.messages[0].title, QStringLiteral("错误"));
    }
}

void TestLinkTransfers::writeCancel_data() {
    QTest::addColumn<int>(
        "afterBytes"); // cancel once the tool has sent this many bytes after 0A; -1 before 0A
    QTest::addColumn<int>("frames");
    QTest::newRow("wake-up") << -1 << 0;
    QTest::newRow("settings block 0") << 12 << 1;
    QTest::newRow("channel blocks") << 12 * 10 << 10;
    QTest::newRow("filler blocks") << 12 * 100 << 100;
}

void TestLinkTransfers::writeCancel() {
    QFETCH(int, afterBytes);
    QFETCH(int, frames);
    const LinkTestState s(0, 0, 16);
    MemoryImage image;
    QVERIFY(!buildWriteImage(s.model, s.table, s.settings, &image).isError());
    RadioMachine radio(MemoryImage::blank(1));
    WriteTransfer m(image, 16, transferOptions());
    LinkHarness h(m, wire(radio));
    h.cancelWhen = [afterBytes](const LinkHarness& x) {
        if (afterBytes < 0)
            return x.sent.size() == 4;
        const int mode = x.sent.indexOf(Protocol::kWriteMode);
        return mode >= 0 && x.sent.size() - mode - 1 == afterBytes;
    };
    h.run();
    QCOMPARE(h.result.outcome, TransferResult::Outcome::Cancelled);
    QCOMPARE(radio.blocksWritten(), frames);
    QVERIFY(h.running.empty());
    QVERIFY(h.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestLinkTransfers)
#include "tst_link_transfers.moc"
