#include "ui/command_router.h"

#include <QAction>

#include "ui/prompter.h"

CommandRouter::CommandRouter(Prompter& prompter, QWidget* messageParent)
    : prompter_(prompter), messageParent_(messageParent) {}

QString CommandRouter::menuName(Command command) {
    switch (command) {
    case Command::Read:
        return QStringLiteral("mnuRead");
    case Command::Write:
        return QStringLiteral("mnuWrite");
    case Command::Fleet:
        return QStringLiteral("mnuFleet");
    case Command::OpenBackups:
        return QStringLiteral("mnuOpenBackups");
    case Command::Preview:
        return QStringLiteral("mnuPreview");
    case Command::Print:
        return QStringLiteral("mnuPrint");
    case Command::Tune:
        return QStringLiteral("mnuTune");
    case Command::Port:
        return QStringLiteral("mnuPort");
    case Command::About:
        return QStringLiteral("mnuAbout");
    case Command::OpenTraces:
        return QStringLiteral("mnuOpenTraces");
    }
    return {};
}

void CommandRouter::bindMenuAction(Command command, QAction* action) {
    action->setEnabled(false);
    menuActions_[command] = action;
}

void CommandRouter::bindToolbarAction(Command command, QAction* action) {
    action->setEnabled(false);
    toolbarActions_[command] = action;
}

void CommandRouter::setHandler(Command command, Handler handler) {
    handlers_[command] = std::move(handler);
    const bool on = bool(handlers_[command]);
    if (QAction* a = menuAction(command))
        a->setEnabled(on);
    if (QAction* a = toolbarAction(command))
        a->setEnabled(on);
}

QAction* CommandRouter::menuAction(Command command) const {
    const auto a = menuActions_.find(command);
    return a == menuActions_.end() ? nullptr : a->second;
}

QAction* CommandRouter::toolbarAction(Command command) const {
    const auto a = toolbarActions_.find(command);
    return a == toolbarActions_.end() ? nullptr : a->second;
}

void CommandRouter::run(Command command) const {
    const auto h = handlers_.find(command);
    if (h == handlers_.end())
        return;
    if (const Error e = h->second(); e.isError())
        prompter_.showError(messageParent_, e);
}
