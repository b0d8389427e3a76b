// Choosing a model: the model dialog, the model menu, the band selector and the grid layouts.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/channel_table_model.h"
#include "ui/model_dialog.h"

class TestMainModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogResults_data();
    void dialogResults();
    void dialogWithoutChoiceKeepsResults();
    void modelChoiceLaysOutGrid_data();
    void modelChoiceLaysOutGrid();
    void headersOfBothLayouts();
    void secondNewOnlyMovesCheck();
    void closeBoxAtFirstShowing();
    void modelMenuItemSwitchesLayout();
    void bandChange_data();
    void bandChange();
    void emptyLayoutTypeIsLayoutZero();
};

namespace {

QList<QAction*> modelItems(MainWindow* w) {
    QList<QAction*> items;
    for (QAction* a : w->findChild<QMenu*>(QStringLiteral("mnuNew"))->actions()) {
        if (a->isVisible())
            items << a;
    }
    return items;
}

QStringList captions(const QList<QAction*>& items) {
    QStringList l;
    for (QAction* a : items)
        l << a->text();
    return l;
}

QStringList checked(const QList<QAction*>& items) {
    QStringList l;
    for (QAction* a : items) {
        if (a->isChecked())
            l << a->text();
    }
    return l;
}

// The model code of the document as a decimal text ("113" for 71), empty while none is known.
QString modelCode(MainWindow* w) {
    quint8 code = 0;
    const CurrentModel& m = w->document().model();
    return !m.strBandCode.isEmpty() && m.modelCodeByte(&code) ? QString::number(code) : QString();
}

QStringList headers(const ChannelTable& t) {
    QStringList l;
    for (int c = 0; c < t.columnCount(); ++c)
        l << t.cell(0, c);
    return l;
}

} // namespace

void TestMainModel::dialogResults_data() {
    QTest::addColumn<QByteArray>("models");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("strjx");
    QTest::addColumn<QString>("strMenuItem");
    QTest::addColumn<int>("items");
    QByteArray eight;
    for (int n = 1; n <= 8; ++n)
        eight += QStringLiteral("Pc%1=M%1;16;0;%2;%3\r\n").arg(n).arg(n * 2 + 9).arg(n * 2 + 10).toUtf8();
    QTest::newRow("eight models, last") << eight << 7 << "M8"
                                        << "M1;M2;M3;M4;M5;M6;M7;M8;;" << 8;
    QTest::newRow("first without change") << eight << 0 << "M1"
                                          << "M1;M2;M3;M4;M5;M6;M7;M8;;" << 8;
    QTest::newRow("one model") << QByteArray("Pc1=ONLY;8;0;41;42\r\n") << 0 << "ONLY"
                               << "ONLY;;" << 1;
    QTest::newRow("list ends at an incomplete entry")
        << QByteArray("Pc1=A;16;1;71;72\r\nPc2=B;16;0\r\nPc3=C;8;0;41;42\r\n") << 0 << "A"
        << "A;;" << 1;
}

void TestMainModel::dialogResults() {
    QFETCH(QByteArray, models);
    QFETCH(int, choice);
    QFETCH(QString, strjx);
    QFETCH(QString, strMenuItem);
    QFETCH(int, items);
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Sfc.ini"));
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[PcStyle]\r\n" + models);
    file.close();

    ModelTable table;
    ModelDialog dialog(&table, ini);
    QCOMPARE(dialog.objectName(), QStringLiteral("frmJXXZ"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("机型选择"));
    QCOMPARE(dialog.okButton()->text(), QStringLiteral("确定"));
    QVERIFY(dialog.findChild<QLabel*>()->text() == QStringLiteral("请选择新建机型"));
    dialog.load();
    QCOMPARE(dialog.modelList()->count(), items);
    QCOMPARE(dialog.modelList()->currentIndex(), 0);
    dialog.modelList()->setCurrentIndex(choice);
    dialog.okButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.strjx, strjx);
    QCOMPARE(dialog.strMenuItem, strMenuItem);
    QCOMPARE(dialog.chosenIndex(), choice);
    QCOMPARE(table.entries[choice].name, strjx);
}

void TestMainModel::dialogWithoutChoiceKeepsResults() {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Sfc.ini"));
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[PcStyle]\r\nPc1=A;16;1;71;72\r\nPc2=B;8;0;41;42\r\n");
    file.close();
    ModelTable table;
    table.entries[5].name = QStringLiteral("kept");
    ModelDialog dialog(&table, ini);
    dialog.load();
    dialog.modelList()->setCurrentIndex(1);
    dialog.okButton()->click();
    QCOMPARE(dialog.strjx, QStringLiteral("B"));
    // A second showing re-reads the file; an entry not reached keeps its earlier contents.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[PcStyle]\r\nPc1=Z;16;0;31;32\r\n");
    file.close();
    dialog.load();
    QCOMPARE(dialog.modelList()->count(), 1);
    QCOMPARE(table.entries[0].name, QStringLiteral("Z"));
    QCOMPARE(table.entries[1].name, QStringLiteral("B"));
    QCOMPARE(table.entries[5].name, QStringLiteral("kept"));
    // Nothing selected: "确定" does not index the table and the results stay.
    dialog.modelList()->setCurrentIndex(-1);
    dialog.okButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.strjx, QStringLiteral("B"));
    QCOMPARE(dialog.chosenIndex(), 1);
}

void TestMainModel::modelChoiceLaysOutGrid_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("layoutOne");
    QTest::addColumn<int>("iData");
    QTest::addColumn<QString>("code");
    QTest::newRow("16 channels, layout 1") << 0 << 17 << 11 << true << 1 << "113";
    QTest::newRow("16 channels, layout 0") << 1 << 17 << 8 << false << 1 << "49";
    QTest::newRow("8 channels, layout 0") << 2 << 9 << 8 << false << 2 << "65";
    QTest::newRow("12 channels, layout 1") << 3 << 13 << 11 << true << 2 << "115";
    QTest::newRow("99 channels, layout 0") << 4 << 100 << 8 << false << 2 << "81";
}

void TestMainModel::modelChoiceLaysOutGrid() {
    QFETCH(int, model);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(bool, layoutOne);
    QFETCH(int, iData);
    QFETCH(QString, code);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(model);

    const QStringList names = {"A16-1", "B16-0", "C8-0", "D12-1", "E99-0"};
    QCOMPARE(f.modelDialogRuns, 1);
    QCOMPARE(captions(modelItems(w)), names);
    QCOMPARE(checked(modelItems(w)), QStringList{names[model]});
    QCOMPARE(f.bandItems(), names[model] + "(U)|" + names[model] + "(V)");
    QCOMPARE(w->document().model().band, 0);
    QCOMPARE(w->document().rangeText(), QStringLiteral("400MHz---470MHz"));
    QCOMPARE(modelCode(w), code);
    QCOMPARE(w->document().model().I_data(), iData);
    QCOMPARE(w->document().table().rowCount(), rows);
    QCOMPARE(w->document().table().columnCount(), columns);
    QCOMPARE(f.grid()->model()->rowCount(), rows - 1);
    QCOMPARE(f.grid()->model()->columnCount(), columns);
    QCOMPARE(w->document().table().cell(rows - 1, 0), QString::number(rows - 1));
    for (const char* name : {"cboRPGN", "cboYXXD"}) {
        QCOMPARE(f.combo(name)->isEnabled(), layoutOne);
        const QString labelName = QStringLiteral("lbl") + QString::fromLatin1(name).mid(3);
        QCOMPARE(f.label(labelName)->isEnabled(), layoutOne);
    }
}

void TestMainModel::headersOfBothLayouts() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    QCOMPARE(headers(w->document().table()),
             QStringList({"信道", "接收频率", "发射频率", "接收信令", "发射信令", "繁忙锁定", "宽/窄",
                          "扫描添加", "压扩", "扰频码", "发射功率"}));
    QCOMPARE(f.grid()->model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("发射功率"));
    // Frequency columns left/centred, the others centred/top.
    QAbstractItemModel* m = f.grid()->model();
    for (int c = 0; c < 11; ++c) {
        const auto align = Qt::Alignment(m->index(3, c).data(Qt::TextAlignmentRole).toInt());
        QCOMPARE(align,
                 (c == 1 || c == 2) ? (Qt::AlignLeft | Qt::AlignVCenter) : (Qt::AlignHCenter | Qt::AlignTop));
    }
    w->models().modelMenuClick(1);
    QCOMPARE(headers(w->document().table()), QStringList({"信道", "接收频率", "发射频率", "接收信令",
                                                          "发射信令", "繁忙锁定", "宽/窄", "发射功率"}));
}

void TestMainModel::secondNewOnlyMovesCheck() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    w->channelModel()->setCell(1, 1, QStringLiteral("430.12500"));
    const int itemsBefore = w->findChild<QMenu*>(QStringLiteral("mnuNew"))->actions().size();

    f.modelAnswer = 2;
    f.prompter.answers = {Prompter::Answer::Discard};
    w->findChild<QAction*>(QStringLiteral("tbNew"))->trigger();
    QCOMPARE(f.modelDialogRuns, 2);
    QCOMPARE(w->findChild<QMenu*>(QStringLiteral("mnuNew"))->actions().size(), itemsBefore);
    QCOMPARE(checked(modelItems(w)), QStringList{"C8-0"});
    QCOMPARE(w->document().table().cell(1, 1), QString()); // all channel data cleared
    QCOMPARE(w->document().table().rowCount(), 9);
    QCOMPARE(f.bandItems(), QStringLiteral("C8-0(U)|C8-0(V)"));
}

void TestMainModel::closeBoxAtFirstShowing() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(-1);
    QCOMPARE(f.modelDialogRuns, 1);
    QVERIFY(!w->models().isModelMenuBuilt());
    QVERIFY(modelItems(w).isEmpty());
    QCOMPARE(f.bandItems(), QStringLiteral("(U)|(V)"));
    QCOMPARE(w->document().table().rowCount(), 17);
    // No model: no model code, so a save is refused instead of writing a wrong one.
    QCOMPARE(modelCode(w), QString());
    // A later choice works as if it had been made at start-up: the menu, the code, the table.
    f.modelAnswer = 1;
    w->models().chooseModel();
    QVERIFY(w->models().isModelMenuBuilt());
    QCOMPARE(captions(modelItems(w)), QStringList({"A16-1", "B16-0", "C8-0", "D12-1", "E99-0"}));
    QCOMPARE(checked(modelItems(w)), QStringList{"B16-0"});
    QCOMPARE(w->document().model().strPc, QStringLiteral("B16-0"));
    QCOMPARE(modelCode(w), QStringLiteral("49"));
    QCOMPARE(w->document().table().columnCount(), 8);
    // Closed without a choice later on, the dialog leaves an edited table and its model alone.
    w->document().setCell(1, 1, QStringLiteral("430.12500"));
    f.modelAnswer = -1;
    w->models().chooseModel();
    QCOMPARE(w->document().table().cell(1, 1), QStringLiteral("430.12500"));
    QCOMPARE(checked(modelItems(w)), QStringList{"B16-0"});
    QCOMPARE(modelCode(w), QStringLiteral("49"));
}

void TestMainModel::modelMenuItemSwitchesLayout() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    w->channelModel()->setCell(2, 9, QStringLiteral("3"));
    QList<QAction*> items = modelItems(w);
    f.prompter.answers = {Prompter::Answer::Discard};
    items[4]->trigger();
    QCOMPARE(checked(modelItems(w)), QStringList{"E99-0"});
    QCOMPARE(w->document().model().strType, 99);
    QCOMPARE(w->document().model().I_data(), 2);
    QCOMPARE(w->document().table().columnCount(), 8);
    QCOMPARE(w->document().table().rowCount(), 100);
    items[0]->trigger();
    QCOMPARE(w->document().table().columnCount(), 11);
    QCOMPARE(w->document().table().cell(2, 9), QString()); // switching back does not restore data
    QCOMPARE(f.modelDialogRuns, 1);
}

void TestMainModel::bandChange_data() {
    QTest::addColumn<bool>("withData");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("code");
    QTest::newRow("second band, empty grid") << false << 1 << "136MHz---174MHz"
                                             << "114";
    QTest::newRow("second band, grid with data") << true << 1 << "136MHz---174MHz"
                                                 << "114";
    QTest::newRow("first band again, grid with data") << true << 0 << "400MHz---470MHz"
                                                      << "113";
}

void TestMainModel::bandChange() {
    QFETCH(bool, withData);
    QFETCH(int, band);
    QFETCH(QString, range);
    QFETCH(QString, code);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    w->channelModel()->setCell(3, 3, QStringLiteral("67.0"));
    if (withData)
        w->channelModel()->setCell(1, 1, QStringLiteral("430.12500"));
    QComboBox* band_ = f.combo(QStringLiteral("cboPCmodel"));
    band_->setCurrentIndex(band);
    QMetaObject::invokeMethod(band_, "activated", Q_ARG(int, band));
    QCOMPARE(w->document().rangeText(), range);
    QCOMPARE(modelCode(w), code);
    QCOMPARE(w->document().model().band, band);
    // Only an empty grid (no receive frequency in channel 1) is laid out again.
    QCOMPARE(w->document().table().cell(3, 3), withData ? QStringLiteral("67.0") : QString());
}

void TestMainModel::emptyLayoutTypeIsLayoutZero() {
    MainWindowFixture f;
    f.writeIni("[Frequent]\r\nPL1=400MHz---470MHz\r\n[PcIcon]\r\nICON=icon.png\r\n[PcStyle]\r\n"
               "Pc1=NOLAYOUT;16;;61;62\r\n");
    MainWindow* w = f.createWithModel(0);
    QCOMPARE(w->document().model().strStype, QStringLiteral("0"));
    QCOMPARE(w->document().table().columnCount(), 8);
    QVERIFY(!f.combo(QStringLiteral("cboRPGN"))->isEnabled());
}

QTEST_MAIN(TestMainModel)
#include "tst_main_model.moc"
