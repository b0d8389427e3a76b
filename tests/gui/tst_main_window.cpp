// The window as a whole: proportional resize and the grid that follows it, exit, port closing, housekeeping
// and the editors' limits.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTableView>
#include <QtTest>

#include "image/signalling.h"
#include "main_window_fixture.h"
#include "private_settings.h"
#include "ui/channel_editing.h"
#include "ui/channel_table_model.h"
#include "ui/housekeeping.h"

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void doublingDoublesControls();
    void shrinkingUsesSmallestFont();
    void repeatedResizeDoesNotAccumulate();
    void gridTextsFitTheirCells_data();
    void gridTextsFitTheirCells();
    void exitClosesPort_data();
    void exitClosesPort();
    void editorKeepsClipboardKeys();
    void toolbarCommandsLeavePortClosed_data();
    void toolbarCommandsLeavePortClosed();
    void toolbarErrorIsShownWithItsCode();
    void ownDialogActivatesAfterCommand();
    void housekeepingHidesEditorsOutsideFrame();
    void housekeepingWhileAnotherWindowIsActive_data();
    void housekeepingWhileAnotherWindowIsActive();
    void frequencyLimitsFollowModelAndBand_data();
    void frequencyLimitsFollowModelAndBand();
    void writeOptionsAreRemembered_data();
    void writeOptionsAreRemembered();
};

namespace {

using Shown = ShownWindow;

QList<QWidget*> controls(MainWindow* w) {
    QList<QWidget*> l;
    for (const char* name : {"cboPCmodel", "Label2", "gridXDSZ", "cboFuncMoni", "cboYYBP", "lblYYBP"})
        l << w->findChild<QWidget*>(QString::fromLatin1(name));
    for (QGroupBox* g : w->findChildren<QGroupBox*>())
        l << g;
    return l;
}

void clickCell(QTableView* grid, int tableRow, int column) {
    const QModelIndex index = grid->model()->index(tableRow - 1, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// The widest text a column can hold in the grid's font: a frequency, a signalling item or a list item.
QString widestText(const ChannelColumn& column, const QFontMetrics& metrics) {
    QStringList candidates = column.items;
    if (column.editor == CellEditor::Signalling)
        candidates = Signalling::selectorList(2);
    else if (column.editor == CellEditor::RxFrequency || column.editor == CellEditor::TxFrequency)
        candidates = {QStringLiteral("438.50000")};
    return *std::max_element(candidates.begin(), candidates.end(), [&](const QString& a, const QString& b) {
        return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
    });
}

// Every cell that the viewport shows whole, with the text that does not fit it; empty when all fit.
QStringList cellsNotFitting(QTableView* grid) {
    const QFontMetrics metrics(grid->font());
    // The item delegate's margin on either side of the text.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const QRect viewport = grid->viewport()->rect();
    QStringList bad;
    int rowsSeen = 0;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        if (!viewport.contains(grid->visualRect(grid->model()->index(r, 0))))
            continue;
        ++rowsSeen;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            const QModelIndex index = grid->model()->index(r, c);
            const QString text = index.data().toString();
            const QRect cell = grid->visualRect(index);
            if (!viewport.contains(cell) || metrics.horizontalAdvance(text) + margins > cell.width() ||
                metrics.height() > cell.height())
                bad << QStringLiteral("%1,%2 %3 in %4").arg(r + 1).arg(c).arg(text, QDebug::toString(cell));
        }
    }
    if (rowsSeen == 0)
        bad << QStringLiteral("no row shown whole");
    return bad;
}

} // namespace

void TestMainWindow::doublingDoublesControls() {
    Shown s;
    QList<QRect> before;
    QList<qreal> fonts;
    for (QWidget* c : controls(s.w)) {
        before << c->geometry();
        fonts << c->font().pointSizeF();
    }
    s.w->resize(s.w->size() * 2);
    const QList<QWidget*> after = controls(s.w);
    for (int i = 0; i < after.size(); ++i) {
        const QRect r = after[i]->geometry();
        QCOMPARE(r, QRect(before[i].topLeft() * 2, before[i].size() * 2));
        QCOMPARE(after[i]->font().pointSizeF(), fonts[i] * 2);
    }
    // Fonts grow by the smaller factor.
    s.w->resize(s.w->width(), s.w->height() / 2 * 3 / 2);
    QVERIFY(qAbs(after[0]->font().pointSizeF() - fonts[0] * 1.5) < 0.05);
}

void TestMainWindow::shrinkingUsesSmallestFont() {
    Shown s;
    QWidget* band = s.w->findChild<QWidget*>(QStringLiteral("cboPCmodel"));
    QCOMPARE(band->font().pointSizeF(), 9.0);
    const QSize start = s.w->size();
    // 9 points x 5/6 = 7.5 points, which becomes 7.
    s.w->resize(start.width() * 5 / 6, start.height() * 5 / 6 + 1);
    QVERIFY2(s.w->width() * 6 == start.width() * 5, "window refused the size");
    QCOMPARE(band->font().pointSizeF(), 7.0);
    // 9 x 8/9 = 8 points stays 8.
    s.w->resize(start.width() * 8 / 9 + 1, start.height() * 8 / 9 + 1);
    QVERIFY(band->font().pointSizeF() >= 8.0);
}

void TestMainWindow::repeatedResizeDoesNotAccumulate() {
    Shown s;
    const QList<QWidget*> c = controls(s.w);
    QList<QRect> before;
    for (QWidget* w : c)
        before << w->geometry();
    const QSize start = s.w->size();
    for (int k = 0; k < 7; ++k)
        s.w->resize(start.width() + 37 * (k + 1), start.height() + 23 * (k + 1));
    s.w->resize(start);
    for (int i = 0; i < c.size(); ++i)
        QCOMPARE(c[i]->geometry(), before[i]);
}

void TestMainWindow::gridTextsFitTheirCells_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QSize>("size");
    const QSize design(960, 560);
    for (int model : {0, 4}) {
        const char* layout = model == 0 ? "layout 1" : "layout 0";
        QTest::addRow("%s, design size", layout) << model << design;
        QTest::addRow("%s, 1366x768", layout) << model << QSize(1366, 768);
        QTest::addRow("%s, 1920x1080", layout) << model << QSize(1920, 1080);
    }
}

void TestMainWindow::gridTextsFitTheirCells() {
    QFETCH(int, model);
    QFETCH(QSize, size);
    Shown s(model);
    s.w->resize(size);
    QCOMPARE(s.w->size(), size);
    QTableView* grid = s.f.grid();
    const QFontMetrics metrics(grid->font());
    ChannelTableModel* cells = s.w->channelModel();
    const auto& columns = s.w->document().table().columns();
    for (int c = 1; c < columns.size(); ++c) {
        const QString text = widestText(columns[c], metrics);
        for (int r = 1; r <= s.w->document().table().channelCount(); ++r)
            cells->setCell(r, c, text);
    }
    // The font follows the window, so a larger window really tests larger text.
    if (size.width() > 960)
        QVERIFY(grid->font().pointSizeF() > 9);
    const QStringList bad = cellsNotFitting(grid);
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QStringLiteral("; "))));
    // An opened combo editor is as tall as its text too.
    clickCell(grid, 1, 3);
    QLineEdit* text = s.w->channelEditing()->signallingEditor()->lineEdit();
    QVERIFY(text->isVisible());
    QVERIFY(QFontMetrics(text->font()).height() <= text->height());
}

void TestMainWindow::exitClosesPort_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QString>("saveAs"); // the save dialog's answer, "" cancels it
    QTest::addColumn<bool>("closed");
    using A = Prompter::Answer;
    QTest::newRow("menu, nothing changed") << "menu" << false << A::Ok << "" << true;
    QTest::newRow("menu, not saved") << "menu" << true << A::Discard << "" << true;
    QTest::newRow("Ctrl+X, question cancelled") << "keys" << true << A::Cancel << "" << false;
    QTest::newRow("close box, saved") << "close" << true << A::Save << "kept.qfd" << true;
    QTest::newRow("close box, save dialog cancelled") << "close" << true << A::Save << "" << false;
    QTest::newRow("Ctrl+X, nothing changed") << "keys" << false << A::Ok << "" << true;
}

void TestMainWindow::exitClosesPort() {
    QFETCH(QString, how);
    QFETCH(bool, modified);
    QFETCH(Prompter::Answer, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closed);
    Shown s;
    int closes = 0;
    s.w->setPortCloser([&closes] { ++closes; });
    if (modified)
        s.w->channelModel()->setCell(1, 1, QStringLiteral("430.00000"));
    s.f.prompter.clear();
    s.f.prompter.answers = {answer};
    s.f.prompter.fileNames = {saveAs.isEmpty() ? QString() : s.f.path(saveAs)};
    if (how == "menu") {
        s.w->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
    } else if (how == "keys") {
        s.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.w));
        QTest::keyClick(s.w, Qt::Key_X, Qt::ControlModifier);
    } else {
        s.w->close();
    }
    QCOMPARE(!s.w->isVisible(), closed);
    QCOMPARE(closes, closed ? 1 : 0);
    if (!modified) {
        QVERIFY(s.f.prompter.shown.isEmpty());
        return;
    }
    QCOMPARE(s.f.prompter.shown[0].text, QStringLiteral("信道数据已修改，是否保存？"));
    QCOMPARE(s.f.prompter.shown[0].buttons, Prompter::Buttons::SaveDiscardCancel);
    QCOMPARE(s.f.prompter.shown[0].icon, Prompter::Icon::Warning);
    if (!saveAs.isEmpty())
        QVERIFY(QFileInfo::exists(s.f.path(saveAs)));
    // Whatever was answered, the edit is still there until the window goes.
    QCOMPARE(s.w->document().table().cell(1, 1), QStringLiteral("430.00000"));
}

// In a cell editor Ctrl+X, Ctrl+C and Ctrl+V are the editor's own; Ctrl+X does not end the program there.
void TestMainWindow::editorKeepsClipboardKeys() {
    Shown s;
    int closes = 0;
    s.w->setPortCloser([&closes] { ++closes; });
    s.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.w));
    clickCell(s.f.grid(), 2, 1);
    QLineEdit* rx = s.w->channelEditing()->rxFrequencyEditor();
    QTRY_VERIFY(rx->hasFocus());
    rx->setText(QStringLiteral("430.125"));
    rx->setSelection(3, 4); // ".125"
    QTest::keyClick(rx, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(rx->text(), QStringLiteral("430"));
    rx->setSelection(0, 3);
    QTest::keyClick(rx, Qt::Key_C, Qt::ControlModifier);
    rx->end(false);
    QTest::keyClick(rx, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(rx->text(), QStringLiteral("430430"));
    QVERIFY(s.w->isVisible());
    QCOMPARE(closes, 0);
    QVERIFY(s.f.prompter.shown.isEmpty());
}

void TestMainWindow::toolbarCommandsLeavePortClosed_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("New") << "tbNew" << 1;
    QTest::newRow("Open") << "tbOpen" << 0;
    QTest::newRow("Save") << "tbSave" << 0;
    QTest::newRow("Read") << "tbRead" << 0;
}

void TestMainWindow::toolbarCommandsLeavePortClosed() {
    QFETCH(QString, button);
    QFETCH(int, dialogs);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    bool open = false;
    w->setPortCloser([&open] { open = false; });
    w->setCommandHandler(MainWindow::Command::Read, [&open] {
        open = true; // a command that leaves the port open
        return Error::none();
    });
    open = true;
    f.modelDialogRuns = 0;
    w->findChild<QAction*>(button)->trigger();
    QVERIFY(!open);
    QCOMPARE(f.modelDialogRuns, dialogs);
}

void TestMainWindow::toolbarErrorIsShownWithItsCode() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    int closes = 0;
    w->setPortCloser([&closes] { ++closes; });
    w->setCommandHandler(MainWindow::Command::Write, [] {
        return Error{ErrorCode::PortInUse, QStringLiteral("端口已打开")};
    });
    f.prompter.clear();
    w->commands().toolbarAction(MainWindow::Command::Write)->trigger();
    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Information);
    QCOMPARE(f.prompter.shown[0].title, QStringLiteral("8005"));
    QCOMPARE(f.prompter.shown[0].text, QStringLiteral("端口已打开"));
    QCOMPARE(closes, 1);
}

void TestMainWindow::ownDialogActivatesAfterCommand() {
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    MainWindow* w = f.createWithModel(0);
    // A command that stops the timer and shows an own window (as the tune command does).
    w->setCommandHandler(MainWindow::Command::Tune, [w] {
        w->stopHousekeeping();
        w->document().setBandRange(1, QStringLiteral("410MHz---480MHz"));
        QDialog d;
        w->execDialog(&d);
        // The activation runs once the command has returned.
        return w->housekeeping().timer()->isActive() ? Error{1, QStringLiteral("too early")} : Error::none();
    });
    f.prompter.clear();
    w->commands().menuAction(MainWindow::Command::Tune)->trigger();
    QVERIFY2(f.prompter.shown.isEmpty(), qPrintable(f.prompter.texts().join(";")));
    QCOMPARE(f.otherDialogRuns, 1);
    QVERIFY(w->housekeeping().timer()->isActive());
    QCOMPARE(w->document().rangeText(), QStringLiteral("410MHz---480MHz"));
}

void TestMainWindow::housekeepingHidesEditorsOutsideFrame() {
    Shown s;
    s.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.w));
    s.w->stopHousekeeping();
    clickCell(s.f.grid(), 1, 1);
    QLineEdit* rx = s.w->channelEditing()->rxFrequencyEditor();
    QTRY_VERIFY(rx->isVisible());
    QTest::keyClicks(rx, QStringLiteral("43"));
    s.w->housekeeping().tick();
    QVERIFY(rx->isVisible()); // the focus is in the channel data frame
    s.f.combo(QStringLiteral("cboYYBP"))->setFocus();
    QTRY_VERIFY(!rx->hasFocus());
    s.w->housekeeping().tick();
    QVERIFY(!rx->isVisible());
    // Hiding writes nothing and validates nothing.
    QCOMPARE(s.w->document().table().cell(1, 1), QStringLiteral("043.00000"));
    QVERIFY(s.f.prompter.shown.isEmpty());
    // The timer does the same by itself.
    clickCell(s.f.grid(), 1, 1);
    QTRY_VERIFY(rx->isVisible());
    s.f.combo(QStringLiteral("cboYYBP"))->setFocus();
    s.w->housekeeping().start();
    QTRY_VERIFY_WITH_TIMEOUT(!rx->isVisible(), 2000);
}

void TestMainWindow::housekeepingWhileAnotherWindowIsActive_data() {
    QTest::addColumn<bool>("ownWindow");
    QTest::addColumn<bool>("editorStays");
    // Another application leaves the window's own focus in the editor.
    QTest::newRow("another application") << false << true;
    // A window of this program (the preview, a dialog) has the focus itself.
    QTest::newRow("own window") << true << false;
}

// Away and back: the editor stays unless the focus went to another window of this program, and the
// timer that the preview or print command stopped runs again.
void TestMainWindow::housekeepingWhileAnotherWindowIsActive() {
    QFETCH(bool, ownWindow);
    QFETCH(bool, editorStays);
    Shown s;
    QApplication::setActiveWindow(s.w);
    clickCell(s.f.grid(), 2, 1);
    QLineEdit* rx = s.w->channelEditing()->rxFrequencyEditor();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(rx));
    QWidget other;
    QLineEdit otherText(&other);
    if (ownWindow) {
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        otherText.setFocus();
    }
    QApplication::setActiveWindow(ownWindow ? &other : nullptr);
    s.w->stopHousekeeping();
    s.w->housekeeping().tick();
    QCOMPARE(rx->isVisible(), editorStays);
    QApplication::setActiveWindow(s.w);
    QVERIFY(s.w->housekeeping().timer()->isActive());
    s.w->housekeeping().tick();
    QCOMPARE(rx->isVisible(), editorStays);
    if (editorStays)
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(rx));
}

void TestMainWindow::frequencyLimitsFollowModelAndBand_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("请在正确的频率范围输入");
    // 16 channels: the range label (400-470, or 136-174 for the second band).
    QTest::newRow("16ch band 0 inside") << 0 << 0 << "430.125"
                                        << "430.12500"
                                        << "";
    QTest::newRow("16ch band 0 outside") << 0 << 0 << "480"
                                         << "OFF" << range;
    QTest::newRow("16ch band 1 inside") << 0 << 1 << "150"
                                        << "150.00000"
                                        << "";
    QTest::newRow("16ch band 1 outside") << 0 << 1 << "430"
                                         << "OFF" << range;
    // Other channel counts: fixed 300-650 and 70-300.
    QTest::newRow("8ch band 0 accepts 600") << 2 << 0 << "600"
                                            << "600.00000"
                                            << "";
    QTest::newRow("8ch band 0 rejects 250") << 2 << 0 << "250"
                                            << "OFF" << range;
    QTest::newRow("8ch band 1 accepts 250") << 2 << 1 << "250"
                                            << "250.00000"
                                            << "";
    QTest::newRow("8ch band 1 accepts 300") << 2 << 1 << "300"
                                            << "300.00000"
                                            << "";
}

void TestMainWindow::frequencyLimitsFollowModelAndBand() {
    QFETCH(int, model);
    QFETCH(int, band);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(QString, message);
    Shown s(model);
    s.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.w));
    s.w->stopHousekeeping();
    QComboBox* bands = s.f.combo(QStringLiteral("cboPCmodel"));
    bands->setCurrentIndex(band);
    s.w->models().bandSelectorClick(band);
    s.f.prompter.clear();
    clickCell(s.f.grid(), 1, 1);
    QLineEdit* rx = s.w->channelEditing()->rxFrequencyEditor();
    QTRY_VERIFY(rx->isVisible());
    QTest::keyClicks(rx, typed);
    QTest::keyClick(rx, Qt::Key_Return);
    QCOMPARE(s.w->document().table().cell(1, 1), cell);
    QCOMPARE(s.f.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (message.isEmpty())
        QCOMPARE(s.w->document().table().cell(1, 2), cell);
}

void TestMainWindow::writeOptionsAreRemembered_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::newRow("verify") << QStringLiteral("mnuVerifyAfterWrite") << QStringLiteral("写频后校验");
    QTest::newRow("backup") << QStringLiteral("mnuBackupBeforeWrite")
                            << QStringLiteral("写频前先备份并核对机型");
}

// The write options of the 编程 menu start off, and a window opened later shows what the user chose.
void TestMainWindow::writeOptionsAreRemembered() {
    QFETCH(QString, item);
    QFETCH(QString, text);
    QSettings settings(QStringLiteral("RadioCPS"), QStringLiteral("RadioCPS"));
    // Never the user's own settings.
    QVERIFY2(!settings.fileName().startsWith(QDir::homePath() + QStringLiteral("/.config/")),
             qPrintable(settings.fileName()));
    settings.clear();
    settings.sync();
    for (const bool on : {true, false}) {
        {
            Shown s;
            auto* program = s.w->findChild<QMenu*>(QStringLiteral("mnuProgram"));
            QAction* action = s.w->findChild<QAction*>(item);
            QVERIFY(action);
            QVERIFY(program->actions().contains(action));
            QCOMPARE(action->text(), text);
            QVERIFY(action->isCheckable());
            QCOMPARE(action->isChecked(), !on);
            action->trigger();
            QCOMPARE(action->isChecked(), on);
        }
        Shown again;
        QCOMPARE(again.w->findChild<QAction*>(item)->isChecked(), on);
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
