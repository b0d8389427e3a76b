#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "ui/command_router.h"
#include "ui/command_runner.h"
#include "ui/proportional_layout.h"

class ChannelEditing;
class ChannelRowCommands;
class CsvCommands;
class DocumentHistory;
class ChannelTableModel;
class FileCommands;
class Housekeeping;
class ModelCommands;
class Prompter;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QTableView;
class RadioDocument;
class RecentFiles;

// mainFrm: the only main window. It shows and edits one RadioDocument (the channel grid, the cell editors,
// the settings panel, the band selector), runs the three start-up stages and wires the commands.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    using Command = CommandRouter::Command;

    // configPath: the configuration file; empty means Sfc.ini of the data folder (beside the executable, or
    // the installed one: config/data_folder.h). The icon is looked up in the folder of the configuration
    // file. Without a prompter the window uses message boxes.
    explicit MainWindow(const QString& configPath = QString(), Prompter* prompter = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    RadioDocument& document() const { return *document_; }
    Prompter* prompter() const { return prompter_; }
    ChannelTableModel* channelModel() const { return channelModel_; }
    ChannelEditing* channelEditing() const { return editing_; }
    DocumentHistory& history() const { return *history_; } // undo and redo
    ChannelRowCommands& rows() const { return *rows_; }    // whole channels, the clipboard, bulk change
    ModelCommands& models() const { return *models_; }     // New, the model menu, the band selector
    FileCommands& files() const { return *files_; }        // Open, Save
    CommandRouter& commands() const { return *commands_; } // the commands wired in from outside
    Housekeeping& housekeeping() const { return *housekeeping_; }

    // --- Activation: at the first showing and after each own modal window has closed.
    void activate();
    // Own modal windows and commands, so that an activation waits until the running command has returned.
    int execDialog(QDialog* dialog) { return runner_.execDialog(dialog); }
    void setDialogRunner(CommandRunner::DialogRunner runner) { runner_.setDialogRunner(std::move(runner)); }
    void runCommand(const std::function<void()>& body) { runner_.run(body); }
    // A channel file that the first activation opens instead of asking for the model; the model question
    // follows only when the file cannot be opened.
    void setStartupFile(const QString& path) { startupFile_ = path; }

    // A note in the status bar about the last command (the outcome of a transfer, a backup); empty hides it.
    void showStatusNote(const QString& text);
    // Adds to the note of the same command (a write, its verify, its backup).
    void addStatusNote(const QString& text);
    QString statusNote() const;

    // The title of messages that name the program: the caption, or the program name before one is set.
    QString applicationTitle() const;
    QString configPath() const { return configPath_; }

    // The serial device the radio commands use (--port DEVICE), empty when none was given.
    QString portDevice() const { return portDevice_; }
    void setPortDevice(const QString& device) { portDevice_ = device; }
    // Every --port: the first is the port of 读频 and 写频, all are offered for fleet programming.
    QStringList portDevices() const { return portDevices_; }
    void setPortDevices(const QStringList& devices) {
        portDevices_ = devices;
        portDevice_ = devices.value(0);
    }
    // Closes the serial port if it is open: after every toolbar command and at shutdown.
    void setPortCloser(std::function<void()> closer) { portCloser_ = std::move(closer); }

    // Opens a channel file (or imports a CSV or JSON file) as a dropped file or a recent file is opened,
    // after the save question.
    void openPath(const QString& path);

    // Shorthands of commands() and housekeeping() for the command wiring.
    void setCommandHandler(Command command, CommandRouter::Handler handler);
    void stopHousekeeping();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWidgets(); // main_window.cpp
    QMenu* createMenus(); // main_window_menus.cpp; returns the "新建" submenu
    void createProgramMenu(QMenu* program);
    void createEditMenu(QMenu* edit);
    void addChannelCommands(QMenu* edit); // and the grid's context menu
    // A menu item of a routed command, off until its handler is wired in.
    void addRouted(QMenu* menu, Command command, const QString& text, const QKeySequence& keys = {});
    void createToolBar();
    void closePort();
    void initialiseStage(); // main_window_startup.cpp
    bool loadStage();
    // F8: the next cell whose value is marked invalid, after the current one.
    void selectNextInvalid();
    void showValidity(); // the count of marked cells in the status bar
    void showTitle();    // the caption with the document's file, once the load stage has set the caption

    QString configPath_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    CommandRunner runner_;
    RadioDocument* document_ = nullptr;
    QString iconPath_, caption_, statusCaption_, portDevice_, startupFile_;
    QStringList portDevices_;
    bool blnAskModel_ = false, firstShown_ = false, titled_ = false;
    std::function<void()> portCloser_;

    QComboBox* cboPCmodel_ = nullptr;
    QLabel* label2_ = nullptr;
    QGroupBox* fraChannels_ = nullptr;
    QTableView* gridXDSZ_ = nullptr;
    QLabel* captionPanel_ = nullptr;
    QLabel* documentPanel_ = nullptr; // says when channels are missing
    QLabel* validityPanel_ = nullptr; // counts the marked cells
    QLabel* notePanel_ = nullptr;
    ChannelTableModel* channelModel_ = nullptr;
    ChannelEditing* editing_ = nullptr;
    DocumentHistory* history_ = nullptr;
    ChannelRowCommands* rows_ = nullptr;
    RecentFiles* recent_ = nullptr;
    CsvCommands* csv_ = nullptr;
    ModelCommands* models_ = nullptr;
    FileCommands* files_ = nullptr;
    std::unique_ptr<CommandRouter> commands_;
    std::unique_ptr<Housekeeping> housekeeping_;
    ProportionalLayout layout_;
};
