// Qt's own dialogs speak Chinese once the program has loaded Qt's translation.
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "ui/qt_translations.h"

class TestQtTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void standardButtons_data();
    void standardButtons();
    void messageBoxButtons();
    void saveDialogButton();
};

void TestQtTranslations::initTestCase() {
    const QString file =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm");
    if (!QFile::exists(file))
        QSKIP(qPrintable(file + QStringLiteral(" is missing: scripts/deps installs qt6-translations-l10n")));
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
}

void TestQtTranslations::standardButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("OK") << int(QDialogButtonBox::Ok) << QStringLiteral("确定");
    QTest::newRow("Cancel") << int(QDialogButtonBox::Cancel) << QStringLiteral("取消");
    QTest::newRow("Save") << int(QDialogButtonBox::Save) << QStringLiteral("保存");
    QTest::newRow("Open") << int(QDialogButtonBox::Open) << QStringLiteral("打开");
    QTest::newRow("Yes") << int(QDialogButtonBox::Yes) << QStringLiteral("是");
}

void TestQtTranslations::standardButtons() {
    QFETCH(int, button);
    QFETCH(QString, text);
    const auto which = QDialogButtonBox::StandardButton(button);
    const QDialogButtonBox box(which);
    QPushButton* shown = box.button(which);
    QVERIFY(shown);
    // The mnemonic marker differs between languages; the words are what the user reads.
    QVERIFY2(shown->text().remove(QLatin1Char('&')).startsWith(text), qPrintable(shown->text()));
}

void TestQtTranslations::messageBoxButtons() {
    // A standard question as Qt asks it, such as the file dialog's overwrite question.
    QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')).left(1), QStringLiteral("否"));
}

void TestQtTranslations::saveDialogButton() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QString accept = buttons->button(QDialogButtonBox::Save)
                         ? buttons->button(QDialogButtonBox::Save)->text()
                         : buttons->button(QDialogButtonBox::Open)->text();
    QVERIFY2(accept.remove(QLatin1Char('&')).startsWith(QStringLiteral("保存")), qPrintable(accept));
}

QTEST_MAIN(TestQtTranslations)
#include "tst_qt_translations.moc"
