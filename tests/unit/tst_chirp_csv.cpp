#include <QtTest>

#include "image/chirp_csv.h"
#include "texts/import_texts.h"

// CHIRP's CSV format both ways, through the reader, the writer and the table they fill.
class TestChirpCsv : public QObject {
    Q_OBJECT

    using Fields = QList<QPair<QString, QString>>;
    using Cells = QHash<ChannelField, QString>;

    // Channel 1 of a fresh table holds an ordinary channel, changed where `cells` says; "窄=FD" is the text
    // with the byte FD kept behind it.
    static ChannelTable tableWith(Layout layout, const Cells& cells) {
        Cells all{{ChannelField::RxFrequency, "438.50000"},
                  {ChannelField::TxFrequency, "438.50000"},
                  {ChannelField::RxSignalling, "OFF"},
                  {ChannelField::TxSignalling, "OFF"},
                  {ChannelField::BusyLock, "否"},
                  {ChannelField::Bandwidth, "宽"},
                  {ChannelField::ScanAdd, "是"},
                  {ChannelField::Compander, "否"},
                  {ChannelField::Scrambler, "无"},
                  {ChannelField::Power, "高"}};
        all.insert(cells);
        ChannelTable table;
        table.layOut(layout, 16);
        for (auto it = all.begin(); it != all.end(); ++it) {
            const QStringList textAndByte = it.value().split('=');
            table.setCell(1, columnOf(layout, it.key()), textAndByte[0]);
            if (textAndByte.size() == 2)
                table.keepByte(1, columnOf(layout, it.key()), parseRawByte(textAndByte[1]));
        }
        return table;
    }
    // The written fields of the only channel, by CHIRP column.
    static QHash<QString, QString> written(const ChannelTable& table) {
        const QVector<DelimitedText::Row> rows =
            DelimitedText::parse(QString::fromUtf8(ChirpCsv::write(table)));
        QHash<QString, QString> fields;
        for (int i = 0; i < rows.value(0).fields.size(); ++i)
            fields.insert(rows[0].fields[i], rows.value(1).fields.value(i));
        return fields;
    }
    static ChirpCsv::ReadOptions options(Layout layout = Layout::One, bool renumber = false) {
        ChirpCsv::ReadOptions o;
        o.layout = layout;
        o.channelCount = 16;
        o.limits = {true, 100, 470};
        o.renumber = renumber;
        return o;
    }
    // A file of Location, Frequency and the columns the lines name, one channel a line (Location 1 unless
    // given).
    static QByteArray csvOf(const QList<Fields>& lines) {
        QStringList names{"Location", "Frequency"};
        for (const Fields& line : lines) {
            for (const auto& field : line) {
                if (!names.contains(field.first))
                    names << field.first;
            }
        }
        QString text = names.join(',') + "\r\n";
        for (const Fields& line : lines) {
            QStringList values{"1", "438.500000"};
            while (values.size() < names.size())
                values << QString();
            for (const auto& [name, value] : line)
                values[names.indexOf(name)] = value;
            text += values.join(',') + "\r\n";
        }
        return text.toUtf8();
    }
    static QByteArray csvOf(const Fields& fields) { return csvOf(QList<Fields>{fields}); }
    // The cell as tableWith takes it: "窄=FD" when a byte is kept behind the text.
    static QString cellOf(const ChirpCsv::ImportedChannel& channel, Layout layout, ChannelField field) {
        const int column = columnOf(layout, field);
        const QString text = channel.cells.value(column);
        return channel.keptBytes.contains(column) ? text + '=' + rawByteText(channel.keptBytes[column])
                                                  : text;
    }
    static ChirpCsv::ImportedChannel readOne(const QByteArray& csv, Layout layout = Layout::One) {
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, options(layout), &read);
        if (e.isError() || read.channels.size() != 1)
            qWarning("%s", qPrintable(e.description));
        return read.channels.value(0);
    }
    // The table that writing `table` and reading the file back gives.
    static ChannelTable throughCsv(const ChannelTable& table) {
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(ChirpCsv::write(table), options(table.layout()), &read);
        if (e.isError())
            qWarning("%s", qPrintable(e.description));
        return ChirpCsv::tableOf(read.channels, table.layout(), table.channelCount());
    }

private Q_SLOTS:
    // Our receive and transmit codes, the CHIRP columns they are written as, and back.
    void signalling_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        // Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode
        QTest::addColumn<QStringList>("chirp");
        const auto row = [](const char* name, const char* rx, const char* tx, const QString& fields) {
            QTest::newRow(name) << rx << tx << fields.split(' ').replaceInStrings("_", "");
        };
        row("none", "OFF", "OFF", "_ 88.5 88.5 023 NN 023 Tone->Tone");
        row("tone on transmit", "OFF", "67.0", "Tone 67.0 88.5 023 NN 023 Tone->Tone");
        row("same tone both ways", "100.0", "100.0", "TSQL 100.0 100.0 023 NN 023 Tone->Tone");
        row("same code NN", "D023N", "D023N", "DTCS 88.5 88.5 023 NN 023 Tone->Tone");
        row("same code NR", "D754I", "D754N", "DTCS 88.5 88.5 754 NR 754 Tone->Tone");
        row("same code RN", "D754N", "D754I", "DTCS 88.5 88.5 754 RN 754 Tone->Tone");
        row("same code RR", "D047I", "D047I", "DTCS 88.5 88.5 047 RR 047 Tone->Tone");
        row("two tones", "67.0", "136.5", "Cross 136.5 67.0 023 NN 023 Tone->Tone");
        row("tone to code", "D125I", "71.9", "Cross 71.9 88.5 023 NR 125 Tone->DTCS");
        row("code to tone", "123.0", "D051N", "Cross 88.5 123.0 051 NN 023 DTCS->Tone");
        row("two codes", "D125N", "D047I", "Cross 88.5 88.5 047 RN 125 DTCS->DTCS");
        row("code on transmit", "OFF", "D754I", "Cross 88.5 88.5 754 RN 023 DTCS->");
        row("tone on receive", "151.4", "OFF", "Cross 88.5 151.4 023 NN 023 ->Tone");
        row("code on receive", "D331I", "OFF", "Cross 88.5 88.5 023 NR 331 ->DTCS");
    }
    void signalling() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QStringList, chirp);
        const ChannelTable table =
            tableWith(Layout::One, {{ChannelField::RxSignalling, rx}, {ChannelField::TxSignalling, tx}});
        const QHash<QString, QString> f = written(table);
        const QStringList got{f["Tone"],         f["rToneFreq"],  f["cToneFreq"], f["DtcsCode"],
                              f["DtcsPolarity"], f["RxDtcsCode"], f["CrossMode"]};
        QCOMPARE(got, chirp);
        QCOMPARE(throughCsv(table), table);
    }

    // What CHIRP or a person may write that our writer never does.
    void signallingRead_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::newRow("cross tone to nothing")
            << Fields{{"Tone", "Cross"}, {"CrossMode", "Tone->"}, {"rToneFreq", "94.8"}} << "OFF"
            << "94.8";
        QTest::newRow("DTCS takes one code both ways")
            << Fields{{"Tone", "DTCS"}, {"DtcsCode", "65"}, {"RxDtcsCode", "754"}, {"DtcsPolarity", "rn"}}
            << "D065N"
            << "D065I";
        QTest::newRow("TSQL takes cToneFreq")
            << Fields{{"Tone", "TSQL"}, {"rToneFreq", "67.0"}, {"cToneFreq", "107.2"}} << "107.2"
            << "107.2";
        QTest::newRow("tone without decimal") << Fields{{"Tone", "Tone"}, {"rToneFreq", "100"}} << "OFF"
                                              << "100.0";
        QTest::newRow("missing tone column is 88.5") << Fields{{"Tone", "TSQL"}} << "88.5"
                                                     << "88.5";
        // CHIRP copies the one tone column a file has into the other.
        QTest::newRow("one tone column is both")
            << Fields{{"Tone", "TSQL"}, {"rToneFreq", "100.0"}} << "100.0"
            << "100.0";
        QTest::newRow("frequency with its unit")
            << Fields{{"Frequency", "146.52 MHz"}, {"Tone", "Tone"}, {"rToneFreq", "67.0"}} << "OFF"
            << "67.0";
        QTest::newRow("missing code columns are 023 NN") << Fields{{"Tone", "DTCS"}} << "D023N"
                                                         << "D023N";
        QTest::newRow("unused columns not checked")
            << Fields{{"Tone", ""}, {"rToneFreq", "x"}, {"DtcsCode", "999"}, {"CrossMode", "?"}} << "OFF"
            << "OFF";
    }
    void signallingRead() {
        QFETCH(Fields, fields);
        const ChirpCsv::ImportedChannel c = readOne(csvOf(fields));
        QTEST(cellOf(c, Layout::One, ChannelField::RxSignalling), "rx");
        QTEST(cellOf(c, Layout::One, ChannelField::TxSignalling), "tx");
    }

    void duplex_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("duplex");
        QTest::addColumn<QString>("offset");
        QTest::newRow("simplex") << "438.50000"
                                 << "438.50000"
                                 << ""
                                 << "0.000000";
        QTest::newRow("transmit off") << "438.50000"
                                      << "OFF"
                                      << "off"
                                      << "0.000000";
        QTest::newRow("up") << "430.00000"
                            << "439.00000"
                            << "+"
                            << "9.000000";
        QTest::newRow("down") << "439.00000"
                              << "431.40000"
                              << "-"
                              << "7.600000";
        QTest::newRow("6.25 kHz shift") << "446.00625"
                                        << "446.10000"
                                        << "+"
                                        << "0.093750";
        QTest::newRow("70 MHz is a shift") << "400.00000"
                                           << "470.00000"
                                           << "+"
                                           << "70.000000";
        QTest::newRow("beyond 70 MHz is a split") << "400.00000"
                                                  << "470.00625"
                                                  << "split"
                                                  << "470.006250";
        QTest::newRow("cross band split") << "145.00000"
                                          << "435.00000"
                                          << "split"
                                          << "435.000000";
        QTest::newRow("low band") << "145.01250"
                                  << "145.01250"
                                  << ""
                                  << "0.000000";
    }
    void duplex() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        const ChannelTable table =
            tableWith(Layout::One, {{ChannelField::RxFrequency, rx}, {ChannelField::TxFrequency, tx}});
        const QHash<QString, QString> f = written(table);
        QCOMPARE(f["Frequency"], QString(rx + "0").remove(QRegularExpression("^0")));
        QTEST(f["Duplex"], "duplex");
        QTEST(f["Offset"], "offset");
        QCOMPARE(throughCsv(table), table);
    }

    // The cells CHIRP has a column for and those that travel in the Comment tag.
    void otherCells_data() {
        QTest::addColumn<bool>("layoutOne");
        QTest::addColumn<QStringList>("cells"); // busy lock, bandwidth, scan, compander, scrambler, power
        QTest::addColumn<QStringList>("chirp"); // Mode, Skip, Power, Comment
        const auto row = [](const char* name, bool one, const char* cells, const char* chirp) {
            QTest::newRow(name) << one << QString(cells).split(' ')
                                << QString(chirp).split(' ').replaceInStrings("_", "");
        };
        row("plain", true, "否 宽 是 否 无 高", "FM _ 5.0W radiocps:bcl=0;comp=0;scr=0");
        row("all set", true, "是 窄 否 是 3 中", "NFM S 2.0W radiocps:bcl=1;comp=1;scr=3");
        row("low, scrambler 8", true, "否 宽 是 否 8 低", "FM _ 1.0W radiocps:bcl=0;comp=0;scr=8");
        row("raw and kept bytes", true, "否 窄=FE 是 否 0A 3C",
            "NFM _ 5.0W radiocps:bcl=0;comp=0;scr=0A;bw=FE;pwr=3C");
        row("layout 0", false, "是 窄 - - - 低", "NFM _ 1.0W radiocps:bcl=1");
        row("layout 0 kept busy lock", false, "否=5A 宽 - - - 中", "FM _ 2.0W radiocps:bcl=5A");
    }
    void otherCells() {
        QFETCH(bool, layoutOne);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, chirp);
        const Layout layout = layoutOne ? Layout::One : Layout::Zero;
        const QList<ChannelField> fields{ChannelField::BusyLock,  ChannelField::Bandwidth,
                                         ChannelField::ScanAdd,   ChannelField::Compander,
                                         ChannelField::Scrambler, ChannelField::Power};
        Cells set;
        for (int i = 0; i < fields.size(); ++i)
            set.insert(fields[i], cells[i]);
        const ChannelTable table = tableWith(layout, set);
        const QHash<QString, QString> f = written(table);
        QCOMPARE((QStringList{f["Mode"], f["Skip"], f["Power"], f["Comment"]}), chirp);
        QCOMPARE(f["TStep"], QStringLiteral("5.00"));
        QCOMPARE(throughCsv(table), table);
    }

    void readOtherCells_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QStringList>("cells"); // busy lock, bandwidth, scan, compander, scrambler, power
        QTest::newRow("nothing but the frequency")
            << Fields{} << QStringList{"否", "宽", "是", "否", "无", "高"};
        QTest::newRow("5W") << Fields{{"Power", "5W"}} << QStringList{"否", "宽", "是", "否", "无", "高"};
        QTest::newRow("0.5W") << Fields{{"Power", "0.5W"}} << QStringList{"否", "宽", "是", "否", "无", "低"};
        QTest::newRow("1W") << Fields{{"Power", "1W"}} << QStringList{"否", "宽", "是", "否", "无", "低"};
        QTest::newRow("1.6 W") << Fields{{"Power", "1.6 W"}}
                               << QStringList{"否", "宽", "是", "否", "无", "中"};
        QTest::newRow("4W") << Fields{{"Power", "4W"}} << QStringList{"否", "宽", "是", "否", "无", "高"};
        QTest::newRow("50W") << Fields{{"Power", "50W"}} << QStringList{"否", "宽", "是", "否", "无", "高"};
        QTest::newRow("NFM, skipped")
            << Fields{{"Mode", "NFM"}, {"Skip", "S"}} << QStringList{"否", "窄", "否", "否", "无", "高"};
        QTest::newRow("priority scan is no skip")
            << Fields{{"Skip", "P"}} << QStringList{"否", "宽", "是", "否", "无", "高"};
        QTest::newRow("tag among words") << Fields{{"Comment", "club radiocps:comp=1;scr=5;bcl=1 repeater"}}
                                         << QStringList{"是", "宽", "是", "是", "5", "高"};
        QTest::newRow("raw tags win over columns")
            << Fields{{"Power", "1.0W"}, {"Comment", "radiocps:pwr=3C;bw=FE"}}
            << QStringList{"否", "窄=FE", "是", "否", "无", "3C"};
        QTest::newRow("unknown tag key passed over") << Fields{{"Comment", "radiocps:future=1;scr=2"}}
                                                     << QStringList{"否", "宽", "是", "否", "2", "高"};
    }
    void readOtherCells() {
        QFETCH(Fields, fields);
        QFETCH(QStringList, cells);
        const ChirpCsv::ImportedChannel c = readOne(csvOf(fields));
        const QList<ChannelField> order{ChannelField::BusyLock,  ChannelField::Bandwidth,
                                        ChannelField::ScanAdd,   ChannelField::Compander,
                                        ChannelField::Scrambler, ChannelField::Power};
        QStringList got;
        for (ChannelField f : order)
            got << cellOf(c, Layout::One, f);
        QCOMPARE(got, cells);
        QCOMPARE(cellOf(c, Layout::One, ChannelField::TxFrequency), QStringLiteral("438.50000"));
    }

    // Every refusal names the line of the file (the comment line counts) and what is wrong.
    void refusals_data() {
        QTest::addColumn<Fields>("fields"); // of line 4, the second channel
        QTest::addColumn<QString>("named");
        QTest::newRow("reverse tone squelch") << Fields{{"Tone", "TSQL-R"}} << "反向静噪";
        QTest::newRow("reverse code squelch") << Fields{{"Tone", "DTCS-R"}} << "反向静噪";
        QTest::newRow("unknown tone mode") << Fields{{"Tone", "Tone2"}} << "Tone 列";
        QTest::newRow("tone not ours")
            << Fields{{"Tone", "Tone"}, {"rToneFreq", "69.4"}} << "69.4\" 不是本机的亚音频率";
        QTest::newRow("receive tone not ours")
            << Fields{{"Tone", "TSQL"}, {"cToneFreq", "300.0"}} << "cToneFreq";
        QTest::newRow("code not ours")
            << Fields{{"Tone", "DTCS"}, {"DtcsCode", "024"}} << "不是本机的数字亚音码";
        QTest::newRow("octal code too long") << Fields{{"Tone", "DTCS"}, {"DtcsCode", "0023"}} << "DtcsCode";
        QTest::newRow("receive code not ours")
            << Fields{{"Tone", "Cross"}, {"CrossMode", "->DTCS"}, {"RxDtcsCode", "999"}} << "RxDtcsCode";
        QTest::newRow("polarity") << Fields{{"Tone", "DTCS"}, {"DtcsPolarity", "NI"}} << "DtcsPolarity";
        QTest::newRow("cross mode") << Fields{{"Tone", "Cross"}, {"CrossMode", "Tone->X"}} << "CrossMode";
        QTest::newRow("mode AM") << Fields{{"Mode", "AM"}} << "FM、NFM";
        QTest::newRow("above the band") << Fields{{"Frequency", "480.000000"}} << "超出 100–470 MHz";
        QTest::newRow("transmit above the band")
            << Fields{{"Duplex", "+"}, {"Offset", "40"}} << "Duplex/Offset";
        QTest::newRow("transmit below zero") << Fields{{"Duplex", "-"}, {"Offset", "500"}} << "超出";
        QTest::newRow("off raster") << Fields{{"Frequency", "438.501000"}} << "6.25 kHz";
        QTest::newRow("below 10 Hz") << Fields{{"Frequency", "438.5000001"}} << "6.25 kHz";
        QTest::newRow("duplex") << Fields{{"Duplex", "x"}} << "Duplex";
        QTest::newRow("location past the model") << Fields{{"Location", "17"}} << "信道 1 到 16";
        QTest::newRow("location 0 not first") << Fields{{"Location", "0"}} << "Location 0";
        QTest::newRow("location repeated") << Fields{{"Location", "1"}} << "与第 3 行重复";
        QTest::newRow("location not a number") << Fields{{"Location", "2a"}} << "\"2a\" 不是数字";
        QTest::newRow("frequency not a number") << Fields{{"Frequency", "438.5 kHz"}} << "Frequency";
        QTest::newRow("location below 1") << Fields{{"Location", "-1"}} << "信道 1 到 16";
        QTest::newRow("skip not CHIRP's") << Fields{{"Skip", "Q"}} << "Skip";
        QTest::newRow("offset not a number")
            << Fields{{"Duplex", "+"}, {"Offset", "five"}} << "\"five\" 不是数字";
        QTest::newRow("tone not a number") << Fields{{"Tone", "Tone"}, {"rToneFreq", "high"}} << "不是数字";
        QTest::newRow("power not a number") << Fields{{"Power", "high"}} << "Power";
        QTest::newRow("tag value") << Fields{{"Comment", "radiocps:scr=9"}} << "scr=9";
        QTest::newRow("raw byte in a bit") << Fields{{"Comment", "radiocps:comp=3C"}} << "comp=3C";
        QTest::newRow("listed byte as raw") << Fields{{"Comment", "radiocps:pwr=FF"}} << "pwr=FF";
        QTest::newRow("listed bandwidth byte") << Fields{{"Comment", "radiocps:bw=FC"}} << "bw=FC";
    }
    void refusals() {
        QFETCH(Fields, fields);
        QFETCH(QString, named);
        Fields second{{"Location", "2"}};
        second << fields;
        const QByteArray csv = "# by hand\r\n" + csvOf(QList<Fields>{{}, second});
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, options(), &read);
        QVERIFY(e.isError());
        QVERIFY2(e.description.contains(QStringLiteral("第 4 行")), qPrintable(e.description));
        QVERIFY2(e.description.contains(named), qPrintable(e.description));
    }

    void refusesWhatIsNoChirpFile_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty") << QByteArray("\r\n# nothing\r\n") << "标题行";
        QTest::newRow("our grid") << QByteArray("信道,接收频率\r\n1,438.50000\r\n") << "Location";
        QTest::newRow("no frequency") << QByteArray("Location,Name\r\n1,a\r\n") << "Frequency";
        // A row shorter or longer than the title row (an unquoted separator in a value) is refused.
        QTest::newRow("short row") << QByteArray("Location,Frequency,Tone\r\n1,146.52\r\n")
                                   << "第 2 行有 2 个字段，标题行有 3 个";
        QTest::newRow("long row") << QByteArray("Location,Frequency,Comment\r\n1,146.52,a,b\r\n")
                                  << "第 2 行有 4 个字段";
    }
    void refusesWhatIsNoChirpFile() {
        QFETCH(QByteArray, csv);
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, options(), &read);
        QVERIFY(e.isError());
        QFETCH(QString, named);
        QVERIFY2(e.description.contains(named), qPrintable(e.description));
    }

    // A file as CHIRP writes it, placed into a table of layout 1.
    void chirpFile() {
        const QByteArray csv =
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
            "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "1,PMR 1,446.006250,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,12.50,,0.5W,,,,,\r\n"
            "2,Club,438.500000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,S,5.0W,\"Ours, "
            "\"\"B\"\"\",,,,\r\n"
            "3,Split,435.000000,split,445.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,1.0W,,,,,\r\n"
            "5,X,439.000000,-,7.600000,Cross,88.5,123.0,125,RN,023,DTCS->Tone,FM,5.00,,2.0W,,,,,\r\n"
            "6,Empty,0.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n";
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, options(), &read);
        QVERIFY2(!e.isError(), qPrintable(e.description));
        const ChannelTable table = ChirpCsv::tableOf(read.channels, Layout::One, 16);
        const QVector<QStringList> expected{
            {"1", "446.00625", "446.00625", "100.0", "100.0", "否", "窄", "是", "否", "无", "低"},
            {"2", "438.50000", "438.50000", "D023I", "D023N", "否", "宽", "否", "否", "无", "高"},
            {"3", "435.00000", "445.00000", "OFF", "OFF", "否", "宽", "是", "否", "无", "低"},
            {"4", "", "", "", "", "", "", "", "", "", ""},
            {"5", "439.00000", "431.40000", "123.0", "D125I", "否", "宽", "是", "否", "无", "中"},
            {"6", "", "", "", "", "", "", "", "", "", ""},
        };
        for (int r = 0; r < expected.size(); ++r) {
            QStringList got;
            for (int c = 0; c < table.columnCount(); ++c)
                got << table.cell(r + 1, c);
            QCOMPARE(got, expected[r]);
        }
        QCOMPARE(read.channels.size(), 5);
        QCOMPARE(read.channels[3].line, 5);
    }

    // Columns in any order, unknown ones, a BOM, semicolons and comment lines.
    void spreadsheetFile() {
        const QByteArray csv =
            "\xEF\xBB\xBF# exported\r\nExtra;frequency;Mode;location\r\nx;145.0125;NFM;7\r\n";
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, options(Layout::Zero), &read);
        QVERIFY2(!e.isError(), qPrintable(e.description));
        QCOMPARE(read.channels.size(), 1);
        QCOMPARE(read.channels[0].line, 3);
        QCOMPARE(read.channels[0].cells,
                 (QStringList{"7", "145.01250", "145.01250", "OFF", "OFF", "否", "窄", "高"}));
    }

    void startsAtZero_data() {
        QTest::addColumn<QStringList>("locations");
        QTest::addColumn<bool>("renumber");
        QTest::addColumn<bool>("startsAtZero");
        QTest::addColumn<QList<int>>("placed"); // empty: refused
        QTest::newRow("from 1") << QStringList{"1", "2"} << true << false << QList<int>{1, 2};
        QTest::newRow("from 0, asked") << QStringList{"0", "1"} << true << true << QList<int>{1, 2};
        QTest::newRow("from 0, not asked") << QStringList{"0", "1"} << false << true << QList<int>{};
        QTest::newRow("0 later in the file") << QStringList{"3", "0"} << true << true << QList<int>{4, 1};
        QTest::newRow("renumbered past the model") << QStringList{"0", "16"} << true << true << QList<int>{};
        QTest::newRow("from 1, not asked") << QStringList{"2", "16"} << false << false << QList<int>{2, 16};
    }
    void startsAtZero() {
        QFETCH(QStringList, locations);
        QFETCH(bool, renumber);
        QFETCH(QList<int>, placed);
        QByteArray csv = "Location,Frequency\r\n";
        for (const QString& l : locations)
            csv += l.toUtf8() + ",438.5\r\n";
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, options(Layout::One, renumber), &read);
        QTEST(read.startsAtZero, "startsAtZero");
        QCOMPARE(e.isError(), placed.isEmpty());
        QList<int> got;
        for (const auto& c : read.channels)
            got << c.location;
        if (!e.isError())
            QCOMPARE(got, placed);
    }

    // Every line is read: each problem is named, what fits is kept, and what the radio cannot hold is said.
    void importWhatFits_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<bool>("inFileOrder");
        QTest::addColumn<QList<int>>("placed");  // the channels of the lines that fit, in file order
        QTest::addColumn<QList<int>>("leftOut"); // the lines of the problems
        QTest::addColumn<QStringList>("lost");
        const QByteArray mixed = "Location,Frequency,Tone,rToneFreq,Mode\n"
                                 "1,480.0,Tone,69.4,AM\n" // out of band: the rest of the line is not read
                                 "2,438.5,Tone,69.4,AM\n" // two problems, both named
                                 "3,439.0,,88.5,FM\n"
                                 "3,439.5,,88.5,FM\n" // repeated: the first stays
                                 "4,0,,88.5,FM\n"     // empty
                                 "5,440.0,,88.5,FM\n";
        QTest::newRow("at Location") << mixed << Layout::One << false << QList<int>{3, 5}
                                     << QList<int>{2, 3, 3, 5} << QStringList{};
        QTest::newRow("in file order")
            << mixed << Layout::One << true << QList<int>{1, 2, 3} << QList<int>{2, 3, 3} << QStringList{};
        QByteArray long20 = "Location,Frequency\n";
        for (int i = 1; i <= 20; ++i)
            long20 += QByteArray::number(i + 100) + ",438.5\n";
        QList<int> sixteen;
        for (int i = 1; i <= 16; ++i)
            sixteen << i;
        QTest::newRow("past the channel count")
            << long20 << Layout::One << true << sixteen << QList<int>{18, 19, 20, 21} << QStringList{};
        QTest::newRow("losses")
            << QByteArray("Location,Name,Frequency,TStep,Skip,Power,Comment\n"
                          "1,Club,438.5,12.50,P,0.5W,rpt radiocps:bcl=1\n"
                          "2,,439.0,5.0,S,4W,radiocps:bcl=0\n"
                          "3,,439.5,,,1.0W,\n")
            << Layout::One << false << QList<int>{1, 2, 3} << QList<int>{}
            << QStringList{
                   "第 2 行：名称“Club”不保存；备注“rpt”不保存；步进 12.50 kHz 不保存；功率 0.5W 取为“低”；"
                   "优先扫描（Skip=P）按普通扫描",
                   "第 3 行：功率 4W 取为“高”"};
        QTest::newRow("skip without a scan column")
            << QByteArray("Location,Frequency,Skip\n1,438.5,S\n2,439,\n") << Layout::Zero << false
            << QList<int>{1, 2} << QList<int>{}
            << QStringList{"第 2 行：本机型没有扫描添加项，Skip=S 不保存"};
    }
    void importWhatFits() {
        QFETCH(QByteArray, csv);
        QFETCH(Layout, layout);
        ChirpCsv::ReadOptions o = options(layout);
        QFETCH(bool, inFileOrder);
        o.inFileOrder = inFileOrder;
        ChirpCsv::ReadResult read;
        const Error e = ChirpCsv::read(csv, o, &read);
        QList<int> placed;
        for (const auto& c : read.channels) {
            if (!c.isEmpty())
                placed << c.location;
        }
        QTEST(placed, "placed");
        QList<int> leftOut;
        for (const auto& p : read.problems) {
            leftOut << p.line;
            QVERIFY2(e.description.contains(p.error.description), qPrintable(e.description));
        }
        QTEST(leftOut, "leftOut");
        QTEST(ImportTexts::lossLines(read), "lost");
        QCOMPARE(e.isError(), !leftOut.isEmpty());
    }

    void isChirpHeader_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("chirp");
        QTest::newRow("CHIRP's") << ChirpCsv::header() << true;
        QTest::newRow("any case, any order") << QStringList{" frequency", "LOCATION"} << true;
        QTest::newRow("our grid") << QStringList{"信道", "接收频率", "发射频率"} << false;
        QTest::newRow("no frequency") << QStringList{"Location", "Name"} << false;
        QTest::newRow("a channel row") << QStringList{"1", "", "438.500000"} << false;
    }
    void isChirpHeader() {
        QFETCH(QStringList, fields);
        QTEST(ChirpCsv::isChirpHeader(fields), "chirp");
    }

    // The file as CHIRP expects it: its header, CRLF, no BOM, only the chosen channels with a frequency.
    void writesTheChosenChannels() {
        ChannelTable table = tableWith(Layout::One, {});
        table.setCell(3, columnOf(Layout::One, ChannelField::RxFrequency), "439.00000");
        const QByteArray all = ChirpCsv::write(table);
        QVERIFY(
            all.startsWith("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                           "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,"
                           "RPT2CALL,DVCODE\r\n1,,438.500000,"));
        QCOMPARE(all.count("\r\n"), 3);
        QCOMPARE(all.count('\n'), 3);
        QVERIFY(all.contains("\r\n3,,439.000000,off,0.000000,"));
        QVERIFY(all.endsWith(",,,,\r\n"));
        const QByteArray some = ChirpCsv::write(table, {2, 3});
        QCOMPARE(some.count("\r\n"), 2);
        QVERIFY(some.contains("\r\n3,"));
    }
};

QTEST_GUILESS_MAIN(TestChirpCsv)
#include "tst_chirp_csv.moc"
