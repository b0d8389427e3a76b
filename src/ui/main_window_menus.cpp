// Menus, toolbar, status bar and the routing of commands.
#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <optional>

#include "texts/ui_texts.h"
#include "ui/file_commands.h"
#include "ui/main_window.h"
#include "ui/model_commands.h"
#include "ui/prompter.h"

namespace {

constexpr int kClockIntervalMs = 1000;

QString commandName(MainWindow::Command c) {
    switch (c) {
    case MainWindow::Command::Read:
        return QStringLiteral("mnuRead");
    case MainWindow::Command::Write:
        return QStringLiteral("mnuWrite");
    case MainWindow::Command::Preview:
        return QStringLiteral("mnuPreview");
    case MainWindow::Command::Print:
        return QStringLiteral("mnuPrint");
    case MainWindow::Command::Tune:
        return QStringLiteral("mnuTune");
    case MainWindow::Command::Port:
        return QStringLiteral("mnuPort");
    case MainWindow::Command::About:
        return QStringLiteral("mnuAbout");
    }
    return {};
}

QIcon toolIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

QAction* MainWindow::addCommand(QMenu* menu, const QString& name, const QString& text,
                                const QKeySequence& keys) {
    auto* action = menu->addAction(text);
    action->setObjectName(name);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(UiText::MenuFile);
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuNew_ = file->addMenu(UiText::MenuNew);
    mnuNew_->setObjectName(QStringLiteral("mnuNew"));

    mnuOpen_ =
        addCommand(file, QStringLiteral("mnuOpen"), UiText::MenuOpen, QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(mnuOpen_, &QAction::triggered, this,
            [this] { runCommand([this] { files_->openChannelFile(); }); });
    mnuSave_ =
        addCommand(file, QStringLiteral("mnuSave"), UiText::MenuSave, QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(mnuSave_, &QAction::triggered, this,
            [this] { runCommand([this] { files_->saveChannelFile(); }); });
    file->addSeparator();
    commandActions_[Command::Preview] =
        addCommand(file, commandName(Command::Preview), UiText::MenuPreview, {});
    commandActions_[Command::Print] =
        addCommand(file, commandName(Command::Print), UiText::MenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    QAction* exit =
        addCommand(file, QStringLiteral("mnuExit"), UiText::MenuExit, QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* program = menuBar()->addMenu(UiText::MenuProgram);
    program->setObjectName(QStringLiteral("mnuProgram"));
    commandActions_[Command::Read] =
        addCommand(program, commandName(Command::Read), UiText::MenuRead, QKeySequence(Qt::CTRL | Qt::Key_R));
    commandActions_[Command::Write] = addCommand(program, commandName(Command::Write), UiText::MenuWrite,
                                                 QKeySequence(Qt::CTRL | Qt::Key_W));

    QMenu* edit = menuBar()->addMenu(UiText::MenuEdit);
    edit->setObjectName(QStringLiteral("mnuEdit"));
    commandActions_[Command::Tune] = addCommand(edit, commandName(Command::Tune), UiText::MenuTune, {});

    QMenu* port = menuBar()->addMenu(UiText::MenuPortMenu);
    port->setObjectName(QStringLiteral("mnuPortMenu"));
    commandActions_[Command::Port] = addCommand(port, commandName(Command::Port), UiText::MenuPort, {});

    QMenu* help = menuBar()->addMenu(UiText::MenuHelp);
    help->setObjectName(QStringLiteral("mnuHelp"));
    commandActions_[Command::About] = addCommand(help, commandName(Command::About), UiText::MenuAbout, {});

    // Nothing pretends to work: a command is enabled when its handler is wired in.
    for (auto& [command, action] : commandActions_) {
        action->setEnabled(false);
        const Command c = command;
        connect(action, &QAction::triggered, this, [this, c] {
            runCommand([this, c] {
                const auto h = handlers_.find(c);
                if (h == handlers_.end())
                    return;
                if (const Error e = h->second(); e.isError())
                    showCommandError(e);
            });
        });
    }
}

void MainWindow::createToolBar() {
    QToolBar* toolBar = addToolBar(QStringLiteral("tbToolBar"));
    toolBar->setObjectName(QStringLiteral("tbToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Button {
        const char* key;
        const char* icon;
        QString caption;
        QAction* menuAction;
        std::optional<Command> command;
    };
    const Button buttons[] = {
        {"New", "new", UiText::ToolNew, nullptr, std::nullopt},
        {"Open", "open", UiText::Open, mnuOpen_, std::nullopt},
        {"Save", "save", UiText::ToolSave, mnuSave_, std::nullopt},
        {"Print", "print", UiText::ToolPrint, commandActions_[Command::Print], Command::Print},
        {"Read", "read", UiText::ToolRead, commandActions_[Command::Read], Command::Read},
        {"Write", "write", UiText::ToolWrite, commandActions_[Command::Write], Command::Write},
    };
    for (const Button& b : buttons) {
        QAction* action = toolBar->addAction(toolIcon(b.icon), b.caption);
        action->setObjectName(QStringLiteral("tb") + QLatin1String(b.key));
        action->setData(QLatin1String(b.key));
        if (b.command) {
            action->setEnabled(false);
            toolbarActions_[*b.command] = action;
        }
        QAction* menuAction = b.menuAction;
        connect(action, &QAction::triggered, this, [this, menuAction] { runToolbarCommand(menuAction); });
    }
}

void MainWindow::runToolbarCommand(QAction* menuAction) {
    runCommand([this, menuAction] {
        if (!menuAction) {
            models_->chooseModel(); // "新建" has no menu item of its own: the menu opens the model list
        } else if (menuAction == mnuOpen_) {
            files_->openChannelFile();
        } else if (menuAction == mnuSave_) {
            files_->saveChannelFile();
        } else {
            for (const auto& [command, action] : commandActions_) {
                if (action != menuAction)
                    continue;
                const auto h = handlers_.find(command);
                if (h != handlers_.end()) {
                    if (const Error e = h->second(); e.isError())
                        showCommandError(e);
                }
            }
        }
        // Whatever the command did, the port is not left open.
        closePort();
    });
}

void MainWindow::showCommandError(const Error& error) {
    prompter_->message(this, Prompter::Icon::Information, QString::number(error.code), error.description);
}

void MainWindow::closePort() {
    if (portCloser_)
        portCloser_();
}

void MainWindow::setCommandHandler(Command command, CommandHandler handler) {
    handlers_[command] = std::move(handler);
    const bool on = bool(handlers_[command]);
    commandActions_[command]->setEnabled(on);
    if (const auto t = toolbarActions_.find(command); t != toolbarActions_.end())
        t->second->setEnabled(on);
}

QAction* MainWindow::commandAction(Command command) const {
    const auto a = commandActions_.find(command);
    return a == commandActions_.end() ? nullptr : a->second;
}

QAction* MainWindow::toolbarAction(Command command) const {
    const auto a = toolbarActions_.find(command);
    return a == toolbarActions_.end() ? nullptr : a->second;
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QStringLiteral("sbPanel%1").arg(i + 1));
        statusPanels_[i]->setFrameShape(QFrame::StyledPanel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        statusPanels_[i]->setContentsMargins(4, 0, 4, 0);
    }
    bar->addWidget(statusPanels_[0], 1);
    bar->addPermanentWidget(statusPanels_[1]);
    bar->addPermanentWidget(statusPanels_[2]);
    auto* clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("sbClock"));
    clock->setInterval(kClockIntervalMs);
    connect(clock, &QTimer::timeout, this, &MainWindow::updateClock);
    clock->start();
    updateClock();
}

void MainWindow::updateClock() {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    statusPanels_[1]->setText(chinese.toString(QDate::currentDate(), QLocale::ShortFormat));
    statusPanels_[2]->setText(chinese.toString(QTime::currentTime(), QStringLiteral("HH:mm:ss")));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Unsaved grid contents are discarded without a question; only the port is closed.
    closePort();
    timer_->stop();
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        // Text boxes would take Ctrl+X as "cut"; here it is the exit command, and there is no cut.
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_X) &&
            widget->window() == this) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
