#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "scripted_prompter.h"
#include "ui/prompter.h"

// The real message box of WidgetPrompter: its buttons read in Chinese, and the one a user presses (or Escape)
// comes back as the answer.
class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buttonsAndAnswers_data();
    void buttonsAndAnswers();
};

Q_DECLARE_METATYPE(Prompter::Buttons)

void TestMessageBox::buttonsAndAnswers_data() {
    QTest::addColumn<Prompter::Buttons>("buttons");
    QTest::addColumn<QStringList>("captions"); // sorted
    QTest::addColumn<QString>("press");        // a caption, or empty for Escape
    QTest::addColumn<Prompter::Answer>("answer");
    using B = Prompter::Buttons;
    using A = Prompter::Answer;
    QTest::newRow("ok") << B::Ok << QStringList{"确定"} << "确定" << A::Ok;
    QTest::newRow("ok/cancel: ok") << B::OkCancel << QStringList{"取消", "确定"} << "确定" << A::Ok;
    QTest::newRow("ok/cancel: cancel") << B::OkCancel << QStringList{"取消", "确定"} << "取消" << A::Cancel;
    QTest::newRow("ok/cancel: escape") << B::OkCancel << QStringList{"取消", "确定"} << "" << A::Cancel;
    QTest::newRow("yes/no: yes") << B::YesNo << QStringList{"否", "是"} << "是" << A::Yes;
    QTest::newRow("yes/no: no") << B::YesNo << QStringList{"否", "是"} << "否" << A::No;
    const QStringList save{"不保存", "保存", "取消"};
    QTest::newRow("save: save") << B::SaveDiscardCancel << save << "保存" << A::Save;
    QTest::newRow("save: don't save") << B::SaveDiscardCancel << save << "不保存" << A::Discard;
    QTest::newRow("save: cancel") << B::SaveDiscardCancel << save << "取消" << A::Cancel;
    QTest::newRow("save: escape") << B::SaveDiscardCancel << save << "" << A::Cancel;
}

void TestMessageBox::buttonsAndAnswers() {
    QFETCH(Prompter::Buttons, buttons);
    QFETCH(QStringList, captions);
    QFETCH(QString, press);
    QFETCH(Prompter::Answer, answer);

    QStringList shown;
    QString title;
    // Presses the button once the box is up; closes whatever else is modal, so that a failure cannot hang.
    std::function<void(int)> respond = [&](int triesLeft) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (triesLeft > 0)
                QTimer::singleShot(20, [&respond, triesLeft] { respond(triesLeft - 1); });
            return;
        }
        title = box->windowTitle();
        for (QAbstractButton* b : box->buttons())
            shown << b->text();
        if (press.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == press) {
                b->click();
                return;
            }
        }
        box->reject();
    };
    QTimer::singleShot(0, [&respond] { respond(100); });

    WidgetPrompter prompter;
    const Prompter::Answer got = prompter.message(nullptr, Prompter::Icon::Question, QStringLiteral("标题"),
                                                  QStringLiteral("正文"), buttons);
    shown.sort();
    QCOMPARE(title, QStringLiteral("标题"));
    QCOMPARE(shown, captions);
    QCOMPARE(got, answer);
}

QTEST_MAIN(TestMessageBox)
#include "tst_message_box.moc"
