#pragma once

#include <QString>
#include <functional>
#include <map>

#include "config/error.h"

class Prompter;
class QAction;
class QWidget;

// The commands wired in from outside the main window, each with its menu item and perhaps a toolbar
// button. Nothing pretends to work: both stay off until a handler is set. A handler reports an error it
// has not shown itself; the router shows it titled with its code.
class CommandRouter {
public:
    enum class Command { Read, Write, Fleet, OpenBackups, Preview, Print, Tune, Port, About, OpenTraces };
    using Handler = std::function<Error()>;

    // Messages go through `prompter`, over `messageParent`.
    CommandRouter(Prompter& prompter, QWidget* messageParent);

    // The object name of the command's menu item, "mnuRead" and so on.
    static QString menuName(Command command);

    // Binds the menu item or the toolbar button of a command and turns it off.
    void bindMenuAction(Command command, QAction* action);
    void bindToolbarAction(Command command, QAction* action);

    // Routes the command to the handler and turns its item and button on (off for an empty handler).
    void setHandler(Command command, Handler handler);
    QAction* menuAction(Command command) const;
    QAction* toolbarAction(Command command) const; // nullptr for commands without a button

    // Runs the command's handler, if one is set, and shows the error it returns.
    void run(Command command) const;

private:
    Prompter& prompter_;
    QWidget* messageParent_;
    std::map<Command, QAction*> menuActions_;
    std::map<Command, QAction*> toolbarActions_;
    std::map<Command, Handler> handlers_;
};
