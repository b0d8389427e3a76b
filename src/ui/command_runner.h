#pragma once

#include <functional>

class QDialog;

// Runs the main window's commands and its own modal windows. Closing an own modal window activates the main
// window again, but only once the running command has returned, so that the command finishes with its
// window's result before the activation looks at the document.
class CommandRunner {
public:
    // Shows a modal window and returns its result; tests replace it to answer dialogs.
    using DialogRunner = std::function<int(QDialog*)>;

    explicit CommandRunner(std::function<void()> activate);

    void setDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }
    // Runs an own modal window; the activation follows when no command is running any more.
    int execDialog(QDialog* dialog);
    // Runs a command; an activation asked for meanwhile waits until it has returned.
    void run(const std::function<void()>& body);

private:
    void activateIfPending();

    std::function<void()> activate_;
    DialogRunner dialogRunner_;
    bool activationPending_ = false;
    int depth_ = 0;
};
