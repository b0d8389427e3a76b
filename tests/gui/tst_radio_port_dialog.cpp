#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "link/serial_port.h"
#include "scripted_prompter.h"
#include "ui/port_dialog.h"

// frmDK: the buttons follow the number of ports the system reports, DKH follows the click, "确定" tells
// the port and closes, and loading the dialog closes an open port.
namespace {

class FakePort : public SerialPort {
public:
    bool open_ = false;
    Error open(const QString&) override {
        open_ = true;
        return {};
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    QString device() const override { return {}; }
    void write(const QByteArray&) override {}
    void clearInput() override {}
};

QVector<PortInfo> ports(int n) {
    QVector<PortInfo> list;
    for (int i = 0; i < n; ++i)
        list.append({QStringLiteral("ttyUSB%1").arg(i), QStringLiteral("/dev/ttyUSB%1").arg(i),
                     QStringLiteral("Adapter %1").arg(i), true});
    return list;
}

} // namespace

class TestRadioPortDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout();
    void buttonsFollowPorts_data();
    void buttonsFollowPorts();
    void chooseAndConfirm();
    void noPortsKeepsChoice();
    void loadClosesOpenPort();
};

void TestRadioPortDialog::layout() {
    ScriptedPrompter prompter;
    PortDialog frmDK(prompter, nullptr);
    QCOMPARE(frmDK.objectName(), QStringLiteral("frmDK"));
    QCOMPARE(frmDK.windowTitle(), QStringLiteral("端口选择"));
    for (int i = 0; i < 4; ++i) {
        auto* b = frmDK.findChild<QRadioButton*>(QStringLiteral("optDK_%1").arg(i));
        QVERIFY(b);
        QCOMPARE(b->text(), QStringLiteral("COM%1").arg(i + 1));
        QVERIFY(!b->isEnabled()); // disabled until the ports are known
    }
    QVERIFY(frmDK.optDK(0)->isChecked());
    QCOMPARE(frmDK.findChild<QPushButton*>(QStringLiteral("cmdQD"))->text(), QStringLiteral("确定"));
    QCOMPARE(frmDK.DKH, 0);
}

void TestRadioPortDialog::buttonsFollowPorts_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("none") << 0;
    QTest::newRow("two") << 2;
    QTest::newRow("four") << 4;
    QTest::newRow("six: two ignored") << 6;
}

void TestRadioPortDialog::buttonsFollowPorts() {
    QFETCH(int, count);
    ScriptedPrompter prompter;
    PortDialog frmDK(prompter, nullptr);
    frmDK.setPortLister([count] { return ports(count); });
    frmDK.load();
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(frmDK.optDK(i)->isEnabled(), i < count);
        QCOMPARE(frmDK.optDK(i)->toolTip(),
                 i < count ? QStringLiteral("/dev/ttyUSB%1 (Adapter %1)").arg(i) : QString());
    }
}

void TestRadioPortDialog::chooseAndConfirm() {
    ScriptedPrompter prompter;
    PortDialog frmDK(prompter, nullptr);
    frmDK.setPortLister([] { return ports(3); });
    frmDK.load();
    frmDK.show();
    QVERIFY(!frmDK.picked());
    QTest::mouseClick(frmDK.optDK(2), Qt::LeftButton);
    QCOMPARE(frmDK.DKH, 2);
    QVERIFY(frmDK.picked());
    QCOMPARE(frmDK.chosenDevice(), QStringLiteral("/dev/ttyUSB2"));
    QTest::mouseClick(frmDK.cmdQD(), Qt::LeftButton);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].text, QStringLiteral("端口转换成COM3"));
    QCOMPARE(prompter.shown[0].title, QStringLiteral("提示"));
    QCOMPARE(prompter.shown[0].icon, Prompter::Icon::Information);
    QVERIFY(!frmDK.isVisible());
    // DKH outlives the window; the next load selects it again.
    frmDK.load();
    QVERIFY(frmDK.optDK(2)->isChecked());
}

void TestRadioPortDialog::noPortsKeepsChoice() {
    ScriptedPrompter prompter;
    PortDialog frmDK(prompter, nullptr);
    frmDK.DKH = 1;
    frmDK.setPortLister([] { return ports(0); });
    frmDK.load();
    frmDK.cmdQD_Click();
    QCOMPARE(frmDK.DKH, 1);
    QVERIFY(!frmDK.picked()); // nothing to pick: a --port device stays in use
    QCOMPARE(prompter.shown[0].text, QStringLiteral("端口转换成COM2"));
}

void TestRadioPortDialog::loadClosesOpenPort() {
    ScriptedPrompter prompter;
    FakePort port;
    port.open(QStringLiteral("/dev/ttyUSB0"));
    PortDialog frmDK(prompter, &port);
    frmDK.setPortLister([] { return ports(1); });
    frmDK.load();
    QVERIFY(!port.isOpen());
}

QTEST_MAIN(TestRadioPortDialog)
#include "tst_radio_port_dialog.moc"
