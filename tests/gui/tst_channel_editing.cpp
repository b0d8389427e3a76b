#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "document/radio_document.h"
#include "image/channel_codec.h"
#include "image/signalling.h"
#include "scripted_prompter.h"
#include "ui/channel_editing.h"
#include "ui/channel_table_model.h"

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kOutOfRange = QStringLiteral("请在正确的频率范围输入");
const QString kOffRaster = QStringLiteral("输入的频率需为6.25K或5K的整数");
const QString kUnknown = QStringLiteral("你输入的信令不存在，请核实！");

// The channel area as the main window builds it: a frame holding the grid, the model under it, the cell
// editors, and a band range that the test chooses (I_data, band entry and range label).
struct ChannelArea {
    QWidget window;
    QGroupBox* frame = nullptr;
    QTableView* grid = nullptr;
    RadioDocument document;
    ChannelTableModel model{document};
    ScriptedPrompter prompter;
    int iData = 1;
    int band = 0;
    QString rangeLabel = QStringLiteral("400MHz---470MHz");
    std::unique_ptr<ChannelEditing> editing;

    explicit ChannelArea(const QString& layout = QStringLiteral("0"), int channels = 16,
                         QSize size = QSize(1000, 700)) {
        window.resize(size);
        auto* outer = new QVBoxLayout(&window);
        frame = new QGroupBox(QStringLiteral("信道数据设置"), &window);
        outer->addWidget(frame);
        auto* inner = new QVBoxLayout(frame);
        grid = new QTableView(frame);
        grid->setObjectName(QStringLiteral("gridXDSZ"));
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        inner->addWidget(grid);
        layOut(layout, channels);
        grid->setModel(&model);
        editing = std::make_unique<ChannelEditing>(
            frame, grid, &model, &prompter, [this] { return CellRules::limitsFor(iData, band, rangeLabel); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    void layOut(const QString& layout, int channels) {
        ChannelTable table;
        table.layOut(parseLayout(layout), channels);
        document.setTable(table);
    }
    QLineEdit* rx() const { return frame->findChild<QLineEdit*>(QStringLiteral("txtTxFreq")); }
    QLineEdit* tx() const { return frame->findChild<QLineEdit*>(QStringLiteral("txtRecFreq")); }
    QComboBox* signalling() const { return frame->findChild<QComboBox*>(QStringLiteral("cmbZOBR_2")); }
    QComboBox* list() const { return frame->findChild<QComboBox*>(QStringLiteral("cmbZOBR_1")); }
    QComboBox* lookup() const { return frame->findChild<QComboBox*>(QStringLiteral("cmbZOBR_0")); }
    QList<QWidget*> editors() const { return {rx(), tx(), signalling(), list()}; }
    QString cell(int row, int column) const { return model.cell(row, column); }

    void click(int row, int column) {
        const QModelIndex index = model.indexOf(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    // Types into the editor that serves the cell, replacing what it shows.
    void typeInto(QWidget* editor, const QString& text) {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->lineEdit()->selectAll();
        else
            static_cast<QLineEdit*>(editor)->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Backspace);
        for (QChar ch : text) {
            // QTest's key names cover ASCII only; Chinese items arrive as key events carrying text.
            if (ch.unicode() < 128)
                QTest::keyClicks(editor, QString(ch));
            else
                QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    void enter(QWidget* editor) { QTest::keyClick(editor, Qt::Key_Return); }
    // A pick with the mouse from the drop-down list.
    void pick(QComboBox* combo, const QString& item) {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        const QModelIndex index = view->model()->index(combo->findText(item), 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    QStringList visibleEditors() const {
        QStringList names;
        for (QWidget* w : editors()) {
            if (w->isVisible())
                names << w->objectName();
        }
        return names;
    }
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 1; c < model.columnCount(); ++c)
            cells << model.cell(r, c);
        return cells;
    }
};

} // namespace

class TestChannelEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void editorsAreHiddenChildrenOfTheFrame();
    void clickOpensTheEditorOfTheColumn_data();
    void clickOpensTheEditorOfTheColumn();
    void editorsLieOverTheCell();
    void typingReachesTheCellFormatted_data();
    void typingReachesTheCellFormatted();
    void editorShowsTheCellInShortForm_data();
    void editorShowsTheCellInShortForm();
    void frequencyValidation_data();
    void frequencyValidation();
    void acceptedReceiveFrequencyFillsTheRow_data();
    void acceptedReceiveFrequencyFillsTheRow();
    void defaultsOnlyFillEmptyCells();
    void passingThroughReceiveOverwritesTransmit();
    void transmitFrequencyIsValidatedAlone();
    void emptiedCellBecomesOff_data();
    void emptiedCellBecomesOff();
    void comboEnterChecksTheTextExactly_data();
    void comboEnterChecksTheTextExactly();
    void leavingRestoresUnlistedComboText();
    void listItemsFollowTheColumn_data();
    void listItemsFollowTheColumn();
    void openingSearchesIgnoringCase_data();
    void openingSearchesIgnoringCase();
    void transmitSignallingIsNormalised_data();
    void transmitSignallingIsNormalised();
    void openComboMovedToAnotherCellWritesTheFoundItem();
    void listEditorKeepsARawByte_data();
    void listEditorKeepsARawByte();
    void pickingAnItemWritesTheCell();
    void scrollingHidesWithoutValidating();
    void hidingLeavesTheTypedText();
    void newTableHidesTheEditors();
    void clickIsIgnoredBeforeLayout();
    void clickRaisingAMessageOpensTheClickedEditor_data();
    void clickRaisingAMessageOpensTheClickedEditor();
    void comboEditorTakesFocusAndShowsWholeItems_data();
    void comboEditorTakesFocusAndShowsWholeItems();
};

void TestChannelEditing::editorsAreHiddenChildrenOfTheFrame() {
    ChannelArea area;
    QList<QWidget*> all = area.editors();
    all << area.lookup();
    for (QWidget* w : all) {
        QVERIFY2(w, "editor missing");
        QCOMPARE(w->parentWidget(), static_cast<QWidget*>(area.frame));
        QVERIFY(w->isHidden());
    }
    QCOMPARE(area.rx()->maxLength(), 9);
    QCOMPARE(area.tx()->maxLength(), 9);
    QVERIFY(area.signalling()->isEditable());
    QVERIFY(area.list()->isEditable());
    QStringList items;
    for (int i = 0; i < area.signalling()->count(); ++i)
        items << area.signalling()->itemText(i);
    QCOMPARE(items.size(), 261);
    QCOMPARE(items, Signalling::selectorList(2));
    QCOMPARE(area.lookup()->count(), 261);
    QCOMPARE(area.lookup()->itemText(1), QStringLiteral("67"));
    QVERIFY(!area.editing->anyEditorVisible());
}

void TestChannelEditing::clickOpensTheEditorOfTheColumn_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("editor");
    QTest::newRow("receive frequency") << "0" << 1 << "txtTxFreq";
    QTest::newRow("transmit frequency") << "0" << 2 << "txtRecFreq";
    QTest::newRow("receive signalling") << "0" << 3 << "cmbZOBR_2";
    QTest::newRow("transmit signalling") << "0" << 4 << "cmbZOBR_2";
    QTest::newRow("busy lock") << "0" << 5 << "cmbZOBR_1";
    QTest::newRow("power, layout 0") << "0" << 7 << "cmbZOBR_1";
    QTest::newRow("scrambler, layout 1") << "1" << 9 << "cmbZOBR_1";
    QTest::newRow("power, layout 1") << "1" << 10 << "cmbZOBR_1";
    QTest::newRow("channel number") << "1" << 0 << "";
}

void TestChannelEditing::clickOpensTheEditorOfTheColumn() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    QFETCH(QString, editor);
    ChannelArea area(layout);
    // Whatever was open before, only the editor of the clicked column stays.
    for (int before : {1, 2, 3, 5}) {
        area.click(2, before);
        area.click(3, column);
        const QStringList expected = editor.isEmpty() ? QStringList() : QStringList{editor};
        QCOMPARE(area.visibleEditors(), expected);
        QCOMPARE(area.editing->anyEditorVisible(), !editor.isEmpty());
    }
    if (column == 1)
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(area.rx()));
}

void TestChannelEditing::editorsLieOverTheCell() {
    ChannelArea area(QStringLiteral("1"));
    for (int column : {1, 2, 4, 9}) {
        area.click(5, column);
        QWidget* editor = column == 1   ? static_cast<QWidget*>(area.rx())
                          : column == 2 ? static_cast<QWidget*>(area.tx())
                          : column == 4 ? static_cast<QWidget*>(area.signalling())
                                        : static_cast<QWidget*>(area.list());
        const QRect cell = area.grid->visualRect(area.model.indexOf(5, column));
        const QPoint topLeft = area.grid->viewport()->mapTo(area.frame, cell.topLeft());
        QCOMPARE(editor->pos(), topLeft);
        QCOMPARE(editor->width(), cell.width());
        if (column <= 2)
            QCOMPARE(editor->height(), cell.height());
        else
            QCOMPARE(editor->height(), editor->sizeHint().height());
    }
}

void TestChannelEditing::typingReachesTheCellFormatted_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("cellAfterEachKey");
    QTest::addColumn<QString>("editorText");
    QTest::newRow("430.125") << 1 << "430.125"
                             << QStringList{"004.00000", "043.00000", "430.00000", "430.00000",
                                            "430.10000", "430.12000", "430.12500"}
                             << "430.125";
    QTest::newRow("two digits on transmit") << 2 << "43" << QStringList{"004.00000", "043.00000"} << "43";
    QTest::newRow("letter first") << 1 << "a" << QStringList{""} << "";
    QTest::newRow("letter after digits empties all")
        << 1 << "43x5" << QStringList{"004.00000", "043.00000", "", "005.00000"} << "5";
    QTest::newRow("point first") << 2 << "." << QStringList{""} << "";
}

void TestChannelEditing::typingReachesTheCellFormatted() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QStringList, cellAfterEachKey);
    QFETCH(QString, editorText);
    ChannelArea area;
    area.click(1, column);
    QLineEdit* editor = column == 1 ? area.rx() : area.tx();
    QStringList seen;
    for (QChar ch : typed) {
        QTest::keyClicks(editor, QString(ch));
        seen << area.cell(1, column);
    }
    QCOMPARE(seen, cellAfterEachKey);
    QCOMPARE(editor->text(), editorText);
    QVERIFY(area.prompter.shown.isEmpty());
    QCOMPARE(area.model.cellMark(1, column), int(ChannelTableModel::FrequencyMark));
}

void TestChannelEditing::editorShowsTheCellInShortForm_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("editorText");
    QTest::newRow("leading zero dropped") << "070.00000"
                                          << "70.00000";
    QTest::newRow("three digits") << "438.50000"
                                  << "438.50000";
    QTest::newRow("OFF shown unchanged") << "OFF"
                                         << "OFF";
    QTest::newRow("empty") << ""
                           << "";
}

void TestChannelEditing::editorShowsTheCellInShortForm() {
    QFETCH(QString, cell);
    QFETCH(QString, editorText);
    ChannelArea area;
    area.model.setCell(4, 1, cell);
    area.model.setCell(4, 2, cell);
    area.click(4, 1);
    QCOMPARE(area.rx()->text(), editorText);
    QCOMPARE(area.rx()->selectedText(), editorText);
    // Moving the open editor to another cell of its column refills it without touching either cell.
    area.click(4, 2);
    area.click(4, 2);
    QCOMPARE(area.tx()->text(), editorText);
    QCOMPARE(area.cell(4, 2), cell);
}

void TestChannelEditing::frequencyValidation_data() {
    QTest::addColumn<int>("iData");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral("400MHz---470MHz");
    for (bool byEnter : {true, false}) {
        const char* how = byEnter ? "enter" : "leave";
        QTest::addRow("%s: 430.125 accepted", how) << 1 << 0 << range << "430.125" << byEnter << "430.12500"
                                                   << "";
        QTest::addRow("%s: 6.25 kHz raster", how) << 1 << 0 << range << "430.00625" << byEnter << "430.00625"
                                                  << "";
        QTest::addRow("%s: 5 kHz raster", how) << 1 << 0 << range << "430.005" << byEnter << "430.00500"
                                               << "";
        QTest::addRow("%s: off raster", how)
            << 1 << 0 << range << "430.001" << byEnter << "OFF" << kOffRaster;
        QTest::addRow("%s: above range", how)
            << 1 << 0 << range << "480.000" << byEnter << "OFF" << kOutOfRange;
        QTest::addRow("%s: whole MHz compared", how) << 1 << 0 << range << "470.5" << byEnter << "470.50000"
                                                     << "";
        QTest::addRow("%s: below range", how)
            << 1 << 0 << range << "399.99375" << byEnter << "OFF" << kOutOfRange;
    }
    QTest::newRow("upper edge 470.99375") << 1 << 0 << range << "470.99375" << true << "470.99375"
                                          << "";
    QTest::newRow("one digit too many") << 1 << 0 << range << "4300" << true << "OFF" << kOutOfRange;
    QTest::newRow("no range label: silent OFF") << 1 << 0 << ""
                                                << "430.125" << true << "OFF"
                                                << "";
    QTest::newRow("malformed range label") << 1 << 0 << "abcMHz---defMHz"
                                           << "430.125" << false << "OFF"
                                           << "";
    // Models that are not 16-channel ignore the label and use the band entry.
    const QString unrelated = QStringLiteral("100MHz---110MHz");
    QTest::newRow("band 0 accepts 650") << 2 << 0 << unrelated << "650" << true << "650.00000"
                                        << "";
    QTest::newRow("band 0 accepts 300") << 2 << 0 << unrelated << "300" << true << "300.00000"
                                        << "";
    QTest::newRow("band 0 rejects 651") << 2 << 0 << unrelated << "651" << true << "OFF" << kOutOfRange;
    QTest::newRow("band 0 rejects 299.99375")
        << 2 << 0 << unrelated << "299.99375" << true << "OFF" << kOutOfRange;
    QTest::newRow("band 1 accepts 70") << 2 << 1 << unrelated << "70" << true << "070.00000"
                                       << "";
    QTest::newRow("band 1 accepts 300") << 2 << 1 << unrelated << "300" << false << "300.00000"
                                        << "";
    QTest::newRow("band 1 rejects 301") << 2 << 1 << unrelated << "301" << true << "OFF" << kOutOfRange;
    QTest::newRow("band 1 rejects 69.99375")
        << 2 << 1 << unrelated << "69.99375" << true << "OFF" << kOutOfRange;
    QTest::newRow("band 1 off raster") << 2 << 1 << unrelated << "145.0001" << true << "OFF" << kOffRaster;
}

void TestChannelEditing::frequencyValidation() {
    QFETCH(int, iData);
    QFETCH(int, band);
    QFETCH(QString, label);
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, cell);
    QFETCH(QString, message);

    for (int column : {1, 2}) {
        ChannelArea area(QStringLiteral("0"), iData == 1 ? 16 : 8);
        area.iData = iData;
        area.band = band;
        area.rangeLabel = label;
        QLineEdit* editor = column == 1 ? area.rx() : area.tx();
        area.click(2, column);
        area.typeInto(editor, typed);
        if (byEnter)
            area.enter(editor);
        else
            area.click(3, 6);

        QCOMPARE(area.cell(2, column), cell);
        if (message.isEmpty()) {
            QCOMPARE(area.prompter.shown.size(), 0);
        } else {
            QCOMPARE(area.prompter.shown.size(), 1);
            QCOMPARE(area.prompter.shown[0].icon, Prompter::Icon::Information);
            QCOMPARE(area.prompter.shown[0].title, kTitle);
            QCOMPARE(area.prompter.shown[0].text, message);
            // The rejected text is gone from the editor too.
            QVERIFY(editor->text().isEmpty());
        }
        if (byEnter || !message.isEmpty())
            QVERIFY(editor->isHidden());
        const bool accepted = cell != QLatin1String("OFF");
        // Only an accepted receive frequency reaches the transmit column.
        if (column == 1)
            QCOMPARE(area.cell(2, 2), accepted ? cell : QString());
        else
            QCOMPARE(area.cell(2, 1), QString());
    }
}

void TestChannelEditing::acceptedReceiveFrequencyFillsTheRow_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("rowAfter");
    QTest::newRow("layout 0") << "0" << QStringList{"430.12500", "430.12500", "OFF", "OFF", "否", "宽", "高"};
    QTest::newRow("layout 1") << "1" << QStringList{"430.12500", "430.12500", "OFF", "OFF", "否",
                                                    "宽",        "是",        "否",  "无",  "高"};
}

void TestChannelEditing::acceptedReceiveFrequencyFillsTheRow() {
    QFETCH(QString, layout);
    QFETCH(QStringList, rowAfter);
    ChannelArea area(layout);
    area.click(6, 1);
    area.typeInto(area.rx(), QStringLiteral("430.125"));
    QCOMPARE(area.cell(6, 2), QString());
    area.enter(area.rx());
    QCOMPARE(area.row(6), rowAfter);
    // Other rows are untouched.
    QCOMPARE(area.row(5), QStringList(rowAfter.size(), QString()));
    QCOMPARE(area.row(7), QStringList(rowAfter.size(), QString()));
}

void TestChannelEditing::defaultsOnlyFillEmptyCells() {
    ChannelArea area(QStringLiteral("1"));
    area.model.setCell(1, 4, QStringLiteral("D023N"));
    area.model.setCell(1, 6, QStringLiteral("窄"));
    area.model.setCell(1, 9, QStringLiteral("OFF"));
    area.click(1, 1);
    area.typeInto(area.rx(), QStringLiteral("440"));
    area.click(1, 0);
    QCOMPARE(area.row(1),
             (QStringList{"440.00000", "440.00000", "OFF", "D023N", "否", "窄", "是", "否", "OFF", "高"}));
}

void TestChannelEditing::passingThroughReceiveOverwritesTransmit() {
    ChannelArea area;
    area.click(1, 1);
    area.typeInto(area.rx(), QStringLiteral("430.125"));
    area.enter(area.rx());
    area.click(1, 2);
    area.typeInto(area.tx(), QStringLiteral("435"));
    area.enter(area.tx());
    QCOMPARE(area.cell(1, 2), QStringLiteral("435.00000"));
    // Clicking the receive cell and then elsewhere validates it again, and it takes the transmit column.
    area.click(1, 1);
    QCOMPARE(area.cell(1, 2), QStringLiteral("435.00000"));
    area.click(1, 5);
    QCOMPARE(area.cell(1, 2), QStringLiteral("430.12500"));
    QVERIFY(area.prompter.shown.isEmpty());
}

void TestChannelEditing::transmitFrequencyIsValidatedAlone() {
    ChannelArea area;
    area.click(3, 2);
    area.typeInto(area.tx(), QStringLiteral("445.5"));
    area.click(3, 3);
    QCOMPARE(area.cell(3, 2), QStringLiteral("445.50000"));
    // No defaults and no receive frequency come from a transmit frequency.
    QCOMPARE(area.cell(3, 1), QString());
    QCOMPARE(area.cell(3, 4), QString());
}

void TestChannelEditing::emptiedCellBecomesOff_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("before");
    QTest::newRow("receive frequency") << "0" << 1 << "430.12500";
    QTest::newRow("transmit frequency") << "0" << 2 << "430.12500";
    QTest::newRow("receive signalling") << "0" << 3 << "67.0";
    QTest::newRow("bandwidth") << "0" << 6 << "窄";
    QTest::newRow("power, layout 0") << "0" << 7 << "中";
    QTest::newRow("scrambler") << "1" << 9 << "3";
    QTest::newRow("power, layout 1") << "1" << 10 << "低";
}

void TestChannelEditing::emptiedCellBecomesOff() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    QFETCH(QString, before);
    ChannelArea area(layout);
    area.model.setCell(2, column, before);
    area.click(2, column);
    QWidget* editor = area.visibleEditors().size() == 1
                          ? area.frame->findChild<QWidget*>(area.visibleEditors().first())
                          : nullptr;
    QVERIFY(editor);
    area.typeInto(editor, QString());
    QCOMPARE(area.cell(2, column), QString());
    area.click(4, 0);
    QCOMPARE(area.cell(2, column), QStringLiteral("OFF"));
    QVERIFY(area.prompter.shown.isEmpty());
    QVERIFY(!area.editing->anyEditorVisible());
}

void TestChannelEditing::comboEnterChecksTheTextExactly_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("listed");
    QTest::newRow("D023N") << "0" << 3 << "D023N" << true;
    QTest::newRow("d023n is not listed") << "0" << 3 << "d023n" << false;
    QTest::newRow("D023n is not listed") << "0" << 4 << "D023n" << false;
    QTest::newRow("tone without decimal") << "0" << 4 << "67" << false;
    QTest::newRow("tone") << "0" << 4 << "254.1" << true;
    QTest::newRow("empty counts as listed") << "0" << 3 << "" << true;
    QTest::newRow("bandwidth item") << "0" << 6 << "窄" << true;
    QTest::newRow("bandwidth, unlisted") << "0" << 6 << "中" << false;
    QTest::newRow("power item, layout 0 column 7") << "0" << 7 << "中" << true;
    QTest::newRow("scan add has no power items") << "1" << 7 << "中" << false;
    QTest::newRow("scrambler 8") << "1" << 9 << "8" << true;
    QTest::newRow("scrambler 9") << "1" << 9 << "9" << false;
}

void TestChannelEditing::comboEnterChecksTheTextExactly() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, listed);
    ChannelArea area(layout);
    area.click(5, column);
    QComboBox* combo = column <= 4 ? area.signalling() : area.list();
    QVERIFY(combo->isVisible());
    area.typeInto(combo, typed);
    QCOMPARE(area.cell(5, column), typed);
    area.enter(combo);
    // A listed text is confirmed and the cell left for the next row, where an empty cell reads "OFF".
    QCOMPARE(area.cell(5, column), listed && typed.isEmpty() ? CellToken::Off : typed);
    if (listed) {
        QVERIFY(area.prompter.shown.isEmpty());
        QVERIFY(combo->isHidden());
    } else {
        QCOMPARE(area.prompter.shown.size(), 1);
        QCOMPARE(area.prompter.shown[0].icon, Prompter::Icon::Information);
        QCOMPARE(area.prompter.shown[0].title, kTitle);
        QCOMPARE(area.prompter.shown[0].text, kUnknown);
        QVERIFY(combo->isVisible());
        QCOMPARE(combo->currentText(), typed);
    }
}

void TestChannelEditing::leavingRestoresUnlistedComboText() {
    ChannelArea area;
    area.document.setCell(2, 3, QStringLiteral("D023N"));
    area.document.setCell(2, 5, QStringLiteral("是"));
    area.click(2, 3);
    area.typeInto(area.signalling(), QStringLiteral("d023n"));
    area.click(2, 5);
    // A text that is not an item never survives leaving the cell: the value before the edit is back.
    QCOMPARE(area.cell(2, 3), QStringLiteral("D023N"));
    area.typeInto(area.list(), QStringLiteral("也许"));
    area.click(2, 1);
    QCOMPARE(area.cell(2, 5), QStringLiteral("是"));
    QVERIFY(area.prompter.shown.isEmpty());
}

void TestChannelEditing::listItemsFollowTheColumn_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("items");
    const QStringList yesNo{"是", "否"};
    const QStringList power{"高", "中", "低"};
    QTest::newRow("busy lock") << "0" << 5 << yesNo;
    QTest::newRow("bandwidth") << "1" << 6 << QStringList{"宽", "窄"};
    QTest::newRow("column 7, layout 0") << "0" << 7 << power;
    QTest::newRow("column 7, layout 1") << "1" << 7 << yesNo;
    QTest::newRow("compander") << "1" << 8 << yesNo;
    QTest::newRow("scrambler") << "1" << 9 << QStringList{"无", "1", "2", "3", "4", "5", "6", "7", "8"};
    QTest::newRow("power, layout 1") << "1" << 10 << power;
}

void TestChannelEditing::listItemsFollowTheColumn() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    QFETCH(QStringList, items);
    ChannelArea area(layout);
    // Open another list first: the list is refilled, not added to.
    area.click(1, column == 5 ? 6 : 5);
    area.click(1, column);
    QStringList shown;
    for (int i = 0; i < area.list()->count(); ++i)
        shown << area.list()->itemText(i);
    QCOMPARE(shown, items);
}

void TestChannelEditing::openingSearchesIgnoringCase_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("selected");
    QTest::newRow("lower-case code") << 3 << "d023i"
                                     << "D023I";
    QTest::newRow("tone prefix") << 3 << "67"
                                 << "67.0";
    QTest::newRow("code prefix") << 3 << "D7"
                                 << "D703N";
    QTest::newRow("OFF") << 3 << "OFF"
                         << "OFF";
    QTest::newRow("list item") << 6 << "窄"
                               << "窄";
    QTest::newRow("scrambler digit") << 9 << "3"
                                     << "3";
}

void TestChannelEditing::openingSearchesIgnoringCase() {
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(QString, selected);
    ChannelArea area(QStringLiteral("1"));
    area.model.setCell(2, column, cell);
    area.click(2, column);
    QComboBox* combo = column <= 4 ? area.signalling() : area.list();
    QCOMPARE(combo->currentText(), selected);
    // The editor was closed, so choosing the item did not reach the cell.
    QCOMPARE(area.cell(2, column), cell);
}

void TestChannelEditing::transmitSignallingIsNormalised_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<QString>("selected");
    QTest::newRow("67.0") << "67.0"
                          << "67"
                          << "67.0";
    QTest::newRow("100.0") << "100.0"
                           << "100"
                           << "100.0";
    QTest::newRow("leading zero") << "067.0"
                                  << "67"
                                  << "67.0";
    QTest::newRow("254.1 stays") << "254.1"
                                 << "254.1"
                                 << "254.1";
    QTest::newRow("code stays") << "D023N"
                                << "D023N"
                                << "D023N";
    QTest::newRow("OFF stays") << "OFF"
                               << "OFF"
                               << "OFF";
}

void TestChannelEditing::transmitSignallingIsNormalised() {
    QFETCH(QString, cell);
    QFETCH(QString, normalised);
    QFETCH(QString, selected);
    ChannelArea area;
    area.model.setCell(3, 3, cell);
    area.model.setCell(3, 4, cell);
    area.click(3, 4);
    QCOMPARE(area.cell(3, 4), normalised);
    QCOMPARE(area.signalling()->currentText(), selected);
    QVERIFY(area.signalling()->isVisible());
    // The receive column is never normalised.
    area.click(2, 0);
    area.click(3, 3);
    QCOMPARE(area.cell(3, 3), cell);
}

void TestChannelEditing::openComboMovedToAnotherCellWritesTheFoundItem() {
    ChannelArea area(QStringLiteral("1"));
    area.model.setCell(2, 4, QStringLiteral("67.0"));
    area.model.setCell(2, 6, QStringLiteral("窄"));
    area.model.setCell(2, 9, QStringLiteral("OFF"));
    area.click(1, 3);
    area.click(2, 4);
    // Already open: the normalised "67" becomes the found item at once.
    QCOMPARE(area.cell(2, 4), QStringLiteral("67.0"));
    QCOMPARE(area.model.cellMark(2, 4), int(ChannelTableModel::ListMark));
    // The empty cell that was left became "OFF"; the open editor found it again on the way.
    QCOMPARE(area.cell(1, 3), QStringLiteral("OFF"));

    area.click(1, 5);
    area.click(2, 6);
    QCOMPARE(area.cell(2, 6), QStringLiteral("窄"));
    // No item matches "OFF" in the scrambler list: the editor selects nothing and the cell keeps its text.
    area.click(2, 9);
    QCOMPARE(area.list()->currentIndex(), -1);
    QCOMPARE(area.cell(2, 9), QStringLiteral("OFF"));
}

void TestChannelEditing::listEditorKeepsARawByte_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("action"); // "leave", "enter", "reopen" or an item to pick
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("byte");
    QTest::newRow("power, layout 0, left") << "0" << 7 << "3C"
                                           << "leave"
                                           << "3C" << 0x3C;
    QTest::newRow("power, layout 1, Enter") << "1" << 10 << "AA"
                                            << "enter"
                                            << "AA" << 0xAA;
    QTest::newRow("scrambler, left") << "1" << 9 << "09"
                                     << "leave"
                                     << "09" << 0x09;
    QTest::newRow("scrambler, Enter") << "1" << 9 << "5A"
                                      << "enter"
                                      << "5A" << 0x5A;
    QTest::newRow("scrambler, open editor moved back") << "1" << 9 << "FE"
                                                       << "reopen"
                                                       << "FE" << 0xFE;
    QTest::newRow("power, a listed pick") << "0" << 7 << "3C"
                                          << "中"
                                          << "中" << 0x55;
    QTest::newRow("scrambler, a listed pick") << "1" << 9 << "12"
                                              << "3"
                                              << "3" << 0x03;
}

// Opening the list over a byte the list does not name shows it as the current, extra item; going away
// without a pick keeps the byte, and a pick is written as the listed value.
void TestChannelEditing::listEditorKeepsARawByte() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    QFETCH(QString, raw);
    QFETCH(QString, action);
    ChannelArea area(layout);
    const auto& columns = area.model.table().columns();
    area.model.setCell(2, 1, QStringLiteral("430.12500"));
    for (int c = 2; c < columns.size(); ++c)
        area.model.setCell(2, c, columns[c].defaultValue);
    area.model.setCell(2, column, raw);

    area.click(2, column);
    QComboBox* list = area.list();
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), columns[column].items.size() + 1);
    QCOMPARE(list->itemText(list->count() - 1), raw);
    QCOMPARE(list->currentText(), raw);
    if (action == QLatin1String("enter")) {
        area.enter(list);
        QVERIFY(list->isHidden());
    } else if (action == QLatin1String("reopen")) {
        area.click(3, column);
        area.click(2, column);
        QCOMPARE(list->currentText(), raw);
    } else if (action != QLatin1String("leave")) {
        area.pick(list, action);
    }
    area.click(4, 0);
    QTEST(area.cell(2, column), "kept");
    QVERIFY(area.prompter.shown.isEmpty());
    const int offset = columns[column].storage.offset - kBlockSize;
    QTEST(int(ChannelCodec::encode(area.model.table(), 2).second[offset]), "byte");

    // The extra item belongs to that cell only.
    area.click(5, column);
    QCOMPARE(list->count(), columns[column].items.size());
}

void TestChannelEditing::pickingAnItemWritesTheCell() {
    ChannelArea area;
    area.model.setCell(1, 4, QStringLiteral("67.0"));
    area.click(1, 4);
    QCOMPARE(area.cell(1, 4), QStringLiteral("67"));
    // Picking the item that is already selected still writes it.
    area.pick(area.signalling(), QStringLiteral("67.0"));
    QCOMPARE(area.cell(1, 4), QStringLiteral("67.0"));
    area.pick(area.signalling(), QStringLiteral("D754I"));
    QCOMPARE(area.cell(1, 4), QStringLiteral("D754I"));
    area.signalling()->setCurrentIndex(area.signalling()->findText(QStringLiteral("67.0")));
    QCOMPARE(area.cell(1, 4), QStringLiteral("67.0"));

    area.click(1, 7);
    area.pick(area.list(), QStringLiteral("低"));
    QCOMPARE(area.cell(1, 7), QStringLiteral("低"));
    QVERIFY(area.list()->isVisible());
    // A hidden editor writes nothing.
    area.editing->hideEditors();
    area.list()->setCurrentIndex(1);
    area.signalling()->setCurrentIndex(0);
    QCOMPARE(area.cell(1, 7), QStringLiteral("低"));
    QCOMPARE(area.cell(1, 4), QStringLiteral("67.0"));
}

void TestChannelEditing::scrollingHidesWithoutValidating() {
    ChannelArea area(QStringLiteral("0"), 16, QSize(700, 260));
    QScrollBar* bar = area.grid->verticalScrollBar();
    QVERIFY2(bar->maximum() > 0, "the grid must be able to scroll");
    for (int column : {1, 4, 6}) {
        bar->setValue(0);
        area.click(1, column);
        // Leaving the frequency cell of the round before validates it as usual; that is not under test.
        area.prompter.clear();
        QVERIFY(area.editing->anyEditorVisible());
        QWidget* editor = area.frame->findChild<QWidget*>(area.visibleEditors().value(0));
        area.typeInto(editor, column == 1 ? QStringLiteral("480") : QStringLiteral("x"));
        bar->setValue(bar->maximum());
        QVERIFY(!area.editing->anyEditorVisible());
        // A typed frequency stays (and is marked); a text no list holds goes back to what was there.
        QCOMPARE(area.cell(1, column), column == 1 ? QStringLiteral("480.00000") : QString());
        QVERIFY(area.prompter.shown.isEmpty());
    }
}

void TestChannelEditing::hidingLeavesTheTypedText() {
    ChannelArea area;
    area.click(2, 1);
    area.typeInto(area.rx(), QStringLiteral("480"));
    area.editing->hideEditors();
    QVERIFY(!area.editing->anyEditorVisible());
    QCOMPARE(area.cell(2, 1), QStringLiteral("480.00000"));
    QCOMPARE(area.cell(2, 2), QString());
    QVERIFY(area.prompter.shown.isEmpty());
    // Typing into the hidden editor does not reach the cell.
    QTest::keyClicks(area.rx(), QStringLiteral("1"));
    QCOMPARE(area.cell(2, 1), QStringLiteral("480.00000"));
}

void TestChannelEditing::newTableHidesTheEditors() {
    ChannelArea area;
    area.click(2, 5);
    QVERIFY(area.list()->isVisible());
    area.layOut(QStringLiteral("1"), 16);
    QVERIFY(!area.editing->anyEditorVisible());
    area.list()->setCurrentIndex(1);
    QCOMPARE(area.cell(2, 5), QString());
}

void TestChannelEditing::clickIsIgnoredBeforeLayout() {
    ChannelArea area;
    // A table whose rows are not numbered yet has not been laid out.
    for (int r = 1; r <= 16; ++r)
        area.model.setCell(r, 0, QString());
    area.click(1, 1);
    area.click(2, 5);
    QVERIFY(!area.editing->anyEditorVisible());
}

void TestChannelEditing::clickRaisingAMessageOpensTheClickedEditor_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<bool>("released"); // whether the grid sees the release after the message
    for (bool released : {false, true}) {
        const char* how = released ? "released on the cell" : "release taken by the message";
        QTest::addRow("receive frequency, %s", how) << 1 << "txtTxFreq" << released;
        QTest::addRow("transmit frequency, %s", how) << 2 << "txtRecFreq" << released;
        QTest::addRow("signalling, %s", how) << 3 << "cmbZOBR_2" << released;
        QTest::addRow("list, %s", how) << 5 << "cmbZOBR_1" << released;
    }
}

// 480 typed in row 3 is out of range; a press on row 4 raises the message during the press, and once it
// is closed the clicked cell's editor is open and has the keyboard.
void TestChannelEditing::clickRaisingAMessageOpensTheClickedEditor() {
    QFETCH(int, column);
    QFETCH(QString, editor);
    QFETCH(bool, released);
    ChannelArea area;
    area.model.setCell(4, 3, QStringLiteral("D023N"));
    area.click(3, 1);
    area.typeInto(area.rx(), QStringLiteral("480"));
    QStringList openWhileShown;
    area.prompter.whileShown = [&](const ScriptedPrompter::Shown&) {
        openWhileShown = area.visibleEditors();
    };
    const QPoint at = area.grid->visualRect(area.model.indexOf(4, column)).center();
    QTest::mousePress(area.grid->viewport(), Qt::LeftButton, {}, at);
    if (released)
        QTest::mouseRelease(area.grid->viewport(), Qt::LeftButton, {}, at);
    else
        QTest::mouseRelease(&area.window, Qt::LeftButton, {}, QPoint(1, 1));

    QCOMPARE(area.prompter.texts(), QStringList{kOutOfRange});
    QCOMPARE(openWhileShown, QStringList{QStringLiteral("txtTxFreq")});
    QCOMPARE(area.cell(3, 1), QStringLiteral("OFF"));
    QCOMPARE(area.visibleEditors(), QStringList{editor});
    QWidget* open = area.frame->findChild<QWidget*>(editor);
    QVERIFY(open->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == open);
    // The editor opened once: the cell it covers is as it was.
    QCOMPARE(area.cell(4, 3), QStringLiteral("D023N"));
    QCOMPARE(area.model.cellMark(4, column), 0);
    // What is typed now reaches the clicked cell.
    if (column <= 2) {
        QTest::keyClicks(open, QStringLiteral("43"));
        QCOMPARE(area.cell(4, column), QStringLiteral("043.00000"));
    }
}

void TestChannelEditing::comboEditorTakesFocusAndShowsWholeItems_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("column");
    QTest::newRow("signalling, layout 1") << "1" << 3;
    QTest::newRow("transmit signalling, layout 0") << "0" << 4;
    QTest::newRow("scrambler, layout 1") << "1" << 9;
    QTest::newRow("power, layout 0") << "0" << 7;
}

// However narrow the cell, the drop-down list shows its longest item whole, and typing needs no click.
void TestChannelEditing::comboEditorTakesFocusAndShowsWholeItems() {
    QFETCH(QString, layout);
    QFETCH(int, column);
    ChannelArea area(layout);
    area.grid->setColumnWidth(column, 36); // narrower than the drop-down's items
    area.click(2, column);
    QComboBox* combo = column <= 4 ? area.signalling() : area.list();
    QVERIFY(combo->isVisible());
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus == combo || combo->isAncestorOf(focus), focus ? focus->metaObject()->className() : "none");

    // A code typed at once replaces what the editor showed and reaches the cell.
    const QString code = column <= 4 ? QStringLiteral("D023N") : combo->itemText(1);
    for (QChar ch : code)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                            Qt::NoModifier);
    QCOMPARE(area.cell(2, column), code);

    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QFontMetrics metrics(view->font());
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
    QVERIFY2(
        widest + margins <= view->viewport()->width(),
        qPrintable(QStringLiteral("%1 + %2 > %3").arg(widest).arg(margins).arg(view->viewport()->width())));
    combo->hidePopup();
}

QTEST_MAIN(TestChannelEditing)
#include "tst_channel_editing.moc"
