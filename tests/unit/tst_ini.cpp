#include <QTemporaryDir>
#include <QtTest>

#include "config/app_config.h"
#include "config/ini_file.h"

class TestIni : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private Q_SLOTS:
    void reading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray base =
            "; comment\r\n[Frequent]\r\nPL1 =  400MHz---470MHz  \r\npl2=136MHz---174MHz\r\n"
            "[PcCaption]\r\nCaption=\"  引号  \"\r\n";
        QTest::newRow("key case and spaces") << base << "frequent"
                                             << "pl1"
                                             << "400MHz---470MHz";
        QTest::newRow("lower-case key in file") << base << "FREQUENT"
                                                << "PL2"
                                                << "136MHz---174MHz";
        QTest::newRow("missing key") << base << "Frequent"
                                     << "PL3"
                                     << "";
        QTest::newRow("missing section") << base << "PcStyle"
                                         << "Pc1"
                                         << "";
        QTest::newRow("quotes removed") << base << "PcCaption"
                                        << "Caption"
                                        << "引号";
        QTest::newRow("key of another section not seen") << base << "PcCaption"
                                                         << "PL1"
                                                         << "";
        QTest::newRow("first of duplicate keys") << QByteArray("[A]\nk=1\nk=2\n") << "A"
                                                 << "K"
                                                 << "1";
        QTest::newRow("value cut to 127") << QByteArray("[A]\nk=" + QByteArray(200, 'x') + "\n") << "A"
                                          << "k" << QString(127, 'x');
        QTest::newRow("LF line ends, no final newline") << QByteArray("[A]\nk=v") << "a"
                                                        << "k"
                                                        << "v";
    }
    void reading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const QString path = write(QStringLiteral("r.ini"), file);
        QCOMPARE(ReadIniString(section, key, path), expected);
    }

    void missingFileReadsEmpty() {
        QCOMPARE(
            ReadIniString(QStringLiteral("A"), QStringLiteral("k"), dir.filePath(QStringLiteral("none.ini"))),
            QString());
    }

    void gbkFileIsRead() {
        QStringEncoder gbk("GB18030");
        const QByteArray bytes = gbk.encode(QStringLiteral("[PcCaption]\r\nCaption=对讲机编程软件\r\n"));
        const QString path = write(QStringLiteral("gbk.ini"), bytes);
        QCOMPARE(ReadIniString(QStringLiteral("PcCaption"), QStringLiteral("Caption"), path),
                 QStringLiteral("对讲机编程软件"));
    }

    void writeChangesOnlyItsLine_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const QByteArray base =
            "; 频率范围\r\n[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2 = 136MHz---174MHz\r\n\r\n"
            "[PcStyle]\r\nPc1=A;16;1;71;72\r\n";
        QByteArray replaced = base;
        replaced.replace("PL2 = 136MHz---174MHz", "PL2 =350MHz---390MHz");
        QTest::newRow("existing key keeps its spelling") << base << "frequent"
                                                         << "pl2"
                                                         << "350MHz---390MHz" << replaced;
        QByteArray added = base;
        added.replace("PL2 = 136MHz---174MHz\r\n", "PL2 = 136MHz---174MHz\r\nPL3=1\r\n");
        QTest::newRow("new key at the end of its section") << base << "Frequent"
                                                           << "PL3"
                                                           << "1" << added;
        QTest::newRow("new section at the end") << base << "PcHelp"
                                                << "type"
                                                << "RC" << QByteArray(base + "[PcHelp]\r\ntype=RC\r\n");
        QTest::newRow("LF file stays LF") << QByteArray("[A]\nk=1\nj=2\n") << "A"
                                          << "j"
                                          << "3" << QByteArray("[A]\nk=1\nj=3\n");
        QTest::newRow("BOM kept") << QByteArray("\xEF\xBB\xBF[A]\r\nk=1\r\n") << "A"
                                  << "k"
                                  << "2" << QByteArray("\xEF\xBB\xBF[A]\r\nk=2\r\n");
    }
    void writeChangesOnlyItsLine() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = write(QStringLiteral("w.ini"), before);
        QVERIFY(WriteIniString(section, key, value, path));
        QCOMPARE(read(path), after);
        QCOMPARE(ReadIniString(section, key, path), value);
    }

    void gbkFileStaysGbk() {
        QStringEncoder gbk("GB18030");
        const QByteArray before =
            gbk.encode(QStringLiteral("[PcCaption]\r\nCaption=对讲机\r\n[Frequent]\r\nPL1=1\r\n"));
        const QString path = write(QStringLiteral("gbkw.ini"), before);
        QVERIFY(WriteIniString(QStringLiteral("Frequent"), QStringLiteral("PL1"),
                               QStringLiteral("400MHz---470MHz"), path));
        const QByteArray expected = gbk.encode(
            QStringLiteral("[PcCaption]\r\nCaption=对讲机\r\n[Frequent]\r\nPL1=400MHz---470MHz\r\n"));
        QCOMPARE(read(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
