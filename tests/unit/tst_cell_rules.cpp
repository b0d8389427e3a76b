#include <QtTest>

#include "image/cell_rules.h"

using namespace CellRules;
Q_DECLARE_METATYPE(CellRules::FrequencyVerdict)

class TestCellRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatting_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("editor");
        QTest::newRow("430.125") << "430.125"
                                 << "430.12500"
                                 << "430.12500";
        QTest::newRow("43") << "43"
                            << "043.00000"
                            << "43.00000";
        QTest::newRow("430.1") << "430.1"
                               << "430.10000"
                               << "430.10000";
        QTest::newRow("070") << "070"
                             << "070.00000"
                             << "70.00000";
        QTest::newRow("below one") << ".5"
                                   << "000.50000"
                                   << ".50000";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("letter") << "4a"
                                << ""
                                << "4a";
    }
    void formatting() {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QCOMPARE(formatFrequency(typed), cell);
        QCOMPARE(isFrequencyInput(typed), typed.isEmpty() || !cell.isEmpty());
        QTEST(editorFrequency(cell.isEmpty() ? typed : cell), "editor");
    }

    // The editors read the megahertz strictly; the check before a write also takes a decimal head.
    void wholeMegahertz_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("strict"); // -1: not a number
        QTest::addColumn<int>("lenient");
        QTest::newRow("three digits") << "438.50000" << 438 << 438;
        QTest::newRow("leading zero") << "070.00000" << 70 << 70;
        QTest::newRow("decimal head") << "43.5" << -1 << 43;
        QTest::newRow("point first") << ".5" << -1 << 0;
        QTest::newRow("letters") << "abc.00000" << -1 << -1;
        QTest::newRow("OFF") << "OFF" << -1 << -1;
    }
    void wholeMegahertz() {
        QFETCH(QString, text);
        QTEST(CellRules::wholeMegahertz(text).value_or(-1), "strict");
        QTEST(CellRules::wholeMegahertz(text, true).value_or(-1), "lenient");
    }

    void limits() {
        const FrequencyLimits configured = limitsFor(1, 0, QStringLiteral("400MHz---470MHz"));
        QVERIFY(configured.valid);
        QCOMPARE(configured.lower, 400);
        QCOMPARE(configured.upper, 470);
        QVERIFY(!limitsFor(1, 0, QString()).valid);
        const FrequencyLimits u = limitsFor(2, 0, QString());
        QCOMPARE(u.lower, 300);
        QCOMPARE(u.upper, 650);
        const FrequencyLimits v = limitsFor(2, 1, QStringLiteral("400MHz---470MHz"));
        QCOMPARE(v.lower, 70);
        QCOMPARE(v.upper, 300);
        QVERIFY(!limitsFor(2, -1, QString()).valid);
    }

    void verdicts_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("range"); // "" means a 2-unit model on band 0
        QTest::addColumn<FrequencyVerdict>("verdict");
        const QString r = QStringLiteral("400MHz---470MHz");
        QTest::newRow("in range") << "430.12500" << r << FrequencyVerdict::Accepted;
        QTest::newRow("6.25k raster") << "430.00625" << r << FrequencyVerdict::Accepted;
        QTest::newRow("5k raster") << "430.00500" << r << FrequencyVerdict::Accepted;
        QTest::newRow("off raster") << "430.00100" << r << FrequencyVerdict::OffRaster;
        QTest::newRow("above") << "480.00000" << r << FrequencyVerdict::OutOfRange;
        QTest::newRow("whole MHz of the top") << "470.99375" << r << FrequencyVerdict::Accepted;
        QTest::newRow("below") << "399.99375" << r << FrequencyVerdict::OutOfRange;
        QTest::newRow("OFF") << "OFF" << r << FrequencyVerdict::NotANumber;
        QTest::newRow("four megahertz digits") << "4300.0" << r << FrequencyVerdict::OutOfRange;
        QTest::newRow("four digits, no range") << "4300"
                                               << "x" << FrequencyVerdict::OutOfRange;
        QTest::newRow("no range") << "430.12500"
                                  << "x" << FrequencyVerdict::NotANumber;
        QTest::newRow("fixed range top") << "650.99375"
                                         << "" << FrequencyVerdict::Accepted;
        QTest::newRow("fixed range above") << "651.00000"
                                           << "" << FrequencyVerdict::OutOfRange;
        QTest::newRow("fixed range bottom") << "300.00000"
                                            << "" << FrequencyVerdict::Accepted;
    }
    void verdicts() {
        QFETCH(QString, cell);
        QFETCH(QString, range);
        const FrequencyLimits l = range.isEmpty() ? limitsFor(2, 0, QString()) : limitsFor(1, 0, range);
        QTEST(checkFrequency(cell, l), "verdict");
    }

    void txNormalisation_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("67.0") << "67.0"
                              << "67";
        QTest::newRow("100.0") << "100.0"
                               << "100";
        QTest::newRow("leading zero") << "067.0"
                                      << "67";
        QTest::newRow("other tone") << "88.5"
                                    << "88.5";
        QTest::newRow("DCS") << "D023N"
                             << "D023N";
        QTest::newRow("OFF") << "OFF"
                             << "OFF";
    }
    void txNormalisation() {
        QFETCH(QString, cell);
        QTEST(normaliseTxSignalling(cell), "normalised");
    }

    void acceptedTexts_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("frequency") << 1 << "0"
                                   << "430.12500" << true;
        QTest::newRow("short frequency") << 1 << "0"
                                         << "430.125" << false;
        QTest::newRow("OFF frequency") << 2 << "0"
                                       << "OFF" << true;
        QTest::newRow("tone") << 3 << "0"
                              << "67.0" << true;
        QTest::newRow("normalised tone") << 4 << "0"
                                         << "67" << true;
        QTest::newRow("lower-case DCS") << 3 << "0"
                                        << "d023n" << false;
        QTest::newRow("unknown code") << 3 << "0"
                                      << "D999N" << false;
        QTest::newRow("power in layout 0 column 7") << 7 << "0"
                                                    << "中" << true;
        QTest::newRow("scan in layout 1 column 7") << 7 << "1"
                                                   << "中" << false;
        QTest::newRow("scrambler") << 9 << "1"
                                   << "8" << true;
        QTest::newRow("scrambler 9") << 9 << "1"
                                     << "9" << false;
        QTest::newRow("empty") << 6 << "1"
                               << "" << true;
        QTest::newRow("raw power") << 7 << "0"
                                   << "3C" << true;
        QTest::newRow("raw power in lower case") << 10 << "1"
                                                 << "3c" << false;
        QTest::newRow("raw form of a listed power") << 7 << "0"
                                                    << "FF" << false;
        QTest::newRow("raw scrambler") << 9 << "1"
                                       << "3C" << true;
        QTest::newRow("raw decimal scrambler") << 9 << "1"
                                               << "09" << true;
        QTest::newRow("raw form of a listed scrambler") << 9 << "1"
                                                        << "01" << false;
        QTest::newRow("bandwidth byte, shown as its meaning") << 6 << "1"
                                                              << "FE" << false;
        QTest::newRow("raw form of narrow") << 6 << "0"
                                            << "FC" << false;
        QTest::newRow("busy lock byte, shown as its meaning") << 5 << "0"
                                                              << "01" << false;
        QTest::newRow("raw busy lock, bit field") << 5 << "1"
                                                  << "01" << false;
    }
    void acceptedTexts() {
        QFETCH(int, column);
        QFETCH(QString, layout);
        QFETCH(QString, text);
        QTEST(isAcceptedText(channelColumns(parseLayout(layout))[column], text), "accepted");
    }
};

QTEST_GUILESS_MAIN(TestCellRules)
#include "tst_cell_rules.moc"
