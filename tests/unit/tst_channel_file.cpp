#include <QTemporaryDir>
#include <QtTest>

#include "../support/file_bytes.h"
#include "../support/test_models.h"
#include "image/channel_file.h"
#include "image/hex.h"

namespace {

RadioSettings defaults() {
    RadioSettings s;
    s.selectStartupDefaults();
    return s;
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

// A window state for a model entry with a few channels filled.
struct State {
    CurrentModel model;
    ChannelTable table;
    RadioSettings settings;
};

State stateFor(int entry, int band) {
    const ModelTable t = TestModels::shipped();
    State s;
    s.model.modelIndex = entry;
    s.model.applyEntry(t.entries[entry]);
    s.model.selectBand(t, band);
    s.table.layOut(s.model.layout(), s.model.strType);
    s.settings.setLayout(s.model.layout());
    s.settings.selectStartupDefaults();
    const bool l1 = s.model.layout() == Layout::One;
    s.table.setCell(1, 1, QStringLiteral("438.50000"));
    s.table.setCell(1, 2, QStringLiteral("438.50000"));
    s.table.setCell(1, 3, QStringLiteral("67.0"));
    s.table.setCell(1, 4, QStringLiteral("D023N"));
    s.table.setCell(1, 5, QStringLiteral("是"));
    s.table.setCell(1, 6, QStringLiteral("窄"));
    if (l1) {
        s.table.setCell(1, 7, QStringLiteral("是"));
        s.table.setCell(1, 8, QStringLiteral("否"));
        s.table.setCell(1, 9, QStringLiteral("3"));
        s.table.setCell(1, 10, QStringLiteral("中"));
    } else {
        s.table.setCell(1, 7, QStringLiteral("低"));
    }
    const int last = s.model.strType;
    s.table.setCell(last, 1, QStringLiteral("145.12500"));
    s.table.setCell(last, 2, QStringLiteral("OFF"));
    for (int c = 3; c < s.table.columnCount(); ++c)
        s.table.setCell(last, c, s.table.columns()[c].defaultValue);
    return s;
}

// Every cell the source holds comes back; cells left empty come back as what all-FF bytes decode to.
void compareTables(const ChannelTable& loaded, const ChannelTable& source) {
    QCOMPARE(loaded.rowCount(), source.rowCount());
    QCOMPARE(loaded.columnCount(), source.columnCount());
    const bool l1 = source.layout() == Layout::One;
    const QStringList blank =
        l1 ? QStringList{"", "OFF", "OFF", "OFF", "OFF", "否", "宽", "是", "是", "无", "高"}
           : QStringList{"", "OFF", "OFF", "OFF", "OFF", "否", "宽", "高"};
    for (int r = 0; r < source.rowCount(); ++r) {
        for (int c = 0; c < source.columnCount(); ++c) {
            const QString want = source.cell(r, c).isEmpty() ? blank[c] : source.cell(r, c);
            QCOMPARE(loaded.cell(r, c), want);
        }
    }
}

} // namespace

class TestChannelFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void worked_example() {
        State s = stateFor(TestModels::Rc160, 0);
        s.settings.setIndex(RadioSettings::FuncMoni, 1);
        s.settings.setIndex(RadioSettings::RPGN, 1);
        s.settings.setCrystal(1);
        s.settings.setIndex(RadioSettings::FuncTOT, 4);
        s.settings.setIndex(RadioSettings::FuncSQL, 5);
        s.settings.setIndex(RadioSettings::YXXD, 0);
        s.settings.setIndex(RadioSettings::YYBP, 1);
        s.settings.tune.sPower = 6;
        s.settings.recomputeFunctionByte(); // as the window does when it is next activated
        MemoryImage img;
        QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &img).isError());
        const QList<QByteArray> lines = ChannelFile::format(img).split('\n');
        QCOMPARE(lines[0], QByteArray("52 00 00 08 71 FF FF FF 98 0C 05 1E\r"));
        QCOMPARE(lines[1], QByteArray("52 00 08 08 00 FF 01 FF FF FF FF FF\r"));
        QCOMPARE(lines[2], QByteArray("52 00 10 08 00 00 85 43 00 00 85 43\r"));
    }

    void savedFileShape_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("lastLine");
        QTest::newRow("16 channels") << int(TestModels::Rc160) << 128
                                     << QByteArray("52 03 F8 08 FF FF FF FF FF FF FF FF");
        QTest::newRow("8 channels") << int(TestModels::Rc80) << 256
                                    << QByteArray("52 07 F8 08 FF FF FF FF FF FF FF FF");
        QTest::newRow("99 channels") << int(TestModels::Rc996) << 256
                                     << QByteArray("52 07 F8 08 FF FF FF FF FF FF FF FF");
    }
    void savedFileShape() {
        QFETCH(int, entry);
        QFETCH(int, lines);
        const State s = stateFor(entry, 1);
        const QString path = dir.filePath(QStringLiteral("shape.qfd"));
        QVERIFY(!SaveChannelFile(path, s.model, s.table, s.settings).isError());
        const QByteArray bytes = fileBytes(path);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), lines);
        QList<QByteArray> l = bytes.split('\n');
        l.removeLast();
        QFETCH(QByteArray, lastLine);
        QCOMPARE(l.last().chopped(1), lastLine);
        for (const QByteArray& line : l) {
            QCOMPARE(line.split(' ').size(), 12);
            QCOMPARE(line.toUpper(), line);
        }
        // Filler after the last channel.
        const int firstFiller = 2 * s.model.strType + 2;
        QVERIFY(l[firstFiller].endsWith("FF FF FF FF FF FF FF FF\r"));
    }

    void roundTrip_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("band");
        QTest::newRow("layout 1, 16, U") << int(TestModels::Rc160) << 0;
        QTest::newRow("layout 0, 16, V") << int(TestModels::Rc168) << 1;
        QTest::newRow("layout 0, 8") << int(TestModels::Rc80) << 0;
        QTest::newRow("layout 1, 99, V") << int(TestModels::Rc996) << 1;
    }
    void roundTrip() {
        QFETCH(int, entry);
        QFETCH(int, band);
        State s = stateFor(entry, band);
        s.settings.setCrystal(1); // only reaches the kept byte at the next recomputation
        const QString a = dir.filePath(QStringLiteral("a.qfd"));
        const QString b = dir.filePath(QStringLiteral("b.qfd"));
        QVERIFY(!SaveChannelFile(a, s.model, s.table, s.settings).isError());
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(a, TestModels::shipped(), defaults(), &loaded).isError());
        QVERIFY(loaded.complete);
        QCOMPARE(loaded.model.strPc, s.model.strPc);
        QCOMPARE(loaded.model.band, band);
        QCOMPARE(loaded.model.strBandCode, s.model.strBandCode);
        compareTables(loaded.table, s.table);
        QVERIFY(!SaveChannelFile(b, loaded.model, loaded.table, loaded.settings).isError());
        QCOMPARE(fileBytes(b), fileBytes(a));
    }

    // A file whose kept function byte carries the tune options comes back byte for byte.
    void tuneOptionsSurviveOpenAndSave() {
        State s = stateFor(TestModels::Rc168, 0);
        s.settings.setCrystal(1);
        s.settings.setPolarity(1);
        s.settings.recomputeFunctionByte();
        const QString a = dir.filePath(QStringLiteral("tune.qfd"));
        QVERIFY(!SaveChannelFile(a, s.model, s.table, s.settings).isError());
        QVERIFY(fileBytes(a).startsWith("52 00 00 08 31 FF FF FF 30 "));
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(a, TestModels::shipped(), defaults(), &loaded).isError());
        QCOMPARE(loaded.settings.tune.optJT, 1);
        QCOMPARE(loaded.settings.tune.Option1, 1);
        const QString b = dir.filePath(QStringLiteral("tune2.qfd"));
        QVERIFY(!SaveChannelFile(b, loaded.model, loaded.table, loaded.settings).isError());
        QCOMPARE(fileBytes(b), fileBytes(a));
    }

    // The received file ends each line with one space; a file edited by hand may end lines with more.
    void receivedFileWithTrailingSpaces_data() {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("one space, as received") << QByteArray(" \r\n");
        QTest::newRow("two spaces") << QByteArray("  \r\n");
        QTest::newRow("five spaces") << QByteArray("     \r\n");
        QTest::newRow("spaces without CR") << QByteArray("   \n");
    }
    void receivedFileWithTrailingSpaces() {
        QFETCH(QByteArray, lineEnd);
        const State s = stateFor(TestModels::Rc160, 0);
        MemoryImage img;
        QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &img).isError());
        QByteArray received = ChannelFile::format(img);
        received.replace("\r\n", lineEnd);
        const QString path = dir.filePath(QStringLiteral("received.qfd"));
        writeAll(path, received);
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(path, TestModels::shipped(), defaults(), &loaded).isError());
        compareTables(loaded.table, s.table);
    }

    // Bytes the lists do not name open as their raw texts or, for the bandwidth and the busy lock of layout
    // 0, as their meaning, and are saved back unchanged.
    void unknownBytesSurviveOpenAndSave_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QByteArray>("line");   // the second block of channel 1
        QTest::addColumn<QStringList>("cells"); // columns 5 ...
        QTest::newRow("layout 1") << int(TestModels::Rc160)
                                  << QByteArray("52 00 18 08 70 06 23 80 00 FE 3C 5A")
                                  << QStringList{"是", "窄", "否", "否", "5A", "3C"};
        QTest::newRow("layout 1, 99 channels, decimal scrambler")
            << int(TestModels::Rc996) << QByteArray("52 00 18 08 FF FF FF FF 07 FF AA 09")
            << QStringList{"否", "宽", "是", "是", "09", "AA"};
        QTest::newRow("layout 0") << int(TestModels::Rc168)
                                  << QByteArray("52 00 18 08 FF FF FF FF 01 00 54 FF")
                                  << QStringList{"否", "窄", "54"};
        QTest::newRow("layout 0, busy 5A, bandwidth FD")
            << int(TestModels::Rc168) << QByteArray("52 00 18 08 FF FF FF FF 5A FD 55 FF")
            << QStringList{"否", "窄", "中"};
    }
    void unknownBytesSurviveOpenAndSave() {
        QFETCH(int, entry);
        QFETCH(QByteArray, line);
        QFETCH(QStringList, cells);
        const State s = stateFor(entry, 0);
        MemoryImage img;
        QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &img).isError());
        QList<QByteArray> lines = ChannelFile::format(img).split('\n');
        lines[3] = line + '\r';
        const QString a = dir.filePath(QStringLiteral("raw-a.qfd"));
        writeAll(a, lines.join('\n'));
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(a, TestModels::shipped(), defaults(), &loaded).isError());
        QStringList shown;
        for (int c = 5; c < loaded.table.columnCount(); ++c)
            shown << loaded.table.cell(1, c);
        QCOMPARE(shown, cells);
        const QString b = dir.filePath(QStringLiteral("raw-b.qfd"));
        QVERIFY(!SaveChannelFile(b, loaded.model, loaded.table, loaded.settings).isError());
        QCOMPARE(fileBytes(b), fileBytes(a));
    }

    void malformedFileChangesNothing_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("bad hex token")
            << 5 << QByteArray("52 00 28 08 00 00 8G 43 00 00 85 43") << "第 6 行第 7 个";
        QTest::newRow("too few tokens") << 3 << QByteArray("52 00 18 08 FF FF") << "第 4 行";
        QTest::newRow("three-digit token")
            << 0 << QByteArray("52 00 00 08 71 FF FF FF 100 03 04 19") << "第 1 行";
        QTest::newRow("blank line inside") << 10 << QByteArray("") << "第 11 行";
        QTest::newRow("thirteenth token")
            << 2 << QByteArray("52 00 10 08 00 00 85 43 00 00 85 43 00") << "第 3 行";
        QTest::newRow("token after trailing spaces")
            << 2 << QByteArray("52 00 10 08 00 00 85 43 00 00 85 43   00  ") << "第 3 行";
        QTest::newRow("doubled space inside")
            << 2 << QByteArray("52 00 10 08 00  00 85 43 00 00 85 43") << "第 3 行";
        QTest::newRow("bad priority") << 1 << QByteArray("52 00 08 08 00 FF 00 FF FF FF FF FF") << "优先信道";
    }
    void malformedFileChangesNothing() {
        QFETCH(int, line);
        QFETCH(QByteArray, replacement);
        const State s = stateFor(TestModels::Rc160, 0);
        MemoryImage img;
        QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &img).isError());
        QList<QByteArray> lines = ChannelFile::format(img).split('\n');
        lines[line] = replacement + '\r';
        const QString path = dir.filePath(QStringLiteral("bad.qfd"));
        writeAll(path, lines.join('\n'));
        LoadedChannelFile loaded;
        loaded.model.strPc = QStringLiteral("untouched");
        const Error e = LoadChannelFile(path, TestModels::shipped(), defaults(), &loaded);
        QVERIFY(e.isError());
        QFETCH(QString, mentions);
        QVERIFY2(e.description.contains(mentions), qPrintable(e.description));
        QCOMPARE(loaded.model.strPc, QStringLiteral("untouched"));
    }

    void fileThatEndsEarly_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("channelsPresent");
        QTest::newRow("cancelled after 40 blocks") << 40 << 19;
        QTest::newRow("odd count") << 7 << 2;
        QTest::newRow("settings only") << 2 << 0;
        QTest::newRow("block A only") << 1 << 0;
    }
    void fileThatEndsEarly() {
        QFETCH(int, lines);
        QFETCH(int, channelsPresent);
        State s = stateFor(TestModels::Rc160, 0);
        for (int r = 1; r <= 16; ++r) {
            s.table.setCell(r, 1, QStringLiteral("430.%1").arg(r * 125, 5, 10, QLatin1Char('0')));
            s.table.setCell(r, 2, QStringLiteral("OFF"));
        }
        s.settings.setIndex(RadioSettings::FuncSQL, 7);
        MemoryImage img;
        QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &img).isError());
        img.blocks.resize(lines);
        const QString path = dir.filePath(QStringLiteral("short.qfd"));
        writeAll(path, ChannelFile::format(img));
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(path, TestModels::shipped(), defaults(), &loaded).isError());
        QVERIFY(!loaded.complete);
        QCOMPARE(loaded.linesRead, lines);
        QCOMPARE(loaded.model.strPc, QStringLiteral("RC-160"));
        QCOMPARE(loaded.table.rowCount(), 17);
        QCOMPARE(loaded.settings.index(RadioSettings::FuncSQL), 7);
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(loaded.table.cell(r, 1).isEmpty(), r > channelsPresent);
    }

    void missingAndEmptyFiles() {
        LoadedChannelFile loaded;
        QCOMPARE(LoadChannelFile(dir.filePath(QStringLiteral("none.qfd")), TestModels::shipped(), defaults(),
                                 &loaded)
                     .code,
                 ErrorCode::FileNotFound);
        const QString empty = dir.filePath(QStringLiteral("empty.qfd"));
        writeAll(empty, QByteArray());
        QCOMPARE(LoadChannelFile(empty, TestModels::shipped(), defaults(), &loaded).code,
                 ErrorCode::InputPastEnd);
    }

    void unknownCodeTakesEntryEight() {
        const ModelTable t = TestModels::withFallback();
        const State s = stateFor(TestModels::Rc80, 0);
        MemoryImage img;
        QVERIFY(!ChannelFile::encodeImage(s.model, s.table, s.settings, &img).isError());
        img.blocks[0][0] = 0x33;
        const QString path = dir.filePath(QStringLiteral("x.qfd"));
        writeAll(path, ChannelFile::format(img));
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(path, t, defaults(), &loaded).isError());
        QCOMPARE(loaded.model.strPc, TestModels::fallbackEntry().name);
        QCOMPARE(loaded.model.modelIndex, int(TestModels::Fallback));
        // Without an eighth entry there is no model to take.
        QVERIFY(LoadChannelFile(path, TestModels::shipped(), defaults(), &loaded).isError());
    }

    void layoutOfTheFileWins() {
        const State s = stateFor(TestModels::Rc996, 0); // layout 1, 99 channels
        const QString path = dir.filePath(QStringLiteral("l1.qfd"));
        QVERIFY(!SaveChannelFile(path, s.model, s.table, s.settings).isError());
        RadioSettings before = defaults();
        before.setLayout(Layout::Zero);
        LoadedChannelFile loaded;
        QVERIFY(!LoadChannelFile(path, TestModels::shipped(), before, &loaded).isError());
        QCOMPARE(loaded.table.columnCount(), 11);
        QCOMPARE(loaded.table.rowCount(), 100);
        QCOMPARE(loaded.table.cell(1, 9), QStringLiteral("3"));
        QCOMPARE(loaded.settings.layout(), Layout::One);
    }

    void failedSaveKeepsTheOldFile() {
        const QString path = dir.filePath(QStringLiteral("keep.qfd"));
        writeAll(path, "old contents\r\n");
        State s = stateFor(TestModels::Rc160, 0);
        s.settings = RadioSettings(); // kept bytes never computed: encoding fails
        QVERIFY(SaveChannelFile(path, s.model, s.table, s.settings).isError());
        QCOMPARE(fileBytes(path), QByteArray("old contents\r\n"));
        QVERIFY(SaveChannelFile(dir.filePath(QStringLiteral("no/such/dir/x.qfd")),
                                stateFor(TestModels::Rc160, 0).model, stateFor(TestModels::Rc160, 0).table,
                                stateFor(TestModels::Rc160, 0).settings)
                    .isError());
    }
};

QTEST_GUILESS_MAIN(TestChannelFile)
#include "tst_channel_file.moc"
