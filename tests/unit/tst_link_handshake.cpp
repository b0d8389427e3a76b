#include <QtTest>

#include "link/protocol.h"
#include "link/read_transfer.h"
#include "link/write_transfer.h"
#include "link_harness.h"

// The handshake, the acknowledgement wait and the no-response timer, driven event by event, so that each
// edge of the decimal-text rules can be put exactly where it matters.
namespace {

QByteArray sentBytes(const TransferActions& actions) {
    QByteArray b;
    for (const auto& a : actions)
        if (const auto* send = std::get_if<Act::Send>(&a))
            b += send->bytes;
    return b;
}

template <typename A> const A* find(const TransferActions& actions) {
    for (const auto& a : actions)
        if (const auto* found = std::get_if<A>(&a))
            return found;
    return nullptr;
}

template <typename A> bool has(const TransferActions& actions) {
    return find<A>(actions) != nullptr;
}

const Act::StartTimer* started(const TransferActions& actions, LinkTimer t) {
    for (const auto& a : actions)
        if (const auto* start = std::get_if<Act::StartTimer>(&a); start && start->timer == t)
            return start;
    return nullptr;
}

bool starts(const TransferActions& actions, LinkTimer t) {
    return started(actions, t) != nullptr;
}

TransferMachine::Options handshakeOptions() {
    TransferMachine::Options o;
    o.timings.noResponseMs = 250;
    o.timings.wakeUpPacingMs = 7;
    return o;
}

// Sends the whole wake-up sequence once: start plus six ticks.
QByteArray wakeOnce(TransferMachine& m) {
    QByteArray sent = sentBytes(m.start());
    for (int i = 0; i < 6; ++i)
        sent += sentBytes(m.timerExpired(LinkTimer::WakeUpPacing));
    return sent;
}

} // namespace

Q_DECLARE_METATYPE(QList<TransferCaption>)

class TestLinkHandshake : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wakeUpCyclesWithPacing();
    void answerNeedsMoreThanTwoCharacters_data();
    void answerNeedsMoreThanTwoCharacters();
    void foreignAnswerResumesSequence();
    void noResponseDuringWakeUp();
    void noAnswerHint_data();
    void noAnswerHint();
    void noReplyToCompletingByte();
    void cancelDuringWakeUp();
    void cancelDuringAckWaitLeavesNoTimer();
    void readModeNotAcknowledged();
    void writeModeReplyAnyBytes();
    void writeModeNoReply();
};

void TestLinkHandshake::wakeUpCyclesWithPacing() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    const TransferActions first = m.start();
    QCOMPARE(find<Act::Caption>(first)->caption, TransferCaption::Connecting);
    const Act::StartTimer* t = started(first, LinkTimer::NoResponse);
    QVERIFY(t);
    QCOMPARE(t->interval, 250);
    QVERIFY(starts(first, LinkTimer::WakeUpPacing));
    QByteArray sent = sentBytes(first);
    for (int i = 0; i < 20; ++i) {
        const TransferActions tick = m.timerExpired(LinkTimer::WakeUpPacing);
        QCOMPARE(sentBytes(tick).size(), 1); // one byte per tick, nothing else
        QVERIFY(starts(tick, LinkTimer::WakeUpPacing));
        sent += sentBytes(tick);
    }
    QCOMPARE(sent, Protocol::kWakeUp.repeated(3));
}

void TestLinkHandshake::answerNeedsMoreThanTwoCharacters_data() {
    QTest::addColumn<QByteArray>("first"); // arrives before a tick
    QTest::addColumn<QByteArray>("later"); // arrives while the tool waits for more
    QTest::addColumn<bool>("completes");
    QTest::newRow("06, then 06 06") << QByteArray::fromHex("06") << QByteArray::fromHex("0606") << true;
    QTest::newRow("06 06, then 06") << QByteArray::fromHex("0606") << QByteArray::fromHex("06") << true;
    QTest::newRow("10 10 (16 16)") << QByteArray::fromHex("10") << QByteArray::fromHex("10") << true;
    QTest::newRow("05 05 05: no 6") << QByteArray::fromHex("05") << QByteArray::fromHex("0505") << false;
}

void TestLinkHandshake::answerNeedsMoreThanTwoCharacters() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, later);
    QFETCH(bool, completes);
    ReadTransfer m(linkTestModels(), handshakeOptions());
    wakeOnce(m);
    QVERIFY(m.bytesReceived(first).isEmpty()); // judged at the tick, not on arrival
    const TransferActions tick = m.timerExpired(LinkTimer::WakeUpPacing);
    // Two characters or fewer: wait, without sending and without pacing.
    QVERIFY(sentBytes(tick).isEmpty());
    QVERIFY(!starts(tick, LinkTimer::WakeUpPacing));
    const TransferActions more = m.bytesReceived(later);
    if (completes) {
        QVERIFY(has<Act::ClearInput>(more));
        QCOMPARE(sentBytes(more), QByteArray(1, Protocol::kComplete));
        QVERIFY(m.receiveBuffer().isEmpty());
        // Any reply to 4D completes; then the read-mode byte.
        const TransferActions done = m.bytesReceived(QByteArray::fromHex("33"));
        QCOMPARE(sentBytes(done), QByteArray(1, Protocol::kReadMode));
    } else {
        // The sequence resumes with the byte after the last one sent ('A' was the seventh: 02 again).
        QCOMPARE(sentBytes(more), QByteArray(1, '\x02'));
        QVERIFY(starts(more, LinkTimer::WakeUpPacing));
        QCOMPARE(m.receiveBuffer().text(), QStringLiteral("555"));
    }
}

void TestLinkHandshake::foreignAnswerResumesSequence() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    QByteArray sent = sentBytes(m.start());                     // 02
    sent += sentBytes(m.timerExpired(LinkTimer::WakeUpPacing)); // 50
    QVERIFY(m.bytesReceived(QByteArray::fromHex("1521")).isEmpty());
    const TransferActions tick = m.timerExpired(LinkTimer::WakeUpPacing);
    // "2133": no 6; the sequence goes on from where it stopped and the buffer is kept.
    QCOMPARE(sentBytes(tick), QByteArray(1, 'R'));
    QCOMPARE(m.receiveBuffer().text(), QStringLiteral("2133"));
    QCOMPARE(sentBytes(m.timerExpired(LinkTimer::WakeUpPacing)), QByteArray(1, 'O'));
    // A later acknowledgement is appended to what is there and passes at the next tick.
    QVERIFY(m.bytesReceived(QByteArray::fromHex("06")).isEmpty());
    QCOMPARE(m.receiveBuffer().text(), QStringLiteral("21336"));
    QCOMPARE(sentBytes(m.timerExpired(LinkTimer::WakeUpPacing)), QByteArray(1, Protocol::kComplete));
}

void TestLinkHandshake::noResponseDuringWakeUp() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    wakeOnce(m);
    const TransferActions fired = m.timerExpired(LinkTimer::NoResponse);
    const Act::Message* msg = find<Act::Message>(fired);
    QVERIFY(msg);
    QCOMPARE(msg->message, TransferMessage::noResponse());
    QVERIFY(!has<Act::Finished>(fired));
    // Nothing moves while the message is on screen.
    QVERIFY(sentBytes(m.timerExpired(LinkTimer::WakeUpPacing)).isEmpty());
    const TransferActions closed = m.messageClosed();
    QVERIFY(has<Act::ClosePort>(closed));
    const Act::Finished* fin = find<Act::Finished>(closed);
    QVERIFY(fin);
    QCOMPARE(fin->result.outcome, TransferResult::Outcome::NoResponse);
    QVERIFY(!fin->result.decode);
    QVERIFY(m.isFinished());
    QVERIFY(m.bytesReceived(QByteArray::fromHex("060606")).isEmpty());
}

// Events in order: "tick" a pacing tick, "hint" the hint timer, "rx" a byte of noise (no acknowledgement),
// "ack" the answer 06 06 06, "cancel". `captions` are those the events after start produce.
void TestLinkHandshake::noAnswerHint_data() {
    QTest::addColumn<bool>("write");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QList<TransferCaption>>("captions");
    using C = TransferCaption;
    QTest::newRow("silence: the hint, and the wake-up goes on")
        << false << QStringList{"tick", "hint", "tick"} << QList<C>{C::NoAnswer};
    QTest::newRow("silence on a write as well") << true << QStringList{"hint"} << QList<C>{C::NoAnswer};
    QTest::newRow("noise before the hint: none") << false << QStringList{"rx", "tick", "hint"} << QList<C>{};
    QTest::newRow("an answer after the hint puts the caption back")
        << false << QStringList{"hint", "rx"} << QList<C>{C::NoAnswer, C::Connecting};
    QTest::newRow("a late hint timer after the answer: none")
        << false << QStringList{"ack", "tick", "hint"} << QList<C>{};
    QTest::newRow("after a cancel: none") << false << QStringList{"cancel", "hint"} << QList<C>{};
}

void TestLinkHandshake::noAnswerHint() {
    QFETCH(bool, write);
    QFETCH(QStringList, events);
    QFETCH(QList<TransferCaption>, captions);
    const MemoryImage image = MemoryImage::blank(1);
    std::unique_ptr<TransferMachine> m;
    if (write)
        m = std::make_unique<WriteTransfer>(image, 16, handshakeOptions());
    else
        m = std::make_unique<ReadTransfer>(linkTestModels(), handshakeOptions());
    const TransferActions first = m->start();
    const Act::StartTimer* hint = started(first, LinkTimer::NoAnswerHint);
    QVERIFY(hint);
    QCOMPARE(hint->interval, handshakeOptions().timings.noAnswerHintMs);
    QList<TransferCaption> got;
    bool quiet = true; // until the first event that is not a timer
    for (const QString& e : events) {
        TransferActions out;
        if (e == QLatin1String("tick"))
            out = m->timerExpired(LinkTimer::WakeUpPacing);
        else if (e == QLatin1String("hint"))
            out = m->timerExpired(LinkTimer::NoAnswerHint);
        else if (e == QLatin1String("rx"))
            out = m->bytesReceived(QByteArray::fromHex("15"));
        else if (e == QLatin1String("ack"))
            out = m->bytesReceived(QByteArray::fromHex("060606"));
        else if (e == QLatin1String("cancel"))
            out = m->cancel();
        for (const auto& a : out) {
            if (const auto* c = std::get_if<Act::Caption>(&a))
                got << c->caption;
        }
        // Before anything has been heard every tick sends the next wake-up byte, hint or not.
        if (e == QLatin1String("tick") && quiet)
            QCOMPARE(sentBytes(out).size(), 1);
        if (e != QLatin1String("tick") && e != QLatin1String("hint"))
            quiet = false;
    }
    QCOMPARE(got, captions);
}

void TestLinkHandshake::noReplyToCompletingByte() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    wakeOnce(m);
    m.bytesReceived(QByteArray::fromHex("060606"));
    QCOMPARE(sentBytes(m.timerExpired(LinkTimer::WakeUpPacing)), QByteArray(1, Protocol::kComplete));
    // The radio never answers 4D: the no-response timer ends this wait too.
    QVERIFY(has<Act::Message>(m.timerExpired(LinkTimer::NoResponse)));
    QCOMPARE(find<Act::Finished>(m.messageClosed())->result.outcome, TransferResult::Outcome::NoResponse);
}

void TestLinkHandshake::cancelDuringWakeUp() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    m.start();
    const TransferActions c = m.cancel();
    QVERIFY(sentBytes(c).isEmpty());
    QVERIFY(!has<Act::Message>(c));
    QCOMPARE(find<Act::Finished>(c)->result.outcome, TransferResult::Outcome::Cancelled);
    QVERIFY(!find<Act::Finished>(c)->result.decode);
    // A timer that was already on its way does nothing.
    QVERIFY(m.timerExpired(LinkTimer::NoResponse).isEmpty());
    QVERIFY(m.timerExpired(LinkTimer::WakeUpPacing).isEmpty());
}

void TestLinkHandshake::cancelDuringAckWaitLeavesNoTimer() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    LinkHarness h(m, [](const QByteArray& in, bool*) {
        if (in.endsWith('A'))
            return QByteArray::fromHex("060606");
        if (in == QByteArray(1, Protocol::kComplete))
            return QByteArray::fromHex("06");
        return QByteArray(); // the read-mode byte stays unanswered
    });
    h.cancelWhen = [](const LinkHarness& x) { return x.sent.endsWith(Protocol::kReadMode); };
    h.run();
    QVERIFY(h.finished);
    QCOMPARE(h.result.outcome, TransferResult::Outcome::Cancelled);
    QVERIFY(h.running.empty());
    QVERIFY(h.messages.isEmpty());
    QVERIFY(!h.result.decode);
}

void TestLinkHandshake::readModeNotAcknowledged() {
    ReadTransfer m(linkTestModels(), handshakeOptions());
    LinkHarness h(m, [](const QByteArray& in, bool*) {
        if (in.endsWith('A'))
            return QByteArray::fromHex("060606");
        if (in == QByteArray(1, Protocol::kComplete))
            return QByteArray::fromHex("06");
        return in == QByteArray(1, Protocol::kReadMode) ? QByteArray::fromHex("15") : QByteArray();
    });
    h.run();
    QCOMPARE(h.sent.right(2), QByteArray("M\x05"));
    QCOMPARE(h.messages.size(), 1);
    QCOMPARE(h.messages[0].text, wording(TransferMessage::communicationError()));
    QCOMPARE(h.messages[0].title, QStringLiteral("测试程序"));
    QCOMPARE(h.result.outcome, TransferResult::Outcome::CommunicationError);
    QVERIFY(!h.result.decode); // nothing to decode before the first block
    QCOMPARE(h.closes, 1);
    QVERIFY(h.running.empty());
}

void TestLinkHandshake::writeModeReplyAnyBytes() {
    MemoryImage image = MemoryImage::blank(1);
    WriteTransfer m(image, 16, handshakeOptions());
    wakeOnce(m);
    m.bytesReceived(QByteArray::fromHex("060606"));
    m.timerExpired(LinkTimer::WakeUpPacing); // 4D
    QCOMPARE(sentBytes(m.bytesReceived("x")), QByteArray(1, Protocol::kWriteMode));
    // Any reply to 0A will do, even one without a 6.
    const TransferActions go = m.bytesReceived(QByteArray::fromHex("15"));
    QCOMPARE(find<Act::Caption>(go)->caption, TransferCaption::Writing);
    QCOMPARE(sentBytes(go), Protocol::writeFrame(0, image.blocks[0]));
}

void TestLinkHandshake::writeModeNoReply() {
    WriteTransfer m(MemoryImage::blank(1), 16, handshakeOptions());
    wakeOnce(m);
    m.bytesReceived(QByteArray::fromHex("060606"));
    m.timerExpired(LinkTimer::WakeUpPacing);
    m.bytesReceived("x");
    QVERIFY(has<Act::Message>(m.timerExpired(LinkTimer::NoResponse)));
    const TransferActions closed = m.messageClosed();
    QVERIFY(has<Act::ClosePort>(closed));
    QCOMPARE(find<Act::Finished>(closed)->result.outcome, TransferResult::Outcome::NoResponse);
}

QTEST_GUILESS_MAIN(TestLinkHandshake)
#include "tst_link_handshake.moc"
