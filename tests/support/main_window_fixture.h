#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "document/radio_document.h"
#include "scripted_prompter.h"
#include "ui/file_commands.h"
#include "ui/main_window.h"
#include "ui/model_commands.h"

class QComboBox;
class QLabel;
class QTableView;

// A main window over a configuration file in a temporary folder, with a scripted prompter and a scripted
// answer for the model dialog, so that GUI tests never block on a modal window.
class MainWindowFixture {
public:
    // Five models: 16/layout 1, 16/layout 0, 8/layout 0, 12/layout 1, 99/layout 0; PL1 400-470, PL2 136-174.
    static QByteArray standardIni();

    MainWindowFixture();
    ~MainWindowFixture();

    // Writes Sfc.ini and, unless told otherwise, a picture under the name its ICON key gives.
    void writeIni(const QByteArray& text, bool withIcon = true);
    // Creates the window; the initialise and load stages run in the constructor.
    MainWindow* create();
    // Creates the window and runs the first activation, answering the model dialog with `model`.
    MainWindow* createWithModel(int model);

    // The model dialog's answer: the item to confirm, or -1 for the close box.
    int modelAnswer = 0;
    int modelDialogRuns = 0;
    int otherDialogRuns = 0;
    // Answers every other dialog (login, tune window, about box ...); unset, they are rejected unseen.
    std::function<int(QDialog*)> otherDialog;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString iniPath() const { return path(QStringLiteral("Sfc.ini")); }

    ScriptedPrompter prompter;
    MainWindow* window() const { return window_.get(); }

    // Widgets by object name.
    QComboBox* combo(const QString& name) const;
    QLabel* label(const QString& name) const;
    QTableView* grid() const;
    QString bandItems() const; // the band selector's items joined by "|"

private:
    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};

// A window over the standard configuration with the model chosen at its first activation, shown and exposed.
struct ShownWindow {
    MainWindowFixture f;
    MainWindow* w = nullptr;
    explicit ShownWindow(int model = 0);
    RadioDocument& doc() const { return w->document(); }
    // Triggers the window's action of that object name, as its menu item would.
    void run(const char* action) const;
};
