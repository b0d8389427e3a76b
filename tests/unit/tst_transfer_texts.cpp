#include <QtTest>

#include "texts/transfer_texts.h"

// How the transfers' messages put their values into words: the error code as a title, the program's name
// where a message has no title of its own, the progress with its half steps, the counts of blocks. The
// fixed words themselves are checked where the faces show them.
class TestTransferTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void values_data();
    void values();
};

void TestTransferTexts::values_data() {
    using Icon = TransferTexts::Icon;
    QTest::addColumn<TransferMessage>("message");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const Error lost{8015, QStringLiteral("与串口 /dev/ttyUSB0 的连接已断开")};
    const Error full{75, QStringLiteral("路径/文件访问错误：磁盘已满")};
    const QString app = QStringLiteral("程序名");
    QTest::newRow("error titled with its code")
        << TransferMessage::codedError(full) << Icon::Information << QStringLiteral("75") << full.description;
    QTest::newRow("untitled: the program's name")
        << TransferMessage::communicationError() << Icon::None << app << QStringLiteral("通信错误");
    QTest::newRow("read: blocks sent") << TransferMessage::readBlocksSent(20, 2) << Icon::None << app
                                       << QStringLiteral("总共发送了20组数据,其中I_data的值为2");
    QTest::newRow("write: code before the description")
        << TransferMessage::settingsBlockError(lost) << Icon::Warning << QStringLiteral("错误")
        << QStringLiteral("错误号：8015与串口 /dev/ttyUSB0 的连接已断开");
    QTest::newRow("write: progress, whole")
        << TransferMessage::writeProgress(40) << Icon::None << app << QStringLiteral("其中进度条的值为40");
    QTest::newRow("write: progress, halves") << TransferMessage::writeProgress(11.5) << Icon::None << app
                                             << QStringLiteral("其中进度条的值为11.5");
    QTest::newRow("write: blocks sent") << TransferMessage::writeBlocksSent(5, 1, 16) << Icon::None << app
                                        << QStringLiteral("共发送了5组数据,其中i_data的值为1strType的值为16");
}

void TestTransferTexts::values() {
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
