// The desktop program: one main window; closing it ends the program.
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "config/app_config.h"
#include "config/build_info.h"
#include "config/data_folder.h"
#include "texts/ui_texts.h"
#include "texts/version_text.h"
#include "ui/command_wiring.h"
#include "ui/main_window.h"
#include "ui/qt_translations.h"

namespace {

// How long the window is given to settle before the picture is taken.
constexpr int kScreenshotDelayMs = 400;

// For the README picture: a model dialog, shown when no channel file opens, is answered with its default
// button, as a user pressing Enter would; then the window is saved as an image.
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

// Whether an argument asks for the version or the help: those are answered before the window system is
// touched, so that they work without a display.
bool asks(int argc, char* argv[], const char* longName, const char* shortName) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], longName) == 0 || std::strcmp(argv[i], shortName) == 0)
            return true;
    }
    return false;
}

int printVersion(int argc, char* argv[]) {
    const QCoreApplication core(argc, argv);
    const QByteArray text =
        (versionText(QStringLiteral("radiocps"), configFilePath(dataFolder())) + QLatin1Char('\n')).toUtf8();
    std::fwrite(text.constData(), 1, text.size(), stdout);
    return 0;
}

// The command line of the desktop program.
struct Options {
    QCommandLineParser parser;
    const QCommandLineOption port{QStringLiteral("port"), AppText::PortOption, QStringLiteral("DEVICE")};
    const QCommandLineOption open{QStringLiteral("open"), AppText::OpenOption, QStringLiteral("FILE")};
    const QCommandLineOption screenshot{QStringLiteral("screenshot"), AppText::ScreenshotOption,
                                        QStringLiteral("PNG")};
    Options() {
        parser.addHelpOption();
        parser.addVersionOption(); // listed by --help; answered before the application starts
        // The file manager and the .desktop file's Exec line hand the file over as a plain argument.
        parser.addPositionalArgument(QStringLiteral("FILE"), AppText::FileArgument, QStringLiteral("[FILE]"));
        parser.addOption(port);
        parser.addOption(open);
        parser.addOption(screenshot);
    }
};

int printHelp(int argc, char* argv[]) {
    const QCoreApplication core(argc, argv);
    Options options;
    options.parser.process(core); // prints the help and leaves
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (asks(argc, argv, "--version", "-v"))
        return printVersion(argc, argv);
    if (asks(argc, argv, "--help", "-h"))
        return printHelp(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RadioCPS"));
    QApplication::setApplicationVersion(QStringLiteral(RADIOCPS_VERSION));
    // Ties the windows to the installed .desktop file (its icon and name on Wayland and in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral(RADIOCPS_APP_ID));
    installQtTranslations(app);

    Options options;
    QCommandLineParser& parser = options.parser;
    parser.process(app);

    MainWindow window;
    wireCommands(window);
    window.setPortDevices(parser.values(options.port));
    const QStringList files = parser.positionalArguments();
    window.setStartupFile(parser.isSet(options.open) || files.isEmpty() ? parser.value(options.open)
                                                                        : files.first());
    if (parser.isSet(options.screenshot))
        arrangeScreenshot(&window, parser.value(options.screenshot));
    window.show();
    return app.exec();
}
