#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "config/data_folder.h"
#include "document/radio_document.h"
#include "texts/ui_texts.h"
#include "ui/channel_editing.h"
#include "ui/channel_row_commands.h"
#include "ui/channel_table_model.h"
#include "ui/csv_commands.h"
#include "ui/document_history.h"
#include "ui/file_commands.h"
#include "ui/grid_sizing.h"
#include "ui/housekeeping.h"
#include "ui/model_commands.h"
#include "ui/prompter.h"
#include "ui/settings_panel.h"
#include "ui/status_panels.h"

// The toolbar images live in this library's resources; referencing them keeps the linker from dropping them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

// Design geometry of the central area in pixels; the resize scales these. The window is wider than a
// 804-pixel client area so that the eleven columns of layout 1 show their Chinese headers whole.
constexpr QSize kWindowSize(960, 560);
constexpr QRect kModelFrame(8, 4, 224, 84);
constexpr QRect kModelLabel(10, 24, 48, 22);
constexpr QRect kBandSelector(60, 24, 150, 22);
constexpr QRect kRangeLabel(10, 54, 48, 22);
constexpr QRect kRangeText(60, 54, 150, 22);
constexpr QRect kSettingsFrame(8, 94, 224, 300);
constexpr QRect kChannelFrame(240, 4, 712, 390);
constexpr QRect kGrid(8, 22, 696, 360);

} // namespace

MainWindow::MainWindow(const QString& configPath, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), configPath_(configPath.isEmpty() ? configFilePath(dataFolder()) : configPath),
      runner_([this] { activate(); }) {
    initResources();
    setObjectName(QStringLiteral("mainFrm"));
    if (!prompter) {
        ownPrompter_ = std::make_unique<WidgetPrompter>();
        prompter = ownPrompter_.get();
    }
    prompter_ = prompter;
    document_ = new RadioDocument(this);
    commands_ = std::make_unique<CommandRouter>(*prompter_, this);

    createWidgets();
    QMenu* newMenu = createMenus();
    models_ = new ModelCommands(*this, *document_, newMenu, cboPCmodel_, label2_, configPath_);
    files_ = new FileCommands(*document_, *prompter_, this);
    connect(document_, &RadioDocument::modifiedChanged, this, &MainWindow::showTitle);
    connect(document_, &RadioDocument::fileChanged, this, &MainWindow::showTitle);
    createToolBar();
    captionPanel_ = createStatusPanels(statusBar());
    documentPanel_ = addNotePanel(statusBar(), QStringLiteral("sbDocument"));
    validityPanel_ = addNotePanel(statusBar(), QStringLiteral("sbInvalid"));
    connect(document_, &RadioDocument::validityChanged, this, &MainWindow::showValidity);
    notePanel_ = addNotePanel(statusBar(), QStringLiteral("sbNote"));
    resize(kWindowSize);
    setAcceptDrops(true);
    housekeeping_ = std::make_unique<Housekeeping>(fraChannels_, editing_, this);

    // Ctrl+X belongs to "退出(&X)" even while a text editor has the focus.
    qApp->installEventFilter(this);

    initialiseStage();
    loadStage();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::createWidgets() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    QFont font = central->font();
    font.setPointSizeF(GridSizing::kDesignFontPoints);
    central->setFont(font);
    setCentralWidget(central);

    auto* fraModel = new QGroupBox(UiText::FrameModel, central);
    fraModel->setObjectName(QStringLiteral("fraModel"));
    fraModel->setGeometry(kModelFrame);
    auto* lblModel = new QLabel(UiText::LabelModel, fraModel);
    lblModel->setObjectName(QStringLiteral("Label1"));
    lblModel->setGeometry(kModelLabel);
    cboPCmodel_ = new QComboBox(fraModel);
    cboPCmodel_->setObjectName(QStringLiteral("cboPCmodel"));
    cboPCmodel_->addItems({UiText::DesignBandU, UiText::DesignBandV});
    cboPCmodel_->setCurrentIndex(-1);
    cboPCmodel_->setGeometry(kBandSelector);
    auto* lblRange = new QLabel(UiText::LabelRange, fraModel);
    lblRange->setObjectName(QStringLiteral("Label3"));
    lblRange->setGeometry(kRangeLabel);
    label2_ = new QLabel(fraModel);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(kRangeText);

    auto* settingsPanel = new SettingsPanel(*document_, central);
    settingsPanel->setGeometry(kSettingsFrame);
    // Scrambling and priority channel exist only in layout 1.
    connect(document_, &RadioDocument::tableReset, this,
            [this, settingsPanel] { settingsPanel->setLayout(document_->model().layout()); });

    fraChannels_ = new QGroupBox(UiText::FrameChannels, central);
    fraChannels_->setObjectName(QStringLiteral("fraChannels"));
    fraChannels_->setGeometry(kChannelFrame);
    channelModel_ = new ChannelTableModel(*document_, this);
    gridXDSZ_ = new QTableView(fraChannels_);
    gridXDSZ_->setObjectName(QStringLiteral("gridXDSZ"));
    gridXDSZ_->setModel(channelModel_);
    gridXDSZ_->setGeometry(kGrid);
    gridXDSZ_->verticalHeader()->hide();
    gridXDSZ_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    gridXDSZ_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(channelModel_, &QAbstractItemModel::modelReset, this,
            [this] { GridSizing::fitToFont(gridXDSZ_); });
    GridSizing::fitToFont(gridXDSZ_);

    editing_ = new ChannelEditing(
        fraChannels_, gridXDSZ_, channelModel_, prompter_, [this] { return document_->frequencyLimits(); },
        this);
    history_ = new DocumentHistory(*document_, this);
    // Keystrokes in an open editor gather into the step of their cell.
    history_->setHolding([this] { return editing_->isEditing(); });
    connect(editing_, &ChannelEditing::cellEditDone, history_, &DocumentHistory::closeStep);
    connect(editing_, &ChannelEditing::cellEditDone, this, &MainWindow::showValidity);
    rows_ = new ChannelRowCommands(*this, gridXDSZ_);
    csv_ = new CsvCommands(*this);
}

QString MainWindow::applicationTitle() const {
    return caption_.isEmpty() ? QCoreApplication::applicationName() : caption_;
}

void MainWindow::setCommandHandler(Command command, CommandRouter::Handler handler) {
    commands_->setHandler(command, std::move(handler));
}

void MainWindow::stopHousekeeping() {
    housekeeping_->stop();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (layout_.isRecorded()) {
        editing_->hideEditors(); // an open editor would no longer cover its cell
        layout_.apply(size());
        // The grid's font has followed the window; its rows and columns follow the font.
        GridSizing::fitToFont(gridXDSZ_);
    }
}
