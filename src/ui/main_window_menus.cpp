// Menus and toolbar, what their items run, and the exit shortcut.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "document/radio_document.h"
#include "texts/fleet_texts.h"
#include "texts/ui_texts.h"
#include "texts/validity_texts.h"
#include "ui/channel_editing.h"
#include "ui/channel_row_commands.h"
#include "ui/channel_table_model.h"
#include "ui/csv_commands.h"
#include "ui/document_history.h"
#include "ui/file_commands.h"
#include "ui/housekeeping.h"
#include "ui/main_window.h"
#include "ui/model_commands.h"
#include "ui/prompter.h"
#include "ui/recent_files.h"
#include "ui/write_preferences.h"

namespace {

QIcon toolIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QAction* addCommand(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys = {}) {
    auto* action = menu->addAction(text);
    action->setObjectName(name);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

} // namespace

void MainWindow::addRouted(QMenu* menu, Command command, const QString& text, const QKeySequence& keys) {
    // A routed command's menu item stays off until its handler is wired in.
    QAction* action = addCommand(menu, CommandRouter::menuName(command), text, keys);
    commands_->bindMenuAction(command, action);
    connect(action, &QAction::triggered, this,
            [this, command] { runCommand([this, command] { commands_->run(command); }); });
}

QMenu* MainWindow::createMenus() {

    QMenu* file = menuBar()->addMenu(UiText::MenuFile);
    file->setObjectName(QStringLiteral("mnuFile"));
    QMenu* newMenu = file->addMenu(UiText::MenuNew);
    newMenu->setObjectName(QStringLiteral("mnuNew"));

    QAction* open =
        addCommand(file, QStringLiteral("mnuOpen"), UiText::MenuOpen, QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, [this] { runCommand([this] { files_->openChannelFile(); }); });
    QAction* save =
        addCommand(file, QStringLiteral("mnuSave"), UiText::MenuSave, QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, [this] { runCommand([this] { files_->saveChannelFile(); }); });
    file->addSeparator();
    QAction* import = addCommand(file, QStringLiteral("mnuImport"), CsvText::MenuImport);
    connect(import, &QAction::triggered, this, [this] { runCommand([this] { csv_->importCsv(); }); });
    QAction* exportCsv = addCommand(file, QStringLiteral("mnuExport"), CsvText::MenuExport);
    connect(exportCsv, &QAction::triggered, this, [this] { runCommand([this] { csv_->exportCsv(); }); });
    file->addSeparator();
    QMenu* recent = file->addMenu(UiText::MenuRecent);
    recent->setObjectName(QStringLiteral("mnuRecent"));
    recent_ = new RecentFiles(
        recent, [this](const QString& path) { runCommand([this, path] { openPath(path); }); }, this);
    connect(document_, &RadioDocument::fileChanged, this, [this] { recent_->add(document_->filePath()); });
    file->addSeparator();
    addRouted(file, Command::Preview, UiText::MenuPreview);
    addRouted(file, Command::Print, UiText::MenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    QAction* exit =
        addCommand(file, QStringLiteral("mnuExit"), UiText::MenuExit, QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    createProgramMenu(menuBar()->addMenu(UiText::MenuProgram));

    QMenu* edit = menuBar()->addMenu(UiText::MenuEdit);
    edit->setObjectName(QStringLiteral("mnuEdit"));
    createEditMenu(edit);
    edit->addSeparator();
    addRouted(edit, Command::Tune, UiText::MenuTune);

    QMenu* port = menuBar()->addMenu(UiText::MenuPortMenu);
    port->setObjectName(QStringLiteral("mnuPortMenu"));
    addRouted(port, Command::Port, UiText::MenuPort);

    QMenu* help = menuBar()->addMenu(UiText::MenuHelp);
    help->setObjectName(QStringLiteral("mnuHelp"));
    addRouted(help, Command::OpenTraces, UiText::MenuOpenTraces);
    addRouted(help, Command::About, UiText::MenuAbout);
    return newMenu;
}

void MainWindow::createProgramMenu(QMenu* program) {
    program->setObjectName(QStringLiteral("mnuProgram"));
    addRouted(program, Command::Read, UiText::MenuRead, QKeySequence(Qt::CTRL | Qt::Key_R));
    addRouted(program, Command::Write, UiText::MenuWrite, QKeySequence(Qt::CTRL | Qt::Key_W));
    addRouted(program, Command::Fleet, FleetTexts::MenuItem);
    program->addSeparator();
    addRouted(program, Command::OpenBackups, UiText::MenuOpenBackups);
    WritePreferences::addMenuItems(program);
}

void MainWindow::createEditMenu(QMenu* edit) {
    QAction* undo = addCommand(edit, QStringLiteral("mnuUndo"), RowText::MenuUndo, QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] {
        // An edit in progress is taken back first, so that no unchecked value becomes a step.
        if (!editing_->cancelEdit())
            history_->undo();
    });
    QAction* redo =
        addCommand(edit, QStringLiteral("mnuRedo"), RowText::MenuRedo, QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redo, &QAction::triggered, this, [this] {
        if (!editing_->cancelEdit())
            history_->redo();
    });
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&history_->stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&history_->stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    QAction* nextInvalid = addCommand(edit, QStringLiteral("mnuNextInvalid"), ValidityText::MenuNextInvalid,
                                      QKeySequence(Qt::Key_F8));
    connect(nextInvalid, &QAction::triggered, this, &MainWindow::selectNextInvalid);
    auto enableNextInvalid = [this, nextInvalid] { nextInvalid->setEnabled(document_->invalidCount() > 0); };
    connect(document_, &RadioDocument::validityChanged, nextInvalid, enableNextInvalid);
    enableNextInvalid();
    edit->addSeparator();
    addChannelCommands(edit);
}

void MainWindow::addChannelCommands(QMenu* edit) {
    // The channel commands, also in the grid's context menu.
    struct RowCommand {
        const char* name;
        const QString& text;
        QKeySequence keys;
        void (*run)(ChannelRowCommands&); // a plain function, see below
        bool separatorBefore;
    };
    const RowCommand commands[] = {
        {"mnuCopy", RowText::MenuCopy, QKeySequence(Qt::CTRL | Qt::Key_C),
         [](ChannelRowCommands& r) { r.copy(); }, false},
        {"mnuCut", RowText::MenuCut, {}, [](ChannelRowCommands& r) { r.cut(); }, false},
        {"mnuPaste", RowText::MenuPaste, QKeySequence(Qt::CTRL | Qt::Key_V),
         [](ChannelRowCommands& r) { r.paste(); }, false},
        {"mnuInsertRow", RowText::MenuInsertRow, {}, [](ChannelRowCommands& r) { r.insertRow(); }, true},
        {"mnuDeleteRow", RowText::MenuDeleteRow, {}, [](ChannelRowCommands& r) { r.deleteRows(); }, false},
        {"mnuMoveUp", RowText::MenuMoveUp, {}, [](ChannelRowCommands& r) { r.moveUp(); }, false},
        {"mnuMoveDown", RowText::MenuMoveDown, {}, [](ChannelRowCommands& r) { r.moveDown(); }, false},
        {"mnuClearRow", RowText::MenuClearRow, {}, [](ChannelRowCommands& r) { r.clearRows(); }, false},
        {"mnuBulkEdit", RowText::MenuBulkEdit, {}, [](ChannelRowCommands& r) { r.bulkEdit(); }, true},
    };
    auto* context = new QMenu(gridXDSZ_);
    context->setObjectName(QStringLiteral("mnuGridContext"));
    for (const RowCommand& c : commands) {
        if (c.separatorBefore) {
            edit->addSeparator();
            context->addSeparator();
        }
        QAction* action = addCommand(edit, QLatin1String(c.name), c.text, c.keys);
        // A captured function pointer, not a pointer to member: GCC 12's sanitizers report a stack underflow
        // inside the call of a member pointer captured this way, though the code is sound.
        connect(action, &QAction::triggered, this,
                [this, run = c.run] { runCommand([this, run] { run(*rows_); }); });
        context->addAction(action);
    }
    gridXDSZ_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gridXDSZ_, &QWidget::customContextMenuRequested, this,
            [this, context](const QPoint& at) { context->popup(gridXDSZ_->viewport()->mapToGlobal(at)); });
}

void MainWindow::selectNextInvalid() {
    const QModelIndex current = gridXDSZ_->currentIndex();
    const int row = current.isValid() ? ChannelTableModel::tableRow(current) : 0;
    const std::optional<CellRules::CellIssue> next =
        document_->nextInvalid(row, current.isValid() ? current.column() : 0);
    if (!next)
        return;
    editing_->hideEditors();
    const QModelIndex target = channelModel_->indexOf(next->row, next->column);
    gridXDSZ_->setCurrentIndex(target);
    gridXDSZ_->scrollTo(target);
    gridXDSZ_->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::createToolBar() {
    QToolBar* toolBar = addToolBar(QStringLiteral("tbToolBar"));
    toolBar->setObjectName(QStringLiteral("tbToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto routed = [this](Command command) { return [this, command] { commands_->run(command); }; };
    struct Button {
        const char* key;
        const char* icon;
        QString caption;
        std::function<void()> run;
        std::optional<Command> command; // a routed command's button is off until its handler is wired in
    };
    const Button buttons[] = {
        // "新建" has no menu item of its own: the menu opens the model list.
        {"New", "new", UiText::ToolNew, [this] { models_->chooseModel(); }, std::nullopt},
        {"Open", "open", UiText::Open, [this] { files_->openChannelFile(); }, std::nullopt},
        {"Save", "save", UiText::ToolSave, [this] { files_->saveChannelFile(); }, std::nullopt},
        {"Print", "print", UiText::ToolPrint, routed(Command::Print), Command::Print},
        {"Read", "read", UiText::ToolRead, routed(Command::Read), Command::Read},
        {"Write", "write", UiText::ToolWrite, routed(Command::Write), Command::Write},
    };
    for (const Button& b : buttons) {
        QAction* action = toolBar->addAction(toolIcon(b.icon), b.caption);
        action->setObjectName(QStringLiteral("tb") + QLatin1String(b.key));
        action->setData(QLatin1String(b.key));
        if (b.command)
            commands_->bindToolbarAction(*b.command, action);
        connect(action, &QAction::triggered, this, [this, run = b.run] {
            runCommand([this, &run] {
                run();
                // Whatever the command did, the port is not left open.
                closePort();
            });
        });
    }
}

void MainWindow::openPath(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("csv") && info.isFile()) {
        // The channels are replaced as one step that undo takes back: nothing is lost, so no question.
        csv_->importFile(path);
        return;
    }
    if (suffix == QLatin1String("json") && info.isFile()) {
        if (!files_->offerToSave())
            return;
        // Not a channel file: 另存 asks for one.
        files_->decodeWithMessages([this, &path](LoadedChannelFile* loaded) {
            return document_->openJson(path, QString(), loaded);
        });
        return;
    }
    if (suffix != QLatin1String("qfd")) {
        prompter_->message(this, Prompter::Icon::Information, UiText::TitleNotice,
                           UiText::DropUnknown.arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!info.isFile()) {
        recent_->remove(path);
        prompter_->message(this, Prompter::Icon::Information, UiText::TitleNotice,
                           UiText::RecentMissing.arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!files_->offerToSave())
        return;
    files_->loadChannelFile(path);
}

namespace {

QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    return data->urls().front().toLocalFile();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop ends before the file is opened, so that its questions do not hold the dragging program.
    QMetaObject::invokeMethod(
        this, [this, path] { runCommand([this, path] { openPath(path); }); }, Qt::QueuedConnection);
}

void MainWindow::closePort() {
    if (portCloser_)
        portCloser_();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Exit by menu, Ctrl+X or the close box: a modified table is offered for saving first.
    if (!files_->offerToSave()) {
        event->ignore();
        return;
    }
    closePort();
    housekeeping_->stop();
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        // Ctrl+X is the exit command of the window; only a cell editor takes it as "cut" of its text.
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_X) &&
            widget->window() == this && !editing_->isCellEditor(widget)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
