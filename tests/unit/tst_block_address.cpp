#include <QtTest>

#include "image/block_address.h"

// Where each block of the image lives on the wire, and how many blocks a model has.
class TestBlockAddress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addressSequence_data() {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("offset");
        QTest::newRow("0") << 0 << 0 << 0x00;
        QTest::newRow("1") << 1 << 0 << 0x08;
        QTest::newRow("31") << 31 << 0 << 0xF8;
        QTest::newRow("32") << 32 << 1 << 0x00;
        QTest::newRow("127") << 127 << 3 << 0xF8;
        QTest::newRow("255") << 255 << 7 << 0xF8;
    }
    void addressSequence() {
        QFETCH(int, block);
        const BlockAddress a = BlockAddress::ofBlock(block);
        QTEST(a.page, "page");
        QTEST(a.offset, "offset");
        QCOMPARE(a.address(), block * 8);
        QCOMPARE(a.pageText(), QStringLiteral("0") + QString::number(a.page));
    }

    void imageSize() {
        QCOMPARE(imageFactor(16), 1);
        QCOMPARE(imageFactor(8), 2);
        QCOMPARE(imageFactor(12), 2);
        QCOMPARE(imageFactor(99), 2);
        QCOMPARE(blockCount(1), 128);
        QCOMPARE(blockCount(2), 256);
    }
};

QTEST_GUILESS_MAIN(TestBlockAddress)
#include "tst_block_address.moc"
