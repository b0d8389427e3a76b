#include <QtTest>

#include "image/delimited_text.h"

using DelimitedText::Row;

// Delimited text as spreadsheets and the clipboard give it, and as we write it.
class TestDelimitedText : public QObject {
    Q_OBJECT

    static QVector<QStringList> fieldsOf(const QVector<Row>& rows) {
        QVector<QStringList> fields;
        for (const Row& r : rows)
            fields << r.fields;
        return fields;
    }

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator"); // empty: detected
        QTest::addColumn<bool>("skipComments");
        QTest::addColumn<QVector<QStringList>>("rows");
        QTest::addColumn<QList<int>>("lines");
        using Rows = QVector<QStringList>;
        QTest::newRow("CRLF") << "a,b\r\nc,d\r\n"
                              << "" << false << Rows{{"a", "b"}, {"c", "d"}} << QList<int>{1, 2};
        QTest::newRow("LF, no last line end")
            << "a,b\nc,d"
            << "" << false << Rows{{"a", "b"}, {"c", "d"}} << QList<int>{1, 2};
        QTest::newRow("quoted separator") << "\"a,b\",c\n"
                                          << "" << false << Rows{{"a,b", "c"}} << QList<int>{1};
        QTest::newRow("doubled quotes") << "\"say \"\"hi\"\"\",x\n"
                                        << "" << false << Rows{{"say \"hi\"", "x"}} << QList<int>{1};
        QTest::newRow("line breaks inside quotes")
            << "\"l1\r\nl2\",x\r\n\"m1\nm2\",y\r\nz,w\r\n"
            << "" << false << Rows{{"l1\r\nl2", "x"}, {"m1\nm2", "y"}, {"z", "w"}} << QList<int>{1, 3, 5};
        QTest::newRow("semicolon detected")
            << "a;b;c\n1;2;3\n"
            << "" << false << Rows{{"a", "b", "c"}, {"1", "2", "3"}} << QList<int>{1, 2};
        QTest::newRow("tab detected") << "a\tb\tc, d\n"
                                      << "" << false << Rows{{"a", "b", "c, d"}} << QList<int>{1};
        QTest::newRow("the separator giving most fields wins")
            << "a,b,c;d\n"
            << "" << false << Rows{{"a", "b", "c;d"}} << QList<int>{1};
        QTest::newRow("quoted separators do not count for detection")
            << "\"a;b;c\",d\n"
            << "" << false << Rows{{"a;b;c", "d"}} << QList<int>{1};
        QTest::newRow("comments skipped, detection after them")
            << "# x,y,z\na;b\n#c\n1;2\n"
            << "" << true << Rows{{"a", "b"}, {"1", "2"}} << QList<int>{2, 4};
        QTest::newRow("comments kept when not asked")
            << "# x\na\n"
            << "" << false << Rows{{"# x"}, {"a"}} << QList<int>{1, 2};
        QTest::newRow("quoted hash is no comment") << "\"#a\",b\n"
                                                   << "" << true << Rows{{"#a", "b"}} << QList<int>{1};
        QTest::newRow("blank lines skipped") << "a\n\r\n\nb\n"
                                             << "" << false << Rows{{"a"}, {"b"}} << QList<int>{1, 4};
        QTest::newRow("empty fields") << ",,\n"
                                      << "," << false << Rows{{"", "", ""}} << QList<int>{1};
        QTest::newRow("given separator") << "a;b,c\n"
                                         << "," << false << Rows{{"a;b", "c"}} << QList<int>{1};
        QTest::newRow("open quote runs to the end") << "\"abc\ndef"
                                                    << "," << false << Rows{{"abc\ndef"}} << QList<int>{1};
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, skipComments);
        QFETCH(QVector<QStringList>, rows);
        QFETCH(QList<int>, lines);
        DelimitedText::ParseOptions options;
        options.separator = separator.isEmpty() ? QChar() : separator.at(0);
        options.skipComments = skipComments;
        const QVector<Row> parsed = DelimitedText::parse(text, options);
        QCOMPARE(fieldsOf(parsed), rows);
        QList<int> got;
        for (const Row& r : parsed)
            got << r.line;
        QCOMPARE(got, lines);
    }

    void decodeDropsTheByteOrderMark() {
        QCOMPARE(DelimitedText::decode("\xEF\xBB\xBF"
                                       "a,\xE5\xAE\xBD"),
                 QStringLiteral("a,宽"));
        QCOMPARE(DelimitedText::decode("a,b"), QStringLiteral("a,b"));
    }

    void quoteField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "abc"
                               << "," << false << "abc";
        QTest::newRow("empty") << ""
                               << "," << false << "";
        QTest::newRow("separator") << "a,b"
                                   << "," << false << "\"a,b\"";
        QTest::newRow("another separator") << "a;b"
                                           << "," << false << "a;b";
        QTest::newRow("semicolon as separator") << "a;b"
                                                << ";" << false << "\"a;b\"";
        QTest::newRow("tab as separator") << "a\tb"
                                          << "\t" << false << "\"a\tb\"";
        QTest::newRow("quote") << "5\" long"
                               << "," << false << "\"5\"\" long\"";
        QTest::newRow("line feed") << "l1\nl2"
                                   << "," << false << "\"l1\nl2\"";
        QTest::newRow("carriage return") << "l1\rl2"
                                         << "," << false << "\"l1\rl2\"";
        QTest::newRow("leading space") << " a"
                                       << "," << false << "\" a\"";
        QTest::newRow("trailing space") << "a "
                                        << "," << false << "\"a \"";
        QTest::newRow("inner space") << "a b"
                                     << "," << false << "a b";
        QTest::newRow("hash first") << "#a"
                                    << "," << true << "\"#a\"";
        QTest::newRow("hash later") << "#a"
                                    << "," << false << "#a";
    }
    void quoteField() {
        QFETCH(QString, field);
        QFETCH(QString, separator);
        QFETCH(bool, first);
        QTEST(DelimitedText::quoteField(field, separator.at(0), first), "written");
    }

    // Whatever we write reads back field for field, with each separator.
    void writeReadsBack_data() {
        QTest::addColumn<QString>("separator");
        QTest::newRow("comma") << ",";
        QTest::newRow("semicolon") << ";";
        QTest::newRow("tab") << "\t";
    }
    void writeReadsBack() {
        QFETCH(QString, separator);
        const QVector<QStringList> rows{
            {"#1", "a,b", "c;d"}, {"", "say \"hi\"", "tab\there"}, {" lead", "two\r\nlines", "宽"}};
        const QString text = DelimitedText::write(rows, separator.at(0), QStringLiteral("\r\n"));
        QVERIFY(text.endsWith(QLatin1String("\r\n")));
        DelimitedText::ParseOptions options;
        options.skipComments = true;
        QCOMPARE(fieldsOf(DelimitedText::parse(text, options)), rows);
    }
};

QTEST_GUILESS_MAIN(TestDelimitedText)
#include "tst_delimited_text.moc"
