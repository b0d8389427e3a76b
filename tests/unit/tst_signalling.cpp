#include <QtTest>

#include "image/signalling.h"

class TestSignalling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lists() {
        QCOMPARE(Signalling::tones().size(), 50);
        QCOMPARE(Signalling::dcsCodes().size(), 105);
        const QStringList& m0 = Signalling::selectorList(0);
        const QStringList& m1 = Signalling::selectorList(1);
        const QStringList& m2 = Signalling::selectorList(2);
        QCOMPARE(m0.size(), 261);
        QCOMPARE(m1.size(), 51);
        QCOMPARE(m2.size(), 261);
        for (const QStringList* l : {&m0, &m1, &m2})
            QCOMPARE(l->first(), QStringLiteral("OFF"));
        QCOMPARE(m0[1], QStringLiteral("67"));
        QCOMPARE(m0[13], QStringLiteral("100"));
        QCOMPARE(m0[19], QStringLiteral("123"));
        QCOMPARE(m0[5], QStringLiteral("77"));
        QCOMPARE(m0[51], QStringLiteral("D023N"));
        QCOMPARE(m0[155], QStringLiteral("D754N"));
        QCOMPARE(m0[156], QStringLiteral("D047I"));
        QCOMPARE(m0[260], QStringLiteral("D116I"));
        QCOMPARE(m1[1], QStringLiteral("67.0"));
        QCOMPARE(m1[50], QStringLiteral("254.1"));
        QCOMPARE(m2[156], QStringLiteral("D023I"));
        QCOMPARE(m2[260], QStringLiteral("D754I"));
        // Member 0's inverted codes are the same set in another order.
        QStringList inv0 = m0.mid(156), inv2 = m2.mid(156);
        inv0.sort();
        inv2.sort();
        QCOMPARE(inv0, inv2);
    }

    void decode_data() {
        QTest::addColumn<QString>("lo");
        QTest::addColumn<QString>("hi");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << "FF"
                              << "FF"
                              << "OFF";
        QTest::newRow("67.0") << "70"
                              << "06"
                              << "67.0";
        QTest::newRow("100.0") << "00"
                               << "10"
                               << "100.0";
        QTest::newRow("254.1") << "41"
                               << "25"
                               << "254.1";
        QTest::newRow("D023N") << "23"
                               << "80"
                               << "D023N";
        QTest::newRow("D754N") << "54"
                               << "87"
                               << "D754N";
        QTest::newRow("D023I") << "23"
                               << "C0"
                               << "D023I";
        QTest::newRow("D754I") << "54"
                               << "C7"
                               << "D754I";
        QTest::newRow("FF in the high byte is OFF") << "12"
                                                    << "FF"
                                                    << "OFF";
        QTest::newRow("FF split by the point is not") << "FF"
                                                      << "06"
                                                      << "6F.F";
    }
    void decode() {
        QFETCH(QString, lo);
        QFETCH(QString, hi);
        QTEST(Signalling::decode(lo, hi), "text");
    }

    void encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::newRow("OFF") << "OFF" << 0xFF << 0xFF;
        QTest::newRow("empty") << "  " << 0xFF << 0xFF;
        QTest::newRow("67.0") << "67.0" << 0x70 << 0x06;
        QTest::newRow("67 without decimals") << "67" << 0x70 << 0x06;
        QTest::newRow("100") << "100" << 0x00 << 0x10;
        QTest::newRow("254.1") << "254.1" << 0x41 << 0x25;
        QTest::newRow("D023N") << "D023N" << 0x23 << 0x80;
        QTest::newRow("lower case") << "d023n" << 0x23 << 0x80;
        QTest::newRow("D754I") << "D754I" << 0x54 << 0xC7;
        QTest::newRow("D116I last of member 0") << "D116I" << 0x16 << 0xC1;
    }
    void encode() {
        QFETCH(QString, text);
        const auto bytes = Signalling::encode(text);
        QTEST(int(bytes.first), "lo");
        QTEST(int(bytes.second), "hi");
    }

    // Every listed code survives encode then decode (member 2 is what the editor offers).
    void everyCodeRoundTrips() {
        for (const QString& code : Signalling::selectorList(2)) {
            const auto b = Signalling::encode(code);
            QCOMPARE(Signalling::decode(b.first, b.second), code);
        }
    }
};

QTEST_GUILESS_MAIN(TestSignalling)
#include "tst_signalling.moc"
