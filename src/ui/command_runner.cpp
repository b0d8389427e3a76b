#include "ui/command_runner.h"

#include <QDialog>

CommandRunner::CommandRunner(std::function<void()> activate)
    : activate_(std::move(activate)), dialogRunner_([](QDialog* d) { return d->exec(); }) {}

int CommandRunner::execDialog(QDialog* dialog) {
    const int result = dialogRunner_(dialog);
    activationPending_ = true;
    if (depth_ == 0)
        activateIfPending();
    return result;
}

void CommandRunner::run(const std::function<void()>& body) {
    ++depth_;
    body();
    --depth_;
    if (depth_ == 0)
        activateIfPending();
}

void CommandRunner::activateIfPending() {
    // An activation may open a modal window and so ask for another one.
    while (activationPending_) {
        activationPending_ = false;
        activate_();
    }
}
