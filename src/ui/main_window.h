#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "config/app_config.h"
#include "config/error.h"
#include "image/channel_file.h"
#include "image/current_model.h"
#include "image/radio_settings.h"

class ChannelEditing;
class ChannelTableModel;
class ModelDialog;
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
class SettingsPanel;

// mainFrm: the only main window. It owns the data the windows edit (model, channel table, settings, model
// table), runs the three start-up stages, routes every command, and keeps the channel grid, the cell
// editors and the settings panel in step with the model.
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

    // --- Activation: at the first showing and after each own modal window has closed.
    void activate();
    // Runs an own modal window; the activation follows when the running command has returned.
    int execDialog(QDialog* dialog);
    void setDialogRunner(DialogRunner runner);
    // A channel file to open at the end of the first activation, after the model question.
    void setStartupFile(const QString& path) { startupFile_ = path; }

    // --- Commands of this window.
    void chooseModel();                        // New: the model dialog, then the model menu and band list
    void openChannelFile();                    // Open: file dialog, then loadChannelFile
    void saveChannelFile();                    // Save: file dialog, then the file and "保存成功"
    void loadChannelFile(const QString& path); // busy pointer, decode, apply; silent when missing
    // Shows a decoded channel file exactly as Open does (model menu, band list, grid, settings panel).
    void applyLoadedChannelFile(const LoadedChannelFile& loaded);

    // --- Model, band and grid procedures.
    void layoutChannelGrid(int channelCount);
    void fillBandList(const QString& modelName);
    void bandSelectorClick();
    void buildModelMenu(const QString& nameList, const QString& chosenName);
    void modelMenuClick(int index);

    // --- State other windows and commands read.
    Prompter* prompter() const { return prompter_; }
    const CurrentModel& currentModel() const { return model_; }
    ChannelTableModel* channelModel() const { return channelModel_; }
    const ChannelTable& channelTable() const;
    RadioSettings& radioSettings() { return settings_; }
    // Shows the settings' selections in the panel after a command changed them.
    void refreshSettingsPanel();
    ModelTable& modelTable() { return modelTable_; }
    const ModelTable& modelTable() const { return modelTable_; }
    QString bandSelectorText() const;                       // cboPCmodel
    int bandSelectorIndex() const;                          // -1 when nothing is selected
    QString rangeLabelText() const;                         // Label2
    QString modelCodeText() const { return strModelCode_; } // decimal text, e.g. "113" for 71
    QString bandRange(int n) const;                         // PL1 ... PL4, pl5, pl6 for n = 1 ... 6
    void setBandRange(int n, const QString& text);
    QString caption() const { return caption_; }
    // The title of messages that name the program: the caption, or the program name before one is set.
    QString applicationTitle() const;
    QString configPath() const { return configPath_; }
    bool isModelMenuBuilt() const { return blnMenuBuilt_; }
    ChannelEditing* channelEditing() const { return editing_; }

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
    void runCommand(const std::function<void()>& body);
    void showCommandError(const Error& error);
    void closePort();
    void updateClock();

    // Start-up stages (main_window_startup.cpp).
    void initialiseStage();
    bool loadStage();
    void recordLayout();
    void activateIfPending();
    void setLayoutType(const QString& layout);
    void selectBandEntry(int index);
    int menuIndexOf(const QString& modelName) const;

    // Resize (main_window_resize.cpp).
    void applyProportionalLayout();

    QString configPath_;
    QString appFolder_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    DialogRunner dialogRunner_;

    // Data.
    CurrentModel model_;
    ModelTable modelTable_;
    RadioSettings settings_;
    std::array<QString, 6> bandRanges_; // PL1 ... PL4, pl5, pl6
    QString iconPath_;
    QString caption_;
    QString statusCaption_;
    QString strModelCode_;
    QString portDevice_;
    QString startupFile_;
    bool blnStarted_ = false;
    bool blnMenuBuilt_ = false;
    bool blnAskModel_ = false;
    bool firstShown_ = false;
    bool activationPending_ = false;
    int commandDepth_ = 0;
    std::function<void()> portCloser_;

    // Widgets.
    QWidget* central_ = nullptr;
    QGroupBox* fraModel_ = nullptr;
    QLabel* lblModel_ = nullptr;
    QComboBox* cboPCmodel_ = nullptr;
    QLabel* lblRange_ = nullptr;
    QLabel* label2_ = nullptr;
    SettingsPanel* settingsPanel_ = nullptr;
    QGroupBox* fraChannels_ = nullptr;
    QTableView* gridXDSZ_ = nullptr;
    ChannelTableModel* channelModel_ = nullptr;
    ChannelEditing* editing_ = nullptr;
    ModelDialog* frmJXXZ_ = nullptr;
    QTimer* timer_ = nullptr;
    QTimer* clock_ = nullptr;
    QLabel* statusPanels_[3] = {nullptr, nullptr, nullptr};
    QToolBar* tbToolBar_ = nullptr;
    QMenu* mnuNew_ = nullptr;
    std::vector<QAction*> mnuTYPE_;
    QAction* mnuOpen_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
    std::map<Command, QAction*> commandActions_;
    std::map<Command, QAction*> toolbarActions_;
    std::map<Command, CommandHandler> handlers_;

    // Proportional resize.
    QSize initialSize_;
    std::vector<ControlRecord> ctlLayout_;
};
