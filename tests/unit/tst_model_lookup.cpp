#include <QtTest>

#include "../support/test_models.h"
#include "image/current_model.h"

// A model code found in the model table, and the model it makes.
class TestModelLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void modelLookup_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("band");
        const int fallback = TestModels::Fallback;
        QTest::newRow("code A of entry 1") << "71" << int(TestModels::Rc160) << 0;
        QTest::newRow("code B of entry 1") << "72" << int(TestModels::Rc160) << 1;
        QTest::newRow("code B of entry 5") << "52" << int(TestModels::Rc990) << 1;
        QTest::newRow("no match falls back to entry 8") << "99" << fallback << 0;
        QTest::newRow("entry 8 is never compared") << "91" << fallback << 0;
        QTest::newRow("case counts") << "7a" << fallback << 1;
    }
    void modelLookup() {
        QFETCH(QString, code);
        QTEST(lookupModel(TestModels::withFallback(), code), "index");
        QTEST(bandFromModelCode(code), "band");
    }

    void modelFromEntry() {
        const ModelTable t = TestModels::withFallback();
        CurrentModel m;
        m.modelIndex = TestModels::Rc990;
        m.applyEntry(t.entries[TestModels::Rc990]);
        QCOMPARE(m.strPc, QStringLiteral("RC-990"));
        QCOMPARE(m.strType, 99);
        QCOMPARE(m.I_data(), 2);
        m.selectBand(t, 1);
        QCOMPARE(m.strBandCode, QStringLiteral("52"));
        quint8 code = 0;
        QVERIFY(m.modelCodeByte(&code));
        QCOMPARE(code, quint8(0x52));
    }
};

QTEST_GUILESS_MAIN(TestModelLookup)
#include "tst_model_lookup.moc"
