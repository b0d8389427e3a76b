// Productive editing in the real window: undo and redo, whole channels, the clipboard, bulk changes and
// entry with the keyboard alone.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include "image/channel_paste.h"
#include "image/channel_rows.h"
#include "main_window_fixture.h"
#include "private_settings.h"
#include "texts/ui_texts.h"
#include "ui/bulk_edit_dialog.h"
#include "ui/channel_editing.h"
#include "ui/document_history.h"

class TestMainEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void copyPasteBetweenChannels();
    void pasteFromSpreadsheet_data();
    void pasteFromSpreadsheet();
    void refusedPasteChangesNothing_data();
    void refusedPasteChangesNothing();
    void pastePastTheEndAsks_data();
    void pastePastTheEndAsks();
    void rowOperations_data();
    void rowOperations();
    void insertAsksBeforeLastChannelFallsOff();
    void undoRedoEachKindOfChange_data();
    void undoRedoEachKindOfChange();
    void refusedEditIsOneStep_data();
    void refusedEditIsOneStep();
    void modifiedMarkFollowsCleanState();
    void openingClearsHistory();
    void keyboardEntryOfThreeChannels();
    void pickAppliesToSelectedChannels();
    void bulkEditDialog_data();
    void bulkEditDialog();
    void recentFilesReopen();
};

namespace {

struct EditingWindow : ShownWindow {
    using ShownWindow::ShownWindow;
    QTableView* grid() const { return f.grid(); }
    void clickCell(int channel, int column, Qt::KeyboardModifiers mods = {}) const {
        const QModelIndex index = grid()->model()->index(channel - 1, column);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, mods, grid()->visualRect(index).center());
    }
    // A used channel: receive and transmit frequency and the defaults, as the editors leave it.
    void fill(int channel, const QString& rx) const {
        QStringList cells = ChannelRows::cells(doc().table(), channel);
        ChannelTable t = doc().table();
        cells[0] = rx;
        cells[1] = QString();
        ChannelPaste::completeChannel(t, &cells);
        ChannelRows::setCells(&t, channel, cells);
        doc().changeTable(t);
        w->history().closeStep();
    }
    QString rx(int channel) const { return doc().cell(channel, 1); }
    QStringList rxColumn(int channels) const {
        QStringList l;
        for (int c = 1; c <= channels; ++c)
            l << (ChannelRows::isUnused(doc().table(), c) ? QStringLiteral("-") : rx(c).left(3));
        return l;
    }
};

// Keys as the user types them: each goes to whatever has the keyboard at that moment.
void type(MainWindow* w, const QString& text) {
    for (QChar c : text)
        QTest::keyClick(w->focusWidget(), c.toLatin1());
}

void setClipboard(const QString& text) {
    QApplication::clipboard()->setText(text);
}

} // namespace

void TestMainEditing::copyPasteBetweenChannels() {
    EditingWindow s;
    s.fill(1, QStringLiteral("438.50000"));
    s.doc().setCell(1, 4, QStringLiteral("D023N"));
    s.w->history().closeStep();
    const QStringList original = ChannelRows::cells(s.doc().table(), 1);

    s.clickCell(1, 0);
    s.run("mnuCopy");
    QVERIFY(QApplication::clipboard()->text().startsWith(s.doc().cell(0, 0) + QLatin1Char('\t')));
    s.clickCell(5, 0);
    s.run("mnuPaste");
    QCOMPARE(ChannelRows::cells(s.doc().table(), 5), original);
    QCOMPARE(s.w->channelEditing()->selectedChannels(), QList<int>{5});

    s.run("mnuUndo");
    QVERIFY(ChannelRows::isUnused(s.doc().table(), 5));
    s.run("mnuRedo");
    QCOMPARE(ChannelRows::cells(s.doc().table(), 5), original);
}

void TestMainEditing::pasteFromSpreadsheet_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("channel3");
    QTest::addColumn<QString>("channel4Rx");
    // Layout 1: number, rx, tx, rx code, tx code, busy lock, bandwidth, scan add, compander, scrambler,
    // power.
    const QStringList full{"438.50000", "430.00000", "D023N", "67.0", "是", "窄", "否", "是", "3", "低"};
    QTest::newRow("our TSV with header")
        << QStringLiteral("信道\t接收频率\t发射频率\t接收信令\t发射信令\t繁忙锁定\t宽/"
                          "窄\t扫描添加\t压扩\t扰频码\t发射功率\n"
                          "1\t438.50000\t430.00000\tD023N\t67.0\t是\t窄\t否\t是\t3\t低\n"
                          "2\t439\t\t\t\t\t\t\t\t\t\n")
        << full << QStringLiteral("439.00000");
    QTest::newRow("spreadsheet without numbers, CRLF")
        << QStringLiteral("438.5\t430\td023n\t67.0\t是\t窄\t否\t是\t3\t低\r\n439.000\t\t\t\t\t\t\t\t\t\r\n")
        << full << QStringLiteral("439.00000");
    QTest::newRow("CSV with quotes") << QStringLiteral(
                                            "7,\"438.5\",430,D023N,67.0,是,窄,否,是,3,低\n8,439,,,,,,,,,\n")
                                     << full << QStringLiteral("439.00000");
    QTest::newRow("header in another order, missing columns default")
        << QStringLiteral("发射功率\t接收频率\n低\t438.5\n\t439\n")
        << QStringList{"438.50000", "438.50000", "OFF", "OFF", "否", "宽", "是", "否", "无", "低"}
        << QStringLiteral("439.00000");
}

void TestMainEditing::pasteFromSpreadsheet() {
    QFETCH(QString, text);
    QFETCH(QStringList, channel3);
    QFETCH(QString, channel4Rx);
    EditingWindow s;
    setClipboard(text);
    s.clickCell(3, 2);
    s.run("mnuPaste");
    QCOMPARE(s.f.prompter.texts(), QStringList{});
    QCOMPARE(ChannelRows::cells(s.doc().table(), 3), channel3);
    QCOMPARE(s.rx(4), channel4Rx);
    QCOMPARE(s.doc().cell(4, 2), channel4Rx); // the transmit frequency follows
    QCOMPARE(s.w->history().stack().count(), 1);
}

void TestMainEditing::refusedPasteChangesNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("out of range") << QStringLiteral("438.5\n480\n")
                                  << QStringLiteral("没有粘贴：第 3 信道的“接收频率”不能是“480”。");
    QTest::newRow("off raster") << QStringLiteral("438.5\t438.503\tOFF\tOFF\t否\t宽\t是\t否\t无\t高\n")
                                << QStringLiteral("没有粘贴：第 2 信道的“发射频率”不能是“438.503”。");
    QTest::newRow("unknown code") << QStringLiteral("438.5\t438.5\tD024N\tOFF\t否\t宽\t是\t否\t无\t高\n")
                                  << QStringLiteral("没有粘贴：第 2 信道的“接收信令”不能是“D024N”。");
    QTest::newRow("unknown item") << QStringLiteral("438.5\t438.5\tOFF\tOFF\t否\t宽\t是\t否\t无\t大\n")
                                  << QStringLiteral("没有粘贴：第 2 信道的“发射功率”不能是“大”。");
    QTest::newRow("not a table")
        << QStringLiteral("a\tb\tc\n")
        << QStringLiteral(
               "没有粘贴：剪贴板中的内容不是信道表格（每行应为 11 或 10 列，以制表符或逗号分隔）。");
}

void TestMainEditing::refusedPasteChangesNothing() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    EditingWindow s;
    s.fill(2, QStringLiteral("435.00000"));
    const ChannelTable before = s.doc().table();
    const int steps = s.w->history().stack().count();
    setClipboard(text);
    // One column of values goes to the current column; rows of several to whole channels.
    s.clickCell(2, 1);
    s.run("mnuPaste");
    QCOMPARE(s.f.prompter.texts(), QStringList{message});
    QVERIFY(s.doc().table() == before);
    QCOMPARE(s.w->history().stack().count(), steps);
}

void TestMainEditing::pastePastTheEndAsks_data() {
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QStringList>("lastChannels");
    QTest::newRow("yes: what fits") << Prompter::Answer::Yes << QStringList{"431", "432"};
    QTest::newRow("no: nothing") << Prompter::Answer::No << QStringList{"-", "-"};
}

void TestMainEditing::pastePastTheEndAsks() {
    QFETCH(Prompter::Answer, answer);
    QFETCH(QStringList, lastChannels);
    EditingWindow s;
    setClipboard(QStringLiteral("431\n432\n433\n"));
    s.clickCell(15, 1);
    s.f.prompter.answers = {answer};
    s.run("mnuPaste");
    QCOMPARE(s.f.prompter.texts(),
             QStringList{QStringLiteral(
                 "粘贴的内容有 3 个信道，从第 15 信道起只能放下 2 个。是否只粘贴放得下的信道？")});
    QCOMPARE(s.rxColumn(16).mid(14), lastChannels);
}

void TestMainEditing::rowOperations_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<int>>("select");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("selectedAfter");
    // Channels 1-4 hold 431 ... 434; the rest are unused.
    QTest::newRow("insert") << "mnuInsertRow" << QList<int>{2}
                            << QStringList{"431", "-", "432", "433", "434", "-"} << QList<int>{2};
    QTest::newRow("delete two") << "mnuDeleteRow" << QList<int>{1, 3}
                                << QStringList{"432", "434", "-", "-", "-", "-"} << QList<int>{1};
    QTest::newRow("move up") << "mnuMoveUp" << QList<int>{2, 3}
                             << QStringList{"432", "433", "431", "434", "-", "-"} << QList<int>{1, 2};
    QTest::newRow("move down") << "mnuMoveDown" << QList<int>{4}
                               << QStringList{"431", "432", "433", "-", "434", "-"} << QList<int>{5};
    QTest::newRow("move up at the top")
        << "mnuMoveUp" << QList<int>{1, 2} << QStringList{"431", "432", "433", "434", "-", "-"}
        << QList<int>{1, 2};
    QTest::newRow("clear") << "mnuClearRow" << QList<int>{2, 4}
                           << QStringList{"431", "-", "433", "-", "-", "-"} << QList<int>{2, 4};
    QTest::newRow("cut") << "mnuCut" << QList<int>{3} << QStringList{"431", "432", "-", "434", "-", "-"}
                         << QList<int>{3};
}

void TestMainEditing::rowOperations() {
    QFETCH(QString, action);
    QFETCH(QList<int>, select);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, selectedAfter);
    EditingWindow s;
    for (int c = 1; c <= 4; ++c)
        s.fill(c, QStringLiteral("43%1.00000").arg(c));
    const ChannelTable before = s.doc().table();
    for (int i = 0; i < select.size(); ++i)
        s.clickCell(select[i], 0, i == 0 ? Qt::NoModifier : Qt::ControlModifier);
    QCOMPARE(s.w->channelEditing()->selectedChannels(), select);
    const int steps = s.w->history().stack().count();
    s.run(action.toLatin1().constData());
    QCOMPARE(s.rxColumn(6), expected);
    QCOMPARE(s.w->channelEditing()->selectedChannels(), selectedAfter);
    if (s.doc().table() == before) {
        QCOMPARE(s.w->history().stack().count(), steps); // nothing done, nothing to undo
        return;
    }
    s.run("mnuUndo");
    QVERIFY(s.doc().table() == before);
}

void TestMainEditing::insertAsksBeforeLastChannelFallsOff() {
    EditingWindow s;
    s.fill(16, QStringLiteral("440.00000"));
    s.clickCell(1, 0);
    s.f.prompter.answers = {Prompter::Answer::No};
    s.run("mnuInsertRow");
    QCOMPARE(s.f.prompter.texts(),
             QStringList{QStringLiteral("插入空信道后，第 16 信道的数据将被移出信道表。是否继续？")});
    QCOMPARE(s.rx(16), QStringLiteral("440.00000"));
    s.f.prompter.answers = {Prompter::Answer::Yes};
    s.run("mnuInsertRow");
    QVERIFY(ChannelRows::isUnused(s.doc().table(), 16));
}

void TestMainEditing::undoRedoEachKindOfChange_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("cell edit") << 0;
    QTest::newRow("paste") << 1;
    QTest::newRow("bulk change") << 2;
    QTest::newRow("row operation") << 3;
    QTest::newRow("settings list") << 4;
    QTest::newRow("tune values and band range") << 5;
    QTest::newRow("band") << 6;
}

void TestMainEditing::undoRedoEachKindOfChange() {
    QFETCH(int, kind);
    EditingWindow s;
    s.fill(1, QStringLiteral("431.00000"));
    s.fill(2, QStringLiteral("432.00000"));
    const DocumentState before = s.doc().state();
    const int steps = s.w->history().stack().count();
    switch (kind) {
    case 0: { // a whole cell edit: several keystrokes, the transmit frequency and defaults that follow
        s.clickCell(3, 1);
        QLineEdit* rx = s.w->channelEditing()->rxFrequencyEditor();
        QTest::keyClicks(rx, QStringLiteral("438.5"));
        QTest::keyClick(rx, Qt::Key_Return);
        QCOMPARE(s.doc().cell(3, 2), QStringLiteral("438.50000"));
        break;
    }
    case 1:
        setClipboard(QStringLiteral("439\n"));
        s.clickCell(1, 1);
        s.run("mnuPaste");
        break;
    case 2:
        s.clickCell(1, 0);
        s.clickCell(2, 0, Qt::ShiftModifier);
        s.f.otherDialog = [](QDialog* d) {
            auto* dialog = qobject_cast<BulkEditDialog*>(d);
            dialog->findChild<QComboBox*>(QStringLiteral("cboBulkColumn"))
                ->setCurrentText(QStringLiteral("发射功率"));
            dialog->findChild<QComboBox*>(QStringLiteral("cboBulkValue"))
                ->setCurrentText(QStringLiteral("低"));
            return int(QDialog::Accepted);
        };
        s.run("mnuBulkEdit");
        QCOMPARE(s.doc().cell(2, 10), QStringLiteral("低"));
        break;
    case 3:
        s.clickCell(1, 0);
        s.run("mnuDeleteRow");
        break;
    case 4:
        s.f.combo(QStringLiteral("cboFuncMoni"))->setCurrentIndex(1);
        QTest::qWait(1);
        break;
    case 5: {
        TuneValues tune = s.doc().settings().tune;
        tune.sPower = tune.sPower == 3 ? 4 : 3;
        s.doc().setTune(tune);
        s.doc().setBandRange(1, QStringLiteral("410MHz---470MHz"));
        QTest::qWait(1);
        break;
    }
    case 6:
        s.f.combo(QStringLiteral("cboPCmodel"))->setCurrentIndex(1);
        Q_EMIT s.f.combo(QStringLiteral("cboPCmodel"))->activated(1);
        QTest::qWait(1);
        break;
    }
    QVERIFY(!(s.doc().state() == before));
    const DocumentState after = s.doc().state();
    QCOMPARE(s.w->history().stack().count(), steps + 1);
    s.run("mnuUndo");
    QVERIFY(s.doc().state() == before);
    s.run("mnuRedo");
    QVERIFY(s.doc().state() == after);
}

namespace {

struct RefusedEdit {
    const char* name;
    int column;
    const char* typed;
    const char* leave; // how the edit ends: Enter, Tab, a click on channel 11, 撤销
    QString message;
    QString after;
};

const RefusedEdit kRefusedEdits[] = {
    {"out of band, Enter", 1, "480", "enter", EditingText::OutOfRange, CellToken::Off},
    {"off raster, Tab", 1, "430.001", "tab", EditingText::OffRaster, CellToken::Off},
    {"out of band, click", 1, "480", "click", EditingText::OutOfRange, CellToken::Off},
    // The release of the Enter that closed the message reaches the combo, and must not ask again.
    {"unknown code, Enter, click", 3, "67", "enter release click", EditingText::UnknownItem, CellToken::Off},
    {"lower-case code, click", 4, "d023n", "click", {}, CellToken::Off},
    {"unknown item, click", 5, "也许", "click", {}, CellToken::No},
    {"undo while typing", 1, "480", "undo", {}, QStringLiteral("431.00000")},
};

} // namespace

void TestMainEditing::refusedEditIsOneStep_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kRefusedEdits)); ++i)
        QTest::newRow(kRefusedEdits[i].name) << i;
}

// A refused value never becomes a state of the history, and the whole edit, refusal included, is one
// step back to the value before it; the keyboard stays with the grid.
void TestMainEditing::refusedEditIsOneStep() {
    QFETCH(int, row);
    const RefusedEdit& r = kRefusedEdits[row];
    const int column = r.column;
    const QString after = r.after;
    EditingWindow s;
    s.fill(10, QStringLiteral("431.00000"));
    const QString before = s.doc().cell(10, column);
    const int steps = s.w->history().stack().count();
    // A message is modal: it takes the keyboard, the event loop and the housekeeping timer run while it is
    // up, and closing it gives the keyboard back.
    s.w->findChild<QTimer*>(QStringLiteral("Timer"))->setInterval(1);
    s.f.prompter.whileShown = [&s](const ScriptedPrompter::Shown&) {
        QPointer<QWidget> had = QApplication::focusWidget();
        s.f.combo(QStringLiteral("cboFuncMoni"))->setFocus();
        QTest::qWait(20);
        if (had)
            had->setFocus();
    };
    s.clickCell(10, column);
    for (QChar c : QString::fromUtf8(r.typed)) // any character, as an input method would hand it over
        QTest::sendKeyEvent(QTest::Click, s.w->focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    for (const QString& key : QString::fromLatin1(r.leave).split(QLatin1Char(' '))) {
        if (key == QLatin1String("click"))
            s.clickCell(11, column);
        else if (key == QLatin1String("undo"))
            s.run("mnuUndo");
        else if (key == QLatin1String("release"))
            QTest::keyRelease(s.w->focusWidget(), Qt::Key_Return);
        else
            QTest::keyClick(s.w->focusWidget(), key == QLatin1String("tab") ? Qt::Key_Tab : Qt::Key_Return);
    }
    QTest::qWait(5);
    QCOMPARE(s.f.prompter.texts(), r.message.isEmpty() ? QStringList() : QStringList{r.message});
    QCOMPARE(s.doc().cell(10, column), after);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == s.grid() || s.w->channelEditing()->isCellEditor(focus));
    s.w->channelEditing()->hideEditors();
    QCOMPARE(s.w->history().stack().count(), steps + (after == before ? 0 : 1));
    if (after != before) {
        s.run("mnuUndo");
        QCOMPARE(s.doc().cell(10, column), before);
        s.run("mnuRedo");
        QCOMPARE(s.doc().cell(10, column), after);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // the model selector would take the band
    QCOMPARE(s.doc().model().band, 0);
}

void TestMainEditing::modifiedMarkFollowsCleanState() {
    EditingWindow s;
    s.fill(1, QStringLiteral("431.00000"));
    QVERIFY(s.doc().isModified());
    QVERIFY(s.doc().saveFile(s.f.path(QStringLiteral("a.qfd"))).isError() == false);
    QVERIFY(!s.doc().isModified());
    s.fill(2, QStringLiteral("432.00000"));
    QVERIFY(s.doc().isModified());
    QVERIFY(s.w->windowTitle().contains(QLatin1Char('*')));
    s.run("mnuUndo");
    QVERIFY(!s.doc().isModified());
    QVERIFY(!s.w->windowTitle().contains(QLatin1Char('*')));
    s.run("mnuUndo"); // before the save: modified again
    QVERIFY(s.doc().isModified());
    s.run("mnuRedo");
    QVERIFY(!s.doc().isModified());
}

void TestMainEditing::openingClearsHistory() {
    EditingWindow s;
    s.fill(1, QStringLiteral("431.00000"));
    const QString path = s.f.path(QStringLiteral("b.qfd"));
    QVERIFY(!s.doc().saveFile(path).isError());
    s.fill(2, QStringLiteral("432.00000"));
    QVERIFY(s.w->findChild<QAction*>(QStringLiteral("mnuUndo"))->isEnabled());
    s.f.prompter.answers = {Prompter::Answer::Discard};
    s.w->openPath(path);
    QCOMPARE(s.w->history().stack().count(), 0);
    QVERIFY(!s.w->findChild<QAction*>(QStringLiteral("mnuUndo"))->isEnabled());
    QVERIFY(!s.doc().isModified());
}

void TestMainEditing::keyboardEntryOfThreeChannels() {
    EditingWindow s;
    s.clickCell(1, 1);
    s.w->channelEditing()->hideEditors();
    s.grid()->setFocus();
    // Type on the selected cell, Enter to confirm and go down; Tab confirms and goes right.
    for (const char* f : {"438.5", "439", "440.0125"}) {
        type(s.w, QLatin1String(f));
        QTest::keyClick(s.w->focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(s.rxColumn(4), (QStringList{"438", "439", "440", "-"}));
    QCOMPARE(s.doc().cell(3, 1), QStringLiteral("440.01250"));
    QCOMPARE(s.doc().cell(2, 2), QStringLiteral("439.00000"));
    QCOMPARE(s.doc().cell(1, 10), QStringLiteral("高")); // defaults filled
    QCOMPARE(s.grid()->currentIndex().row(), 3);
    // Channel 4: receive frequency, Tab to the transmit column, then a code typed into the signalling list.
    type(s.w, QStringLiteral("441"));
    QTest::keyClick(s.w->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(s.w->focusWidget(), Qt::Key_Right);
    type(s.w, QStringLiteral("D023N"));
    QTest::keyClick(s.w->focusWidget(), Qt::Key_Return);
    QCOMPARE(s.doc().cell(4, 3), QStringLiteral("D023N"));
    QCOMPARE(s.doc().cell(4, 2), QStringLiteral("441.00000"));
    // Each channel's entry is one step.
    QCOMPARE(s.w->history().stack().count(), 5);
}

void TestMainEditing::pickAppliesToSelectedChannels() {
    EditingWindow s;
    for (int c = 1; c <= 3; ++c)
        s.fill(c, QStringLiteral("43%1.00000").arg(c));
    // Channels 1-4 of the power column, the editor on channel 1: channel 4 is unused and stays so.
    s.clickCell(4, 10);
    s.clickCell(1, 10, Qt::ShiftModifier);
    QComboBox* list = s.w->channelEditing()->listEditor();
    QVERIFY(list->isVisible());
    QCOMPARE(s.w->channelEditing()->selectedChannels(), (QList<int>{1, 2, 3, 4}));
    const int low = list->findText(QStringLiteral("低"));
    list->setCurrentIndex(low);
    Q_EMIT list->activated(low);
    for (int c = 1; c <= 3; ++c)
        QCOMPARE(s.doc().cell(c, 10), QStringLiteral("低"));
    QVERIFY(ChannelRows::isUnused(s.doc().table(), 4));
    QVERIFY(s.doc().cell(4, 10) != QStringLiteral("低"));
    s.w->channelEditing()->hideEditors();
    s.run("mnuUndo");
    for (int c = 1; c <= 3; ++c)
        QCOMPARE(s.doc().cell(c, 10), QStringLiteral("高"));
}

void TestMainEditing::bulkEditDialog_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected"); // the column in channels 1-3
    QTest::addColumn<QString>("message");
    QTest::newRow("transmit offset") << "发射频率"
                                     << "-5" << QStringList{"426.00000", "427.00000", "OFF"} << "";
    QTest::newRow("receive offset") << "接收频率"
                                    << "0.0125" << QStringList{"431.01250", "432.01250", "433.01250"} << "";
    QTest::newRow("offset out of range") << "接收频率"
                                         << "39" << QStringList{"431.00000", "432.00000", "433.00000"}
                                         << "没有修改：第 2 信道的“接收频率”不能是“471.00000”。";
    QTest::newRow("not a number") << "接收频率"
                                  << "abc" << QStringList{"431.00000", "432.00000", "433.00000"}
                                  << "请输入频率偏移，例如 5 或 -0.6。";
    QTest::newRow("signalling") << "接收信令"
                                << "D754N" << QStringList{"D754N", "D754N", "D754N"} << "";
}

void TestMainEditing::bulkEditDialog() {
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    EditingWindow s;
    for (int c = 1; c <= 3; ++c)
        s.fill(c, QStringLiteral("43%1.00000").arg(c));
    s.doc().setCell(3, 2, QStringLiteral("OFF"));
    s.w->history().closeStep();
    s.clickCell(1, 0);
    s.clickCell(3, 0, Qt::ShiftModifier);
    s.f.otherDialog = [&](QDialog* d) {
        d->findChild<QComboBox*>(QStringLiteral("cboBulkColumn"))->setCurrentText(column);
        if (auto* offset = d->findChild<QLineEdit*>(QStringLiteral("txtBulkOffset")); offset->isVisibleTo(d))
            offset->setText(value);
        else
            d->findChild<QComboBox*>(QStringLiteral("cboBulkValue"))->setCurrentText(value);
        return int(QDialog::Accepted);
    };
    s.run("mnuBulkEdit");
    QCOMPARE(s.f.prompter.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    const int c = column == QStringLiteral("接收信令") ? 3 : column == QStringLiteral("发射频率") ? 2 : 1;
    QStringList got;
    for (int r = 1; r <= 3; ++r)
        got << s.doc().cell(r, c);
    if (column == QStringLiteral("发射频率"))
        expected[2] = QStringLiteral("OFF"); // switched off stays off
    QCOMPARE(got, expected);
}

void TestMainEditing::recentFilesReopen() {
    EditingWindow s;
    s.fill(1, QStringLiteral("431.00000"));
    const QString path = s.f.path(QStringLiteral("recent.qfd"));
    QVERIFY(!s.doc().saveFile(path).isError());
    s.fill(1, QStringLiteral("439.00000"));
    QAction* first = s.w->findChild<QAction*>(QStringLiteral("mnuRecent_0"));
    QVERIFY(first);
    QCOMPARE(first->data().toString(), QFileInfo(path).absoluteFilePath());
    s.f.prompter.answers = {Prompter::Answer::Discard};
    first->trigger();
    QCOMPARE(s.rx(1), QStringLiteral("431.00000"));
    // A file that has gone is said and dropped from the list.
    QVERIFY(QFile::remove(path));
    s.w->findChild<QAction*>(QStringLiteral("mnuRecent_0"))->trigger();
    QVERIFY(s.f.prompter.texts().last().startsWith(QStringLiteral("文件不存在")));
    QVERIFY(!s.w->findChild<QAction*>(QStringLiteral("mnuRecent_0")) ||
            s.w->findChild<QAction*>(QStringLiteral("mnuRecent_0"))->data().toString() !=
                QFileInfo(path).absoluteFilePath());
}

QTEST_MAIN(TestMainEditing)
#include "tst_main_editing.moc"
