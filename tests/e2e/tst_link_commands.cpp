#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "../unit/link_harness.h"
#include "image/channel_file.h"
#include "image/write_image.h"
#include "link/serial_port.h"
#include "main_window_fixture.h"
#include "private_settings.h"
#include "scripted_prompter.h"
#include "sim/pty_radio.h"
#include "ui/channel_table_model.h"
#include "ui/port_dialog.h"
#include "ui/progress_window.h"
#include "ui/radio_commands.h"
#include "ui/write_preferences.h"

Q_DECLARE_METATYPE(TransferResult::Outcome)

// The read and write commands of the desktop program on its document: confirmation, port, frmWAIT with its
// captions, progress, cancel and close box, the decode at the end - against the virtual radio over a pty,
// with scripted answers to every message.
namespace {

using Answer = Prompter::Answer;

int lines(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : -1;
}

// The messages without the line that names the serial trace (failedTransferNamesItsTrace looks at it).
QStringList withoutTrace(QStringList texts) {
    for (QString& t : texts)
        t.remove(QRegularExpression(QStringLiteral("\n串口记录：.*$")));
    return texts;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The files of the backup folder, with their paths.
QStringList backupsIn(const QString& folder) {
    QStringList out;
    for (const QFileInfo& i : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
        out << i.absoluteFilePath();
    return out;
}

// Polls until the progress bar of frmWAIT reaches `value`, then runs `then` with the window.
void whenProgress(QDialog* dialog, int value, std::function<void(ProgressWindow*)> then) {
    auto* w = qobject_cast<ProgressWindow*>(dialog);
    if (!w)
        return;
    auto* poll = new QTimer(w);
    QObject::connect(poll, &QTimer::timeout, w, [w, poll, value, then] {
        if (w->pgbCount()->value() >= value) {
            poll->stop();
            then(w);
        }
    });
    poll->start(2);
}

} // namespace

class TestLinkCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void init();
    void cleanup();
    void readCompletes();
    void readDeclined();
    void readOpenFailure();
    void readCancelConfirmed();
    void readCancelDeclinedGoesOn();
    void readCloseBoxCancels();
    void cancelQuestionHoldsTransfer_data();
    void cancelQuestionHoldsTransfer();
    void readLinkGoneDuringHandshake();
    void writeCompletes();
    void writeRejectsFrequency();
    void markedFileIsKeptButNeverWritten();
    void writeAsksWhenThePortHadAnotherModel();
    void writeNotAcknowledged();
    void failedTransferNamesItsTrace_data();
    void failedTransferNamesItsTrace();
    void partialReadNamesItsBackup_data();
    void partialReadNamesItsBackup();
    void backupFailureIsOnlyANote();
    void writeVerifies_data();
    void writeVerifies();
    void progressWindowStartsAfterDelay();
    void portChoiceOverridesPortOption();

private:
    std::unique_ptr<MainWindowFixture> f_;
    MainWindow* window_ = nullptr;
    RadioCommands* commands_ = nullptr; // the window owns it
    std::unique_ptr<PtyRadio> radio_;
    std::unique_ptr<QSignalSpy> decoded_; // the document replaced by what the radio sent
    LinkTestState state_{0, 0, 16};
    std::function<void(QDialog*)> duringDialog_; // runs once a dialog is up
    int transferStarts_ = 0;
    QTemporaryDir dir_;

    ScriptedPrompter& prompter() { return f_->prompter; }
    void startRadio(const MemoryImage& image, const QString& faultText = QString(), int baud = 0) {
        radio_ = std::make_unique<PtyRadio>(RadioMachine(image, radioFault(faultText)), baud);
        QVERIFY(!radio_->open().isError());
        window_->setPortDevice(radio_->devicePath());
    }
    MemoryImage stateImage() const {
        MemoryImage image;
        buildWriteImage(state_.model, state_.table, state_.settings, &image);
        return image;
    }
};

void TestLinkCommands::init() {
    state_ = LinkTestState(0, 0, 16);
    f_ = std::make_unique<MainWindowFixture>();
    f_->writeIni(MainWindowFixture::standardIni());
    window_ = f_->createWithModel(0);
    f_->otherDialog = [this](QDialog* dialog) {
        if (duringDialog_)
            QTimer::singleShot(0, dialog, [this, dialog] { duringDialog_(dialog); });
        return dialog->exec();
    };
    // The document holds the channels of the test state, in the models the radio's codes belong to.
    RadioDocument& document = window_->document();
    document.models() = linkTestModels();
    LoadedChannelFile shown;
    shown.model = state_.model;
    shown.table = state_.table;
    shown.settings = state_.settings;
    document.applyLoaded(shown, QString());
    decoded_ = std::make_unique<QSignalSpy>(&document, &RadioDocument::tableReset);
    prompter().clear();

    commands_ = new RadioCommands(*window_);
    connect(commands_, &RadioCommands::transferStarting, this, [this] { ++transferStarts_; });
    LinkTimings t;
    t.startDelayMs = 20;
    t.noResponseMs = 500;
    t.wakeUpPacingMs = 5;
    commands_->setTimings(t);
    const QString testFolder = dir_.filePath(QString::fromLatin1(QTest::currentTestFunction()) +
                                             QLatin1Char('-') + QString::fromLatin1(QTest::currentDataTag()));
    commands_->setReceivedFilePath(testFolder + QStringLiteral("/received.qfd"));
    commands_->backups().setFolder(testFolder + QStringLiteral("/backups"));
    commands_->backups().setTraceFolder(testFolder + QStringLiteral("/traces"));
}

void TestLinkCommands::cleanup() {
    decoded_.reset();
    radio_.reset();
    f_.reset();
    duringDialog_ = nullptr;
    transferStarts_ = 0;
}

void TestLinkCommands::readCompletes() {
    startRadio(stateImage());
    // A stale received file from an earlier read is replaced.
    QDir().mkpath(QFileInfo(commands_->receivedFilePath()).absolutePath());
    QFile stale(commands_->receivedFilePath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("stale\r\n");
    stale.close();
    QStringList captions;
    duringDialog_ = [&](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("frmWAIT"));
        QObject::connect(d, &QWidget::windowTitleChanged, d, [&](const QString& c) { captions << c; });
    };
    commands_->mnuRead_Click();
    QCOMPARE(prompter().shown.size(), 1);
    QCOMPARE(prompter().shown[0].text, QStringLiteral("确定要开始读频吗?"));
    QCOMPARE(prompter().shown[0].title, QStringLiteral("读频进度显示"));
    QCOMPARE(prompter().shown[0].buttons, Prompter::Buttons::OkCancel);
    QCOMPARE(prompter().shown[0].icon, Prompter::Icon::None);
    QCOMPARE(captions, (QStringList{TransferTexts::caption(TransferCaption::Connecting),
                                    TransferTexts::caption(TransferCaption::Reading)}));
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QCOMPARE(lines(commands_->receivedFilePath()), 128);
    QCOMPARE(decoded_->size(), 1);
    QVERIFY(window_->document().table() == state_.table);
    QVERIFY(window_->document().isComplete());
    // Untitled and unmodified: what was read is kept as a backup.
    QVERIFY(!window_->document().isModified());
    QCOMPARE(window_->windowTitle(), QStringLiteral("RC-160(U) 读频 - ") + window_->applicationTitle());
    QVERIFY(!commands_->port().isOpen());
    QCOMPARE(transferStarts_, 1);
    // The read is backed up as the received file holds it, named after its model; the status bar says where.
    const QStringList backups = backupsIn(commands_->backups().folder());
    QCOMPARE(backups.size(), 1);
    QVERIFY2(
        QFileInfo(backups[0]).fileName().contains(QStringLiteral("-读频-") + state_.model.strPc + ".qfd"),
        qPrintable(backups[0]));
    QCOMPARE(bytesOf(backups[0]), bytesOf(commands_->receivedFilePath()));
    QCOMPARE(window_->statusNote(), QStringLiteral("已备份到：") + QFileInfo(backups[0]).fileName());
}

void TestLinkCommands::readDeclined() {
    startRadio(stateImage());
    prompter().answers = {Answer::Cancel};
    commands_->mnuRead_Click();
    QCOMPARE(prompter().shown.size(), 1);
    QCOMPARE(decoded_->size(), 0);
    QCOMPARE(lines(commands_->receivedFilePath()), -1);
    QCOMPARE(radio_->machine().blocksRead(), 0);
    QVERIFY(backupsIn(commands_->backups().folder()).isEmpty());
}

void TestLinkCommands::readOpenFailure() {
    window_->setPortDevice(dir_.filePath(QStringLiteral("gone")));
    commands_->mnuRead_Click();
    QCOMPARE(prompter().shown.size(), 2);
    QCOMPARE(prompter().shown[1].title, QStringLiteral("8002"));
    QCOMPARE(prompter().shown[1].icon, Prompter::Icon::Information);
    QVERIFY(prompter().shown[1].text.contains(window_->portDevice()));
    QCOMPARE(decoded_->size(), 0);
}

void TestLinkCommands::readCancelConfirmed() {
    startRadio(stateImage(), {}, 9600);
    prompter().answers = {Answer::Ok, Answer::Ok};
    duringDialog_ = [](QDialog* d) {
        whenProgress(d, 20, [](ProgressWindow* w) { QTest::mouseClick(w->cmdCancel(), Qt::LeftButton); });
    };
    commands_->mnuRead_Click();
    // The question, then the notice of a file that ended early, as when such a file is opened.
    QCOMPARE(prompter().shown.size(), 3);
    QCOMPARE(prompter().shown[1].text, QStringLiteral("确定要取消吗"));
    QCOMPARE(prompter().shown[1].title, QStringLiteral("提示"));
    QCOMPARE(prompter().shown[1].icon, Prompter::Icon::None);
    QCOMPARE(prompter().shown[2].title, QStringLiteral("62"));
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Cancelled);
    const int got = lines(commands_->receivedFilePath());
    QVERIFY2(got >= 20 && got < 128, qPrintable(QString::number(got)));
    QCOMPARE(decoded_->size(), 1); // the partial file is decoded
    QVERIFY(!window_->document().isComplete());
    // Untitled, named after what was read.
    QCOMPARE(window_->windowTitle(),
             QStringLiteral("RC-160(U) 读频（不完整） - ") + window_->applicationTitle());
    const int missing = (got - 2) / 2 + 1;
    QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("sbDocument"))->text(),
             QStringLiteral("信道数据不完整：第 %1–16 信道没有读到").arg(missing));

    // Writing it back asks first, naming the channels that never arrived; declined, nothing is sent.
    const int firstMissing = window_->document().firstMissingChannel();
    QCOMPARE(firstMissing, (got - 2) / 2 + 1);
    prompter().clear();
    prompter().answers = {Answer::Cancel};
    commands_->mnuWrite_Click();
    QCOMPARE(prompter().shown.size(), 1);
    QCOMPARE(prompter().shown[0].icon, Prompter::Icon::None);
    QCOMPARE(prompter().shown[0].buttons, Prompter::Buttons::OkCancel);
    QVERIFY2(prompter().shown[0].text.contains(QStringLiteral("第 %1–16 信道").arg(firstMissing)),
             qPrintable(prompter().shown[0].text));
    QCOMPARE(radio_->machine().blocksWritten(), 0);
    QVERIFY(!commands_->port().isOpen());
}

void TestLinkCommands::readCancelDeclinedGoesOn() {
    startRadio(stateImage(), {}, 9600);
    prompter().answers = {Answer::Ok, Answer::Cancel};
    duringDialog_ = [](QDialog* d) {
        whenProgress(d, 10, [](ProgressWindow* w) { QTest::mouseClick(w->cmdCancel(), Qt::LeftButton); });
    };
    commands_->mnuRead_Click();
    QCOMPARE(prompter().shown.size(), 2);
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QCOMPARE(lines(commands_->receivedFilePath()), 128);
}

void TestLinkCommands::readCloseBoxCancels() {
    startRadio(stateImage(), {}, 9600);
    duringDialog_ = [](QDialog* d) {
        whenProgress(d, 5, [](ProgressWindow* w) {
            // Esc does nothing; the close box is a confirmed cancel, no question asked.
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY(w->isVisible());
            w->close();
        });
    };
    commands_->mnuRead_Click();
    QCOMPARE(prompter().shown.size(), 2);
    QCOMPARE(prompter().shown[1].title, QStringLiteral("62")); // the partial read is shown
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Cancelled);
    QVERIFY(lines(commands_->receivedFilePath()) < 128);
}

void TestLinkCommands::cancelQuestionHoldsTransfer_data() {
    QTest::addColumn<bool>("write");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<TransferResult::Outcome>("outcome");
    QTest::newRow("write, cancel confirmed") << true << Answer::Ok << TransferResult::Outcome::Cancelled;
    QTest::newRow("write, goes on") << true << Answer::Cancel << TransferResult::Outcome::Completed;
    QTest::newRow("read, cancel confirmed") << false << Answer::Ok << TransferResult::Outcome::Cancelled;
    QTest::newRow("read, goes on") << false << Answer::Cancel << TransferResult::Outcome::Completed;
    // The radio gives up waiting during the question (after 100 ms here): it does not answer any more.
    QTest::newRow("read, radio left meanwhile")
        << false << Answer::Cancel << TransferResult::Outcome::NoResponse;
    QTest::newRow("write, radio left meanwhile")
        << true << Answer::Cancel << TransferResult::Outcome::NoResponse;
}

// While "确定要取消吗" is open the transfer holds: no block goes out, and the no-response time (500 ms here)
// does not run out behind the question, however long the user takes.
void TestLinkCommands::cancelQuestionHoldsTransfer() {
    QFETCH(bool, write);
    QFETCH(Answer, answer);
    QFETCH(TransferResult::Outcome, outcome);
    startRadio(write ? MemoryImage::blank(1) : stateImage(), {}, 9600);
    const bool radioLeaves = outcome == TransferResult::Outcome::NoResponse;
    if (radioLeaves)
        radio_->setIdleTimeout(100);
    const auto blocks = [this, write] {
        return write ? radio_->machine().blocksWritten() : radio_->machine().blocksRead();
    };
    int atQuestion = -1;
    int afterWait = -1;
    prompter().whileShown = [&](const ScriptedPrompter::Shown& shown) {
        if (shown.text != QStringLiteral("确定要取消吗"))
            return;
        QTest::qWait(60); // the block already on the line may still land
        atQuestion = blocks();
        QTest::qWait(900);
        afterWait = blocks();
    };
    prompter().answers = {Answer::Ok, answer};
    duringDialog_ = [](QDialog* d) {
        whenProgress(d, 10, [](ProgressWindow* w) { QTest::mouseClick(w->cmdCancel(), Qt::LeftButton); });
    };
    if (write)
        commands_->mnuWrite_Click();
    else
        commands_->mnuRead_Click();
    QVERIFY(atQuestion >= 5);
    QCOMPARE(afterWait, atQuestion);
    QCOMPARE(commands_->lastResult().outcome, outcome);
    if (outcome == TransferResult::Outcome::Completed)
        QTRY_COMPARE(blocks(), 128);
    else
        QCOMPARE(blocks(), atQuestion);
    // A write that stopped half way says what the radio now holds; a radio that left during the question
    // is said to have, instead of blaming the cable.
    QCOMPARE(prompter().texts().constLast().startsWith(QStringLiteral("写频没有完成：对讲机中第 1–")),
             write && outcome != TransferResult::Outcome::Completed);
    const QStringList texts = withoutTrace(prompter().texts());
    QCOMPARE(texts.contains(wording({TransferMessage::Kind::LeftDuringHold, {}})), radioLeaves);
    QVERIFY(!texts.contains(wording(TransferMessage::noResponse())));
}

void TestLinkCommands::readLinkGoneDuringHandshake() {
    startRadio(stateImage(), QStringLiteral("silent"));
    duringDialog_ = [this](QDialog*) { QTimer::singleShot(80, [this] { radio_.reset(); }); };
    commands_->mnuRead_Click();
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::LinkLost);
    QCOMPARE(prompter().shown.size(), 2);
    QVERIFY(prompter().shown[1].text.startsWith(QStringLiteral("读频错误，请重新读频！错误信息：")));
    QVERIFY(prompter().shown[1].text.contains(window_->portDevice()));
    QCOMPARE(prompter().shown[1].icon, Prompter::Icon::Critical);
    QCOMPARE(decoded_->size(), 0); // nothing to decode before the read-mode byte
    QVERIFY(!commands_->port().isOpen());
    QVERIFY(backupsIn(commands_->backups().folder()).isEmpty());
}

void TestLinkCommands::writeCompletes() {
    startRadio(MemoryImage::blank(1));
    // The edit is not in a file: the write leaves the document modified.
    state_.table.setCell(1, 3, QStringLiteral("D754I"));
    window_->document().setCell(1, 3, QStringLiteral("D754I"));
    QVERIFY(window_->document().isModified());
    commands_->mnuWrite_Click();
    QVERIFY(window_->document().isModified());
    QVERIFY(window_->windowTitle().startsWith(window_->applicationTitle() + QLatin1Char('*')));
    QCOMPARE(prompter().shown.size(), 1);
    QCOMPARE(prompter().shown[0].text, QStringLiteral("确定要开始写频吗?"));
    QCOMPARE(prompter().shown[0].title, QStringLiteral("写频进度显示"));
    QCOMPARE(prompter().shown[0].icon, Prompter::Icon::None);
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QTRY_COMPARE(radio_->machine().blocksWritten(), 128);
    QVERIFY(radio_->machine().image().blocks == stateImage().blocks);
    QCOMPARE(int(radio_->machine().image().blocks[1][7]), 16);
    // The image sent is backed up as a channel file that opens to the same channels.
    const QStringList backups = backupsIn(commands_->backups().folder());
    QCOMPARE(backups.size(), 1);
    QVERIFY(QFileInfo(backups[0]).fileName().contains(QStringLiteral("-写频-") + state_.model.strPc));
    MemoryImage saved;
    QVERIFY(!ChannelFile::parse(bytesOf(backups[0]), &saved.blocks).isError());
    QVERIFY(saved.blocks == radio_->machine().image().blocks);
}

void TestLinkCommands::writeRejectsFrequency() {
    startRadio(MemoryImage::blank(1));
    window_->document().setCell(4, 2, QStringLiteral("700.00000"));
    commands_->mnuWrite_Click();
    QCOMPARE(prompter().shown.size(), 1);
    QCOMPARE(prompter().shown[0].text,
             QStringLiteral("第4个信道数据的发射频率不合法，请在正确频率范围（300Mhz--650Mhz）内输入"));
    QCOMPARE(prompter().shown[0].title, QStringLiteral("提示"));
    QCOMPARE(radio_->machine().blocksWritten(), 0);
    QVERIFY(backupsIn(commands_->backups().folder()).isEmpty());
}

// A file's value outside the editor's band is kept, shown, counted and saved as it came, and 写频 sends
// nothing while it is there.
void TestLinkCommands::markedFileIsKeptButNeverWritten() {
    startRadio(MemoryImage::blank(1));
    RadioDocument& document = window_->document();
    document.setCell(4, 1, QStringLiteral("480.00000"));
    const QString path = dir_.filePath(QStringLiteral("marked.qfd"));
    QVERIFY(!document.saveFile(path).isError());
    document.setCell(4, 1, QStringLiteral("440.00000"));
    prompter().answers = {Prompter::Answer::Discard};
    window_->openPath(path);
    prompter().clear();
    QCOMPARE(document.cell(4, 1), QStringLiteral("480.00000"));
    const QModelIndex cell = window_->channelModel()->indexOf(4, 1);
    QCOMPARE(cell.data(Qt::ToolTipRole).toString(), QStringLiteral("超出频段 400–470 MHz"));
    QCOMPARE(cell.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(200, 0, 0));
    QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("sbInvalid"))->text(),
             QStringLiteral("1 个单元格的数据无效"));
    window_->findChild<QAction*>(QStringLiteral("mnuNextInvalid"))->trigger();
    QCOMPARE(window_->findChild<QTableView*>(QStringLiteral("gridXDSZ"))->currentIndex(), cell);

    commands_->mnuWrite_Click();
    QCOMPARE(prompter().texts(),
             QStringList{QStringLiteral("第 4 信道 接收频率“480.00000”：超出频段 400–470 MHz\n"
                                        "共 1 个单元格的数据无效，改正后才能写频，对讲机未作任何改动。")});
    QCOMPARE(radio_->machine().blocksWritten() + radio_->machine().blocksRead(), 0);
    const QString again = dir_.filePath(QStringLiteral("again.qfd"));
    QVERIFY(!document.saveFile(again).isError());
    QCOMPARE(bytesOf(again), bytesOf(path));
}

// The radio read last on this port is an RC-160: a document of another model is written only on request,
// and nothing is sent to find that out.
void TestLinkCommands::writeAsksWhenThePortHadAnotherModel() {
    startRadio(stateImage());
    commands_->mnuRead_Click();
    const int readBlocks = radio_->machine().blocksRead();
    window_->document().chooseModel(TestModels::Rc168);
    prompter().clear();
    prompter().answers = {Answer::Cancel};
    commands_->mnuWrite_Click();
    QCOMPARE(prompter().texts(), QStringList{QStringLiteral(
                                     "这个端口上次连接的对讲机是RC-160（机型代码 71），要写入的是RC-168（机型"
                                     "代码 31），机型不同。确定要写入吗？")});
    QCOMPARE(radio_->machine().blocksWritten(), 0);
    QCOMPARE(radio_->machine().blocksRead(), readBlocks);
}

void TestLinkCommands::writeNotAcknowledged() {
    startRadio(MemoryImage::blank(1), QStringLiteral("noack:7"));
    window_->document().setCell(1, 3, QStringLiteral("D754I"));
    commands_->mnuWrite_Click();
    QVERIFY(window_->document().isModified()); // the radio did not take it
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::CommunicationError);
    // Six blocks were acknowledged: both settings blocks and channels 1 and 2 are new on the radio, and the
    // last message says so, with the backup of what was being written.
    const QStringList backups = backupsIn(commands_->backups().folder());
    QCOMPARE(backups.size(), 1);
    QCOMPARE(withoutTrace(prompter().texts()),
             (QStringList{QStringLiteral("确定要开始写频吗?"), wording(TransferMessage::communicationError()),
                          QStringLiteral("写频没有完成：对讲机中第 1–2 信道已是新数据，其余仍是原来的数据。"
                                         "请重新写频。\n已备份到：") +
                              QFileInfo(backups[0]).fileName()}));
    QCOMPARE(prompter().shown[1].title, window_->applicationTitle());
    QCOMPARE(prompter().shown[2].icon, Prompter::Icon::Warning);
    QVERIFY(!commands_->port().isOpen());
}

void TestLinkCommands::failedTransferNamesItsTrace_data() {
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("faultText");
    QTest::addColumn<QString>("mark"); // what the trace must hold besides bytes sent
    QTest::newRow("read, completed") << false << QString() << QStringLiteral(" RX ");
    QTest::newRow("read, silent radio")
        << false << QStringLiteral("silent") << QStringLiteral(" TIMER no-response");
    QTest::newRow("write, not acknowledged") << true << QStringLiteral("noack:7") << QStringLiteral(" RX 15");
}

void TestLinkCommands::failedTransferNamesItsTrace() {
    QFETCH(bool, write);
    QFETCH(QString, faultText);
    QFETCH(QString, mark);
    startRadio(write ? MemoryImage::blank(1) : stateImage(), faultText);
    // A radio that never answers gets the hint in the window's body, not only in its title.
    LinkTimings t;
    t.startDelayMs = 20;
    t.noResponseMs = 500;
    t.wakeUpPacingMs = 5;
    t.noAnswerHintMs = 100;
    commands_->setTimings(t);
    QString hint;
    duringDialog_ = [&hint](QDialog* d) {
        auto* look = new QTimer(d);
        QObject::connect(look, &QTimer::timeout, d, [d, &hint] {
            if (const auto* label = d->findChild<QLabel*>(QStringLiteral("lblHint")); label->isVisible())
                hint = label->text();
        });
        look->start(5);
    };
    if (write)
        commands_->mnuWrite_Click();
    else
        commands_->mnuRead_Click();
    QCOMPARE(hint, faultText == QStringLiteral("silent") ? TransferTexts::caption(TransferCaption::NoAnswer)
                                                         : QString());
    const QString folder = commands_->backups().traceFolder();
    const QStringList traces = QDir(folder).entryList(QDir::Files);
    QCOMPARE(traces.size(), 1);
    QVERIFY(traces[0].endsWith(write ? QStringLiteral("-写频.txt") : QStringLiteral("-读频.txt")));
    const QString path = QDir(folder).filePath(traces[0]);
    const QByteArray text = bytesOf(path);
    QVERIFY(text.contains(" TX "));
    QVERIFY2(text.contains(mark.toUtf8()), text.left(1000).constData());
    // Only a failure's message names it, once: in its first message.
    const QString line = QStringLiteral("\n串口记录：") + QDir::toNativeSeparators(path);
    int naming = 0;
    for (const auto& shown : prompter().shown)
        naming += shown.text.count(line);
    QCOMPARE(naming, faultText.isEmpty() ? 0 : 1);
}

void TestLinkCommands::partialReadNamesItsBackup_data() {
    QTest::addColumn<QString>("faultText");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<TransferResult::Outcome>("outcome");
    QTest::newRow("cancelled") << QString() << true << TransferResult::Outcome::Cancelled;
    QTest::newRow("not acknowledged")
        << QStringLiteral("noack:40") << false << TransferResult::Outcome::CommunicationError;
    QTest::newRow("hung up") << QStringLiteral("hangup:40") << false << TransferResult::Outcome::LinkLost;
}

void TestLinkCommands::partialReadNamesItsBackup() {
    QFETCH(QString, faultText);
    QFETCH(bool, cancel);
    QFETCH(TransferResult::Outcome, outcome);
    startRadio(stateImage(), faultText, 9600);
    if (cancel) {
        prompter().answers = {Answer::Ok, Answer::Ok};
        duringDialog_ = [](QDialog* d) { whenProgress(d, 20, [](ProgressWindow* w) { w->close(); }); };
    }
    commands_->mnuRead_Click();
    QCOMPARE(commands_->lastResult().outcome, outcome);
    const QStringList backups = backupsIn(commands_->backups().folder());
    QCOMPARE(backups.size(), 1);
    // The backup holds exactly what arrived, and the last message, the notice of the short read, names it.
    const int got = lines(backups[0]);
    QVERIFY2(got >= 20 && got < 128, qPrintable(QString::number(got)));
    QCOMPARE(bytesOf(backups[0]), bytesOf(commands_->receivedFilePath()));
    QCOMPARE(prompter().shown.last().title, QStringLiteral("62"));
    QVERIFY2(prompter().shown.last().text.endsWith(QStringLiteral("\n已收到的数据已备份到：") +
                                                   QDir::toNativeSeparators(backups[0])),
             qPrintable(prompter().shown.last().text));
    QVERIFY(!window_->document().isComplete());
}

void TestLinkCommands::backupFailureIsOnlyANote() {
    // A file where the folder should be: the backup cannot be saved, the read is shown all the same.
    const QString blocked = dir_.filePath(QStringLiteral("blocked"));
    QFile blocker(blocked);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    commands_->backups().setFolder(blocked + QStringLiteral("/backups"));
    startRadio(stateImage());
    commands_->mnuRead_Click();
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QCOMPARE(prompter().texts(), QStringList{QStringLiteral("确定要开始读频吗?")});
    QVERIFY(window_->document().table() == state_.table);
    QCOMPARE(lines(commands_->receivedFilePath()), 128);
    QVERIFY2(window_->statusNote().startsWith(QStringLiteral("备份没有保存：")),
             qPrintable(window_->statusNote()));
}

void TestLinkCommands::writeVerifies_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("status");    // on the status bar
    QTest::addColumn<QStringList>("shown"); // the messages after the confirmation
    QTest::newRow("clean") << QString() << QStringLiteral("写频完成，校验一致") << QStringList();
    QTest::newRow("channel 3 differs")
        << QStringLiteral("flip:7") << QString()
        << QStringList{QStringLiteral("写频完成，但校验不一致：对讲机中的信道 3 与写入的不同，请重新写频。")};
    QTest::newRow("settings block B differs")
        << QStringLiteral("flip:2") << QString()
        << QStringList{
               QStringLiteral("写频完成，但校验不一致：对讲机中的设置数据块 B 与写入的不同，请重新写频。")};
    QTest::newRow("read-back silent")
        << QStringLiteral("short:3") << QString()
        << QStringList{wording(TransferMessage::noResponse()),
                       QStringLiteral("写频已完成，但校验时读频失败（对讲机没有响应），没有校验。")};
}

// With 写频后校验 on, the radio is read back in the same progress window and what it holds is compared
// with what the write sent.
void TestLinkCommands::writeVerifies() {
    QFETCH(QString, fault);
    QFETCH(QString, status);
    QFETCH(QStringList, shown);
    WritePreferences::setVerifyAfterWrite(true);
    startRadio(MemoryImage::blank(1), fault);
    window_->document().setCell(2, 3, QStringLiteral("D754I"));
    int windows = 0;
    duringDialog_ = [&windows](QDialog*) { ++windows; };
    commands_->mnuWrite_Click();
    WritePreferences::setVerifyAfterWrite(false);
    QCOMPARE(withoutTrace(prompter().texts()), QStringList{QStringLiteral("确定要开始写频吗?")} + shown);
    // Beside the note of the write's backup.
    QCOMPARE(window_->statusNote().split(QStringLiteral("；")).contains(QStringLiteral("写频完成，校验一致")),
             !status.isEmpty());
    QCOMPARE(windows, 1);
    // The write went through either way; the read-back reached the radio. No file has the edit.
    QVERIFY(window_->document().isModified());
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QVERIFY(radio_->machine().blocksRead() >= (fault.startsWith(QLatin1String("short")) ? 3 : 128));
    QVERIFY(!commands_->port().isOpen());
}

void TestLinkCommands::progressWindowStartsAfterDelay() {
    ScriptedPrompter prompter;
    ProgressWindow w(prompter);
    QCOMPARE(w.windowTitle(), QStringLiteral("正在向对讲机读取数据。。。"));
    QCOMPARE(w.pgbCount()->maximum(), 128);
    QCOMPARE(w.pgbCount()->value(), 0);
    QCOMPARE(w.cmdCancel()->text(), QStringLiteral("取消"));
    QVERIFY(w.blnReandOrWrite);
}

void TestLinkCommands::portChoiceOverridesPortOption() {
    window_->setPortDevice(QStringLiteral("/dev/pts/77"));
    QCOMPARE(commands_->portDevice(), QStringLiteral("/dev/pts/77"));
    PortDialog& frmDK = commands_->portDialog();
    frmDK.setPortLister([] { return QVector<PortInfo>{{"ttyUSB0", "/dev/ttyUSB0", "", true}}; });
    duringDialog_ = [](QDialog* d) { static_cast<PortDialog*>(d)->cmdQD_Click(); };
    commands_->mnuPort_Click();
    QCOMPARE(commands_->portDevice(), QStringLiteral("/dev/ttyUSB0"));
}

QTEST_MAIN(TestLinkCommands)
#include "tst_link_commands.moc"
