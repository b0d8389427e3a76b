#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "config/error.h"

class ChannelEditing;
class ChannelTableModel;
class FileCommands;
class ModelCommands;
class Prompter;
class QAction;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QTableView;
class QTimer;
class QToolBar;
class RadioDocument;
class SettingsPanel;

// mainFrm: the only main window. It shows and edits one RadioDocument (the channel grid, the cell editors,
// the settings panel, the band selector), runs the three start-up stages and routes every command.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Commands wired in from outside this window; until then their menu items and buttons are off.
    enum class Command { Read, Write, Preview, Print, Tune, Port, About };
    // A command reports an error it has not shown itself; the window shows it titled with its code.
    using CommandHandler = std::function<Error()>;
    // Shows an own modal window and returns its result; tests replace it to answer dialogs.
    using DialogRunner = std::function<int(QDialog*)>;

    static constexpr int kHousekeepingIntervalMs = 500;

    // configPath: the configuration file; empty means Sfc.ini beside the executable. The icon is looked
    // up in the folder of the configuration file. Without a prompter the window uses message boxes.
    explicit MainWindow(const QString& configPath = QString(), Prompter* prompter = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    RadioDocument& document() const { return *document_; }
    Prompter* prompter() const { return prompter_; }
    ChannelTableModel* channelModel() const { return channelModel_; }
    ChannelEditing* channelEditing() const { return editing_; }
    ModelCommands& models() const { return *models_; } // New, the model menu, the band selector
    FileCommands& files() const { return *files_; }    // Open, Save

    // --- Activation: at the first showing and after each own modal window has closed.
    void activate();
    // Runs an own modal window; the activation follows when the running command has returned.
    int execDialog(QDialog* dialog);
    void setDialogRunner(DialogRunner runner);
    // Runs a command; an activation asked for meanwhile waits until it has returned.
    void runCommand(const std::function<void()>& body);
    // A channel file to open at the end of the first activation, after the model question.
    void setStartupFile(const QString& path) { startupFile_ = path; }

    QString caption() const { return caption_; }
    // The title of messages that name the program: the caption, or the program name before one is set.
    QString applicationTitle() const;
    QString configPath() const { return configPath_; }

    // The serial device the radio commands use (--port DEVICE), empty when none was given.
    QString portDevice() const { return portDevice_; }
    void setPortDevice(const QString& device) { portDevice_ = device; }
    // Closes the serial port if it is open: after every toolbar command and at shutdown.
    void setPortCloser(std::function<void()> closer) { portCloser_ = std::move(closer); }

    // Enables the menu item (and toolbar button) of a command and routes them to the handler.
    void setCommandHandler(Command command, CommandHandler handler);
    QAction* commandAction(Command command) const;
    QAction* toolbarAction(Command command) const; // nullptr for commands without a button

    // --- Housekeeping timer (hides the cell editors when the focus leaves the channel area).
    QTimer* housekeepingTimer() const { return timer_; }
    void startHousekeeping();
    void stopHousekeeping();
    void housekeepingTick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ControlRecord {
        QPointer<QWidget> control;
        QRect geometry;
        qreal fontSize = 0;
        bool placedByOthers = false; // cell editors: only the font follows the window
    };

    // Construction (main_window.cpp, main_window_menus.cpp).
    void createWidgets();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys);
    void runToolbarCommand(QAction* menuAction);
    void showCommandError(const Error& error);
    void closePort();
    void updateClock();

    // Start-up stages and activation (main_window_startup.cpp).
    void initialiseStage();
    bool loadStage();
    void recordLayout();
    void activateIfPending();

    // Resize (main_window_resize.cpp).
    void applyProportionalLayout();

    QString configPath_;
    QString appFolder_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    DialogRunner dialogRunner_;
    RadioDocument* document_ = nullptr;

    QString iconPath_;
    QString caption_;
    QString statusCaption_;
    QString portDevice_;
    QString startupFile_;
    bool blnAskModel_ = false;
    bool firstShown_ = false;
    bool activationPending_ = false;
    int commandDepth_ = 0;
    std::function<void()> portCloser_;

    // Widgets and the commands that work on them.
    QWidget* central_ = nullptr;
    QGroupBox* fraModel_ = nullptr;
    QComboBox* cboPCmodel_ = nullptr;
    QLabel* label2_ = nullptr;
    SettingsPanel* settingsPanel_ = nullptr;
    QGroupBox* fraChannels_ = nullptr;
    QTableView* gridXDSZ_ = nullptr;
    ChannelTableModel* channelModel_ = nullptr;
    ChannelEditing* editing_ = nullptr;
    ModelCommands* models_ = nullptr;
    FileCommands* files_ = nullptr;
    QTimer* timer_ = nullptr;
    QLabel* statusPanels_[3] = {nullptr, nullptr, nullptr};
    QMenu* mnuNew_ = nullptr;
    QAction* mnuOpen_ = nullptr;
    QAction* mnuSave_ = nullptr;
    std::map<Command, QAction*> commandActions_;
    std::map<Command, QAction*> toolbarActions_;
    std::map<Command, CommandHandler> handlers_;

    // Proportional resize.
    QSize initialSize_;
    std::vector<ControlRecord> ctlLayout_;
};
