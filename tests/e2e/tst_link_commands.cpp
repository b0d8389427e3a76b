#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "../unit/link_harness.h"
#include "link/link_texts.h"
#include "link/serial_port.h"
#include "link/write_image.h"
#include "scripted_prompter.h"
#include "sim/pty_radio.h"
#include "ui/port_dialog.h"
#include "ui/progress_window.h"
#include "ui/radio_command_host.h"
#include "ui/radio_commands.h"

// The read and write commands of the desktop program: confirmation, port, frmWAIT with its captions,
// progress, cancel and close box, the decode at the end - against the virtual radio over a pty, with
// scripted answers to every message.
namespace {

using Answer = Prompter::Answer;

class FakeHost : public RadioCommandHost {
public:
    QWidget window;
    ScriptedPrompter prompter;
    LinkTestState state{0, 0, 16};
    QString device;
    QStringList loaded;
    int housekeepingStops = 0;
    std::function<void(QDialog*)> duringDialog; // runs once the dialog is up

    QWidget* radioParent() override { return &window; }
    Prompter& radioPrompter() override { return prompter; }
    QString applicationTitle() const override { return QStringLiteral("RadioCPS 测试"); }
    CurrentModel currentModel() const override { return state.model; }
    ChannelTable channelTable() const override { return state.table; }
    RadioSettings radioSettings() const override { return state.settings; }
    ModelTable modelTable() const override { return linkTestModels(); }
    void loadChannelFile(const QString& path) override { loaded << path; }
    int runDialog(QDialog* dialog) override {
        if (duringDialog)
            QTimer::singleShot(0, dialog, [this, dialog] { duringDialog(dialog); });
        return dialog->exec();
    }
    void stopHousekeepingTimer() override { ++housekeepingStops; }
    QString portDevice() const override { return device; }
};

int lines(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : -1;
}

RadioFault fault(const QString& text) {
    RadioFault f;
    RadioFault::parse(text, &f);
    return f;
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
    void init();
    void cleanup();
    void readCompletes();
    void readDeclined();
    void readOpenFailure();
    void readCancelConfirmed();
    void readCancelDeclinedGoesOn();
    void readCloseBoxCancels();
    void readLinkGoneDuringHandshake();
    void writeCompletes();
    void writeRejectsFrequency();
    void writeNotAcknowledged();
    void progressWindowStartsAfterDelay();
    void portChoiceOverridesPortOption();

private:
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<PtyRadio> radio_;
    std::unique_ptr<RadioCommands> commands_;
    QTemporaryDir dir_;

    void startRadio(const MemoryImage& image, const QString& faultText = QString(), int baud = 0) {
        radio_ = std::make_unique<PtyRadio>(RadioMachine(image, fault(faultText)), baud);
        QVERIFY(!radio_->open().isError());
        host_->device = radio_->devicePath();
    }
    MemoryImage stateImage() const {
        MemoryImage image;
        buildWriteImage(host_->state.model, host_->state.table, host_->state.settings, &image);
        return image;
    }
};

void TestLinkCommands::init() {
    host_ = std::make_unique<FakeHost>();
    commands_ = std::make_unique<RadioCommands>(*host_);
    LinkTimings t;
    t.startDelayMs = 20;
    t.noResponseMs = 500;
    t.wakeUpPacingMs = 5;
    commands_->setTimings(t);
    commands_->setReceivedFilePath(
        dir_.filePath(QString::fromLatin1(QTest::currentTestFunction()) + QStringLiteral("/received.qfd")));
}

void TestLinkCommands::cleanup() {
    commands_.reset();
    radio_.reset();
    host_.reset();
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
    host_->duringDialog = [&](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("frmWAIT"));
        QObject::connect(d, &QWidget::windowTitleChanged, d, [&](const QString& c) { captions << c; });
    };
    commands_->mnuRead_Click();
    QCOMPARE(host_->prompter.shown.size(), 1);
    QCOMPARE(host_->prompter.shown[0].text, QStringLiteral("确定要开始读频吗?"));
    QCOMPARE(host_->prompter.shown[0].title, QStringLiteral("读频进度显示"));
    QCOMPARE(host_->prompter.shown[0].buttons, Prompter::Buttons::OkCancel);
    QCOMPARE(captions, (QStringList{TransferTexts::caption(TransferCaption::Connecting),
                                    TransferTexts::caption(TransferCaption::Reading)}));
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QCOMPARE(lines(commands_->receivedFilePath()), 128);
    QCOMPARE(host_->loaded, QStringList{commands_->receivedFilePath()});
    QVERIFY(!commands_->port().isOpen());
    QCOMPARE(host_->housekeepingStops, 1);
}

void TestLinkCommands::readDeclined() {
    startRadio(stateImage());
    host_->prompter.answers = {Answer::Cancel};
    commands_->mnuRead_Click();
    QCOMPARE(host_->prompter.shown.size(), 1);
    QVERIFY(host_->loaded.isEmpty());
    QCOMPARE(lines(commands_->receivedFilePath()), -1);
    QCOMPARE(radio_->machine().blocksRead(), 0);
}

void TestLinkCommands::readOpenFailure() {
    host_->device = dir_.filePath(QStringLiteral("gone"));
    commands_->mnuRead_Click();
    QCOMPARE(host_->prompter.shown.size(), 2);
    QCOMPARE(host_->prompter.shown[1].title, QStringLiteral("8002"));
    QCOMPARE(host_->prompter.shown[1].icon, Prompter::Icon::Information);
    QVERIFY(host_->prompter.shown[1].text.contains(host_->device));
    QVERIFY(host_->loaded.isEmpty());
}

void TestLinkCommands::readCancelConfirmed() {
    startRadio(stateImage(), {}, 9600);
    host_->prompter.answers = {Answer::Ok, Answer::Ok};
    host_->duringDialog = [](QDialog* d) {
        whenProgress(d, 20, [](ProgressWindow* w) { QTest::mouseClick(w->cmdCancel(), Qt::LeftButton); });
    };
    commands_->mnuRead_Click();
    QCOMPARE(host_->prompter.shown.size(), 2);
    QCOMPARE(host_->prompter.shown[1].text, QStringLiteral("确定要取消吗"));
    QCOMPARE(host_->prompter.shown[1].title, QStringLiteral("提示"));
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Cancelled);
    const int got = lines(commands_->receivedFilePath());
    QVERIFY2(got >= 20 && got < 128, qPrintable(QString::number(got)));
    QCOMPARE(host_->loaded.size(), 1); // the partial file is decoded
    QVERIFY(!commands_->port().isOpen());
}

void TestLinkCommands::readCancelDeclinedGoesOn() {
    startRadio(stateImage(), {}, 9600);
    host_->prompter.answers = {Answer::Ok, Answer::Cancel};
    host_->duringDialog = [](QDialog* d) {
        whenProgress(d, 10, [](ProgressWindow* w) { QTest::mouseClick(w->cmdCancel(), Qt::LeftButton); });
    };
    commands_->mnuRead_Click();
    QCOMPARE(host_->prompter.shown.size(), 2);
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QCOMPARE(lines(commands_->receivedFilePath()), 128);
}

void TestLinkCommands::readCloseBoxCancels() {
    startRadio(stateImage(), {}, 9600);
    host_->duringDialog = [](QDialog* d) {
        whenProgress(d, 5, [](ProgressWindow* w) {
            // Esc does nothing; the close box is a confirmed cancel, no question asked.
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY(w->isVisible());
            w->close();
        });
    };
    commands_->mnuRead_Click();
    QCOMPARE(host_->prompter.shown.size(), 1);
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Cancelled);
    QVERIFY(lines(commands_->receivedFilePath()) < 128);
}

void TestLinkCommands::readLinkGoneDuringHandshake() {
    startRadio(stateImage(), QStringLiteral("silent"));
    host_->duringDialog = [this](QDialog*) { QTimer::singleShot(80, [this] { radio_.reset(); }); };
    commands_->mnuRead_Click();
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::LinkLost);
    QCOMPARE(host_->prompter.shown.size(), 2);
    QVERIFY(host_->prompter.shown[1].text.startsWith(QStringLiteral("读频错误，请重新读频！错误信息：")));
    QVERIFY(host_->prompter.shown[1].text.contains(host_->device));
    QCOMPARE(host_->prompter.shown[1].icon, Prompter::Icon::Critical);
    QVERIFY(host_->loaded.isEmpty()); // nothing to decode before the read-mode byte
    QVERIFY(!commands_->port().isOpen());
}

void TestLinkCommands::writeCompletes() {
    startRadio(MemoryImage::blank(1));
    commands_->mnuWrite_Click();
    QCOMPARE(host_->prompter.shown.size(), 1);
    QCOMPARE(host_->prompter.shown[0].text, QStringLiteral("确定要开始写频吗?"));
    QCOMPARE(host_->prompter.shown[0].title, QStringLiteral("写频进度显示"));
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::Completed);
    QTRY_COMPARE(radio_->machine().blocksWritten(), 128);
    QVERIFY(radio_->machine().image().blocks == stateImage().blocks);
    QCOMPARE(int(radio_->machine().image().blocks[1][7]), 16);
}

void TestLinkCommands::writeRejectsFrequency() {
    startRadio(MemoryImage::blank(1));
    host_->state.table.setCell(4, 2, QStringLiteral("700.00000"));
    commands_->mnuWrite_Click();
    QCOMPARE(host_->prompter.shown.size(), 1);
    QCOMPARE(host_->prompter.shown[0].text, LinkText::frequencyOutOfBand(4, true, 300, 650));
    QCOMPARE(host_->prompter.shown[0].title, QStringLiteral("提示"));
    QCOMPARE(radio_->machine().blocksWritten(), 0);
}

void TestLinkCommands::writeNotAcknowledged() {
    startRadio(MemoryImage::blank(1), QStringLiteral("noack:7"));
    commands_->mnuWrite_Click();
    QCOMPARE(commands_->lastResult().outcome, TransferResult::Outcome::CommunicationError);
    QCOMPARE(host_->prompter.texts(), (QStringList{QStringLiteral("确定要开始写频吗?"),
                                                   wording(TransferMessage::communicationError())}));
    QCOMPARE(host_->prompter.shown[1].title, QStringLiteral("RadioCPS 测试"));
    QVERIFY(!commands_->port().isOpen());
}

void TestLinkCommands::progressWindowStartsAfterDelay() {
    ScriptedPrompter prompter;
    ProgressWindow w(prompter);
    QCOMPARE(w.windowTitle(), QStringLiteral("正在向对讲机读取数据。。。"));
    QCOMPARE(w.pgbCount()->maximum(), 128);
    QCOMPARE(w.pgbCount()->value(), 0);
    QCOMPARE(w.cmdCancel()->text(), QStringLiteral("取消"));
    QCOMPARE(w.timer1()->interval(), 500);
    QVERIFY(w.timer1()->isSingleShot());
    QVERIFY(w.blnReandOrWrite);
}

void TestLinkCommands::portChoiceOverridesPortOption() {
    host_->device = QStringLiteral("/dev/pts/77");
    QCOMPARE(commands_->portDevice(), QStringLiteral("/dev/pts/77"));
    PortDialog& frmDK = commands_->portDialog();
    frmDK.setPortLister([] { return QVector<PortInfo>{{"ttyUSB0", "/dev/ttyUSB0", "", true}}; });
    host_->duringDialog = [](QDialog* d) { static_cast<PortDialog*>(d)->cmdQD_Click(); };
    commands_->mnuPort_Click();
    QCOMPARE(commands_->portDevice(), QStringLiteral("/dev/ttyUSB0"));
}

QTEST_MAIN(TestLinkCommands)
#include "tst_link_commands.moc"
