#include "main_window_fixture.h"

#include <QTest>

#include "private_settings.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "config/ini_file.h"
#include "ui/model_dialog.h"

QByteArray MainWindowFixture::standardIni() {
    return QByteArrayLiteral("[Frequent]\r\n"
                             "PL1=400MHz---470MHz\r\n"
                             "PL2=136MHz---174MHz\r\n"
                             "[PcIcon]\r\n"
                             "ICON=icon.png\r\n"
                             "[PcCaption]\r\n"
                             "Caption=测试编程软件\r\n"
                             "[PcStatueCaption]\r\n"
                             "StatueCaption=测试状态栏\r\n"
                             "[PcStyle]\r\n"
                             "Pc1=A16-1;16;1;71;72\r\n"
                             "Pc2=B16-0;16;0;31;32\r\n"
                             "Pc3=C8-0;8;0;41;42\r\n"
                             "Pc4=D12-1;12;1;73;74\r\n"
                             "Pc5=E99-0;99;0;51;52\r\n");
}

MainWindowFixture::MainWindowFixture() {
    usePrivateSettings(); // the window reads remembered options; never the user's, never another test's
}

MainWindowFixture::~MainWindowFixture() {
    window_.reset();
}

void MainWindowFixture::writeIni(const QByteArray& text, bool withIcon) {
    QFile ini(iniPath());
    if (ini.open(QIODevice::WriteOnly))
        ini.write(text);
    if (withIcon) {
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(Qt::darkBlue);
        icon.save(path(IniFile::fromBytes(text).value(ConfigKeys::PcIcon, ConfigKeys::Icon)));
    }
}

MainWindow* MainWindowFixture::create() {
    window_ = std::make_unique<MainWindow>(iniPath(), &prompter);
    window_->setDialogRunner([this](QDialog* dialog) {
        auto* models = qobject_cast<ModelDialog*>(dialog);
        if (!models) {
            ++otherDialogRuns;
            return otherDialog ? otherDialog(dialog) : int(QDialog::Rejected);
        }
        ++modelDialogRuns;
        if (modelAnswer < 0) {
            models->reject();
        } else {
            models->modelList()->setCurrentIndex(modelAnswer);
            models->okButton()->click();
        }
        return models->result();
    });
    return window_.get();
}

MainWindow* MainWindowFixture::createWithModel(int model) {
    modelAnswer = model;
    create();
    window_->activate();
    return window_.get();
}

QComboBox* MainWindowFixture::combo(const QString& name) const {
    return window_->findChild<QComboBox*>(name);
}

QLabel* MainWindowFixture::label(const QString& name) const {
    return window_->findChild<QLabel*>(name);
}

QTableView* MainWindowFixture::grid() const {
    return window_->findChild<QTableView*>(QStringLiteral("gridXDSZ"));
}

QString MainWindowFixture::bandItems() const {
    QStringList items;
    QComboBox* band = combo(QStringLiteral("cboPCmodel"));
    for (int i = 0; i < band->count(); ++i)
        items << band->itemText(i);
    return items.join(QLatin1Char('|'));
}

ShownWindow::ShownWindow(int model) {
    f.writeIni(MainWindowFixture::standardIni());
    w = f.createWithModel(model);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void ShownWindow::run(const char* action) const {
    QAction* a = w->findChild<QAction*>(QLatin1String(action));
    QVERIFY2(a, action);
    a->trigger();
    QCoreApplication::processEvents();
}
