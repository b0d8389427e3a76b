// The file dialogs of Save, Open and the PDF offer: the suffix added to a bare name, and the folder used
// last, remembered from one run to the next.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>
#include <QtTest>

#include "main_window_fixture.h"
#include "no_printer.h"
#include "private_settings.h"
#include "ui/file_choice.h"
#include "ui/printer_surface.h"
#include "ui/report_commands.h"

class TestFileChoice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void init();
    void withSuffix_data();
    void withSuffix();
    void saveCompletesTheName_data();
    void saveCompletesTheName();
    void dialogsStartWhereTheLastOneEnded();
    void cancelledDialogKeepsTheFolder();
    void vanishedFolderFallsBackToHome();
    void realSaveDialogCompletesTheName_data();
    void realSaveDialogCompletesTheName();

private:
    // Saves through the command of the kind: "qfd" through Save, "pdf" through the no-printer offer.
    static void save(MainWindowFixture& f, const QString& kind, const QString& chosen);

    QTemporaryDir dir_;
};

void TestFileChoice::init() {
    // One process, one settings folder: every case starts with nothing remembered.
    QSettings(QStringLiteral("RadioCPS"), QStringLiteral("RadioCPS")).clear();
}

void TestFileChoice::save(MainWindowFixture& f, const QString& kind, const QString& chosen) {
    f.prompter.fileNames << chosen;
    if (kind == QStringLiteral("qfd")) {
        QVERIFY(f.window()->files().saveChannelFile());
        return;
    }
    NoPrinter printers;
    ReportCommands reports(f.window()->document(), f.prompter, printers, f.window());
    f.prompter.answers << Prompter::Answer::Yes; // "no default printer: save as PDF?"
    reports.mnuPrint();
}

void TestFileChoice::withSuffix_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("completed");
    QTest::newRow("bare name") << "/data/shop1"
                               << "/data/shop1.qfd";
    QTest::newRow("relative bare name") << "shop1"
                                        << "shop1.qfd";
    QTest::newRow("own suffix") << "/data/shop1.qfd"
                                << "/data/shop1.qfd";
    QTest::newRow("upper-case suffix") << "/data/shop1.QFD"
                                       << "/data/shop1.QFD";
    QTest::newRow("another suffix is the user's choice") << "/data/shop1.txt"
                                                         << "/data/shop1.txt";
    QTest::newRow("trailing dot") << "/data/shop1."
                                  << "/data/shop1.qfd";
    QTest::newRow("dot only in the folder") << "/data/v1.2/shop1"
                                            << "/data/v1.2/shop1.qfd";
    QTest::newRow("Chinese name") << "/data/一号店"
                                  << "/data/一号店.qfd";
}

void TestFileChoice::withSuffix() {
    QFETCH(QString, path);
    QFETCH(QString, completed);
    QCOMPARE(FileChoice::withSuffix(path, QStringLiteral("qfd")), completed);
}

void TestFileChoice::saveCompletesTheName_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("channel file, bare name") << "qfd"
                                             << "shop1"
                                             << "shop1.qfd";
    QTest::newRow("channel file, with suffix") << "qfd"
                                               << "shop2.qfd"
                                               << "shop2.qfd";
    QTest::newRow("PDF, bare name") << "pdf"
                                    << "report"
                                    << "report.pdf";
    QTest::newRow("PDF, with suffix") << "pdf"
                                      << "report2.pdf"
                                      << "report2.pdf";
}

void TestFileChoice::saveCompletesTheName() {
    QFETCH(QString, kind);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::standardIni());
    f.createWithModel(2);
    save(f, kind, dir_.filePath(chosen));
    QCOMPARE(f.prompter.suffixes, QStringList{kind}); // the real dialog completes the name it asks about
    QVERIFY2(QFileInfo::exists(dir_.filePath(written)), qPrintable(written));
    if (chosen != written)
        QVERIFY(!QFileInfo::exists(dir_.filePath(chosen)));
}

void TestFileChoice::dialogsStartWhereTheLastOneEnded() {
    const QString channels = dir_.filePath(QStringLiteral("channels"));
    const QString reports = dir_.filePath(QStringLiteral("reports"));
    QVERIFY(QDir().mkpath(channels) && QDir().mkpath(reports));
    {
        // Nothing remembered yet: the home folder, not wherever the program was started from.
        MainWindowFixture f;
        f.writeIni(MainWindowFixture::standardIni());
        f.createWithModel(2);
        save(f, QStringLiteral("qfd"), channels + QStringLiteral("/a"));
        QCOMPARE(f.prompter.startFolders, QStringList{QDir::homePath()});
    }
    {
        // The next run: Open and Save start where the last file went; a PDF saved elsewhere moves it.
        MainWindowFixture f;
        f.writeIni(MainWindowFixture::standardIni());
        f.createWithModel(2);
        f.prompter.fileNames << channels + QStringLiteral("/a.qfd");
        f.window()->files().openChannelFile();
        save(f, QStringLiteral("pdf"), reports + QStringLiteral("/r"));
        save(f, QStringLiteral("qfd"), channels + QStringLiteral("/b"));
        QCOMPARE(f.prompter.startFolders, (QStringList{channels, channels, reports}));
    }
    QCOMPARE(FileChoice::lastFolder(), channels);
}

void TestFileChoice::cancelledDialogKeepsTheFolder() {
    FileChoice::rememberFolderOf(dir_.filePath(QStringLiteral("kept.qfd")));
    ScriptedPrompter prompter;
    prompter.fileNames = {QString(), QString()};
    QCOMPARE(FileChoice::saveFile(prompter, nullptr, QString(), QString(), QStringLiteral("qfd")), QString());
    QCOMPARE(FileChoice::openFile(prompter, nullptr, QString(), QString()), QString());
    QCOMPARE(FileChoice::lastFolder(), dir_.path());
}

void TestFileChoice::vanishedFolderFallsBackToHome() {
    QTemporaryDir gone;
    FileChoice::rememberFolderOf(gone.filePath(QStringLiteral("x.qfd")));
    QCOMPARE(FileChoice::lastFolder(), gone.path());
    QVERIFY(gone.remove());
    QCOMPARE(FileChoice::lastFolder(), QDir::homePath());
}

void TestFileChoice::realSaveDialogCompletesTheName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("returned");
    QTest::newRow("bare name") << "shop1"
                               << "shop1.qfd";
    QTest::newRow("with suffix") << "shop2.qfd"
                                 << "shop2.qfd";
}

// The dialog itself completes the name, so that its overwrite question concerns the file really written.
void TestFileChoice::realSaveDialogCompletesTheName() {
    QFETCH(QString, typed);
    QFETCH(QString, returned);
    const QTemporaryDir folder; // empty: no overwrite question comes between
    QString startedIn;
    bool answered = false;
    // Answers the dialog as a user would, once it is up.
    std::function<void(int)> answer = [&](int triesLeft) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (dialog && dialog->isVisible()) {
                startedIn = dialog->directory().absolutePath();
                dialog->selectFile(typed);
                QMetaObject::invokeMethod(dialog, "accept");
                answered = true;
                return;
            }
        }
        if (triesLeft > 0)
            QTimer::singleShot(20, [&answer, triesLeft] { answer(triesLeft - 1); });
        else if (QWidget* modal = QApplication::activeModalWidget())
            modal->close(); // not the dialog expected: the test fails instead of hanging
    };
    QTimer::singleShot(0, [&answer] { answer(100); });
    WidgetPrompter prompter;
    const QString path =
        prompter.saveFileName(nullptr, QStringLiteral("另存为"), QStringLiteral("qfd(*.qfd)|*.qfd"),
                              folder.path(), QStringLiteral("qfd"));
    QVERIFY(answered);
    QCOMPARE(startedIn, QDir(folder.path()).absolutePath());
    QCOMPARE(path, QDir(folder.path()).absoluteFilePath(returned));
}

QTEST_MAIN(TestFileChoice)
#include "tst_file_choice.moc"
