#include <QtTest>

#include "link/read_transfer.h"
#include "link/write_transfer.h"

// Every state a direction can be in answers every event with exactly one row, of the direction's table
// or of the shared one, and no row leads out of the direction's states: a gap would end a transfer with an
// internal error, and two rows for one event would leave the order of the tables to decide.
class TestTransferTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyStateAnswersEveryEvent_data();
    void everyStateAnswersEveryEvent();
};

void TestTransferTables::everyStateAnswersEveryEvent_data() {
    QTest::addColumn<bool>("write");
    QTest::newRow("read") << false;
    QTest::newRow("write") << true;
}

void TestTransferTables::everyStateAnswersEveryEvent() {
    using namespace Transfer;
    QFETCH(bool, write);
    const Table own = write ? Table(kWriteRows) : Table(kReadRows);
    const States states = write ? kWriteStates : kReadStates;
    const Table shared(kSharedRows);
    QStringList faults;
    for (int s = 0; s < kStateCount; ++s) {
        if (!(states & in(State(s))))
            continue;
        for (int e = 0; e < kEventCount; ++e) {
            const int rows = own.count(State(s), Event(e)) + shared.count(State(s), Event(e));
            const Row* row =
                own.find(State(s), Event(e)) ? own.find(State(s), Event(e)) : shared.find(State(s), Event(e));
            if (rows != 1)
                faults << QStringLiteral("state %1, event %2: %3 rows").arg(s).arg(e).arg(rows);
            else if (row->next && !(states & in(*row->next)))
                faults << QStringLiteral("state %1, event %2: leads to state %3")
                              .arg(s)
                              .arg(e)
                              .arg(int(*row->next));
        }
    }
    QCOMPARE(faults, QStringList());
}

QTEST_GUILESS_MAIN(TestTransferTables)
#include "tst_transfer_tables.moc"
