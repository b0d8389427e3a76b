// The desktop program: one main window; closing it ends the program.
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include "texts/ui_texts.h"
#include "ui/command_wiring.h"
#include "ui/main_window.h"
#include "ui/qt_translations.h"

namespace {

// How long the window is given to settle before the picture is taken.
constexpr int kScreenshotDelayMs = 400;

// For the README picture: the model dialog is answered with its default button, as a user pressing
// Enter would; once the first activation has opened the channel file the window is saved as an image.
void arrangeScreenshot(MainWindow* window, const QString& imagePath) {
    window->setDialogRunner([](QDialog* dialog) {
        QTimer::singleShot(0, dialog, [dialog] {
            if (auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")))
                ok->click();
            else
                dialog->reject();
        });
        return dialog->exec();
    });
    QTimer::singleShot(kScreenshotDelayMs, window, [window, imagePath] {
        const bool saved = window->grab().save(imagePath);
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RadioCPS"));
    installQtTranslations(app);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), AppText::PortOption, QStringLiteral("DEVICE"));
    const QCommandLineOption open(QStringLiteral("open"), AppText::OpenOption, QStringLiteral("FILE"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), AppText::ScreenshotOption,
                                        QStringLiteral("PNG"));
    parser.addOption(port);
    parser.addOption(open);
    parser.addOption(screenshot);
    parser.process(app);

    MainWindow window;
    wireCommands(window);
    window.setPortDevice(parser.value(port));
    window.setStartupFile(parser.value(open));
    if (parser.isSet(screenshot))
        arrangeScreenshot(&window, parser.value(screenshot));
    window.show();
    return app.exec();
}
