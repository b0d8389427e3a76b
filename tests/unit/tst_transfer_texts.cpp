#include <QtTest>

#include "texts/transfer_texts.h"

// The words of the transfers' captions and messages, as both faces show them.
class TestTransferTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captions_data();
    void captions();
    void messages_data();
    void messages();
};

void TestTransferTexts::captions_data() {
    QTest::addColumn<TransferCaption>("caption");
    QTest::addColumn<QString>("text");
    QTest::newRow("connecting") << TransferCaption::Connecting << QStringLiteral("正在连接对讲机。。。");
    QTest::newRow("reading") << TransferCaption::Reading << QStringLiteral("正在从对讲机读取数据。。。");
    QTest::newRow("writing") << TransferCaption::Writing << QStringLiteral("正在向对讲机写入数据。。。");
}

void TestTransferTexts::captions() {
    QFETCH(TransferCaption, caption);
    QFETCH(QString, text);
    QCOMPARE(TransferTexts::caption(caption), text);
}

void TestTransferTexts::messages_data() {
    using Icon = TransferTexts::Icon;
    QTest::addColumn<TransferMessage>("message");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const Error lost{8015, QStringLiteral("与串口 /dev/ttyUSB0 的连接已断开")};
    const Error full{75, QStringLiteral("路径/文件访问错误：磁盘已满")};
    const QString app = QStringLiteral("程序名");
    QTest::newRow("no response") << TransferMessage::noResponse() << Icon::Information
                                 << QStringLiteral("信息提示")
                                 << QStringLiteral("通信端口没有响应，请确保连接正确和电源打开");
    QTest::newRow("communication error")
        << TransferMessage::communicationError() << Icon::None << app << QStringLiteral("通信错误");
    QTest::newRow("error titled with its code")
        << TransferMessage::codedError(full) << Icon::Information << QStringLiteral("75") << full.description;
    QTest::newRow("read: blocks sent") << TransferMessage::readBlocksSent(20, 2) << Icon::None << app
                                       << QStringLiteral("总共发送了20组数据,其中I_data的值为2");
    QTest::newRow("write: settings block error")
        << TransferMessage::settingsBlockError(lost) << Icon::Warning << QStringLiteral("错误")
        << QStringLiteral("错误号：8015与串口 /dev/ttyUSB0 的连接已断开");
    QTest::newRow("write: progress, whole")
        << TransferMessage::writeProgress(40) << Icon::None << app << QStringLiteral("其中进度条的值为40");
    QTest::newRow("write: progress, halves") << TransferMessage::writeProgress(11.5) << Icon::None << app
                                             << QStringLiteral("其中进度条的值为11.5");
    QTest::newRow("write: blocks sent") << TransferMessage::writeBlocksSent(5, 1, 16) << Icon::None << app
                                        << QStringLiteral("共发送了5组数据,其中i_data的值为1strType的值为16");
}

void TestTransferTexts::messages() {
    QFETCH(TransferMessage, message);
    QFETCH(TransferTexts::Icon, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const TransferTexts::Shown shown = TransferTexts::message(message, QStringLiteral("程序名"));
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.title, title);
    QCOMPARE(shown.icon, icon);
}

QTEST_GUILESS_MAIN(TestTransferTexts)
#include "tst_transfer_texts.moc"
