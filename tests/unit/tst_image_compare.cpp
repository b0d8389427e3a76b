#include <QtTest>

#include "../support/test_models.h"

#include "image/image_compare.h"
#include "texts/transfer_texts.h"

// A read-back compared with the image a write sent, mapped to settings blocks, channels and filler, and
// the words both faces show for it.
namespace {} // namespace

class TestImageCompare : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roles_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("number");
        using K = BlockRole::Kind;
        QTest::newRow("settings A") << 0 << 16 << int(K::Settings) << 0;
        QTest::newRow("settings B") << 1 << 16 << int(K::Settings) << 1;
        QTest::newRow("channel 1, first block") << 2 << 16 << int(K::Channel) << 1;
        QTest::newRow("channel 1, second block") << 3 << 16 << int(K::Channel) << 1;
        QTest::newRow("channel 16, last block") << 33 << 16 << int(K::Channel) << 16;
        QTest::newRow("first filler of 16") << 34 << 16 << int(K::Filler) << 35;
        QTest::newRow("channel 99") << 197 << 99 << int(K::Channel) << 98;
        QTest::newRow("last of 256") << 255 << 99 << int(K::Filler) << 256;
    }
    void roles() {
        QFETCH(int, index);
        QFETCH(int, channels);
        QFETCH(int, kind);
        QFETCH(int, number);
        const BlockRole role = blockRole(index, channels);
        QCOMPARE(int(role.kind), kind);
        QCOMPARE(role.number, number);
    }

    void compare_data() {
        QTest::addColumn<QVector<int>>("changed"); // blocks of the read-back changed (0-based)
        QTest::addColumn<int>("readBlocks");       // blocks the read-back holds
        QTest::addColumn<QString>("text");         // differencesText, empty when equal
        QTest::newRow("equal") << QVector<int>{} << 128 << QString();
        QTest::newRow("the unacknowledged last block") << QVector<int>{127} << 128 << QString();
        QTest::newRow("both blocks of channel 3") << QVector<int>{6, 7} << 128 << QStringLiteral("信道 3");
        QTest::newRow("settings and channels")
            << QVector<int>{1, 2, 33, 0} << 128 << QStringLiteral("信道 1、16；设置数据块 A、B");
        QTest::newRow("filler") << QVector<int>{40, 126} << 128 << QStringLiteral("填充数据块 41、127");
        QTest::newRow("a short read-back") << QVector<int>{} << 30 << QString(); // checked below
    }
    void compare() {
        QFETCH(QVector<int>, changed);
        QFETCH(int, readBlocks);
        QFETCH(QString, text);
        const MemoryImage sent = TestModels::patternedImage(1);
        MemoryImage back = sent;
        for (int b : changed)
            back.blocks[b][3] ^= 0x40;
        back.blocks.resize(readBlocks);
        const ImageDifferences d = compareWritten(sent, back, 16);
        if (readBlocks < sent.size()) {
            // Every block the read-back lacks counts, the last one aside.
            QCOMPARE(d.channels, (QVector<int>{15, 16}));
            QCOMPARE(d.fillerBlocks.size(), 127 - 34);
            QCOMPARE(d.fillerBlocks.first(), 35);
            QCOMPARE(d.fillerBlocks.last(), 127);
            QVERIFY(d.settingsBlocks.isEmpty());
            return;
        }
        QCOMPARE(d.isEmpty(), text.isEmpty());
        QCOMPARE(TransferTexts::differencesText(d), text);
    }

    void reports_data() {
        using V = WriteSequence::Verdict;
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("outcome"); // of the read-back
        QTest::addColumn<QString>("text");
        const int ok = int(TransferResult::Outcome::Completed);
        QTest::newRow("written") << int(V::Written) << ok << QString();
        QTest::newRow("write failed") << int(V::WriteFailed) << ok << QString();
        QTest::newRow("verified") << int(V::Verified) << ok << QStringLiteral("写频完成，校验一致");
        QTest::newRow("differs") << int(V::Differs) << ok
                                 << QStringLiteral("写频完成，但校验不一致：对讲机中的信道 5 与写入的不同，"
                                                   "请重新写频。");
        QTest::newRow("read-back silent")
            << int(V::VerifyFailed) << int(TransferResult::Outcome::NoResponse)
            << QStringLiteral("写频已完成，但校验时读频失败（对讲机没有响应），没有校验。");
        QTest::newRow("read-back cancelled")
            << int(V::VerifyFailed) << int(TransferResult::Outcome::Cancelled)
            << QStringLiteral("写频已完成，但校验时读频失败（已取消），没有校验。");
    }
    void reports() {
        QFETCH(int, verdict);
        QFETCH(int, outcome);
        QFETCH(QString, text);
        WriteSequence::Report report;
        report.verdict = WriteSequence::Verdict(verdict);
        report.differences.channels = {5};
        report.verifyResult.outcome = TransferResult::Outcome(outcome);
        QCOMPARE(TransferTexts::writeReport(report).text, text);
    }
};

QTEST_APPLESS_MAIN(TestImageCompare)
#include "tst_image_compare.moc"
