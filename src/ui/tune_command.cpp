#include "ui/tune_command.h"

#include "config/app_config.h"
#include "config/ini_file.h"
#include "document/radio_document.h"
#include "texts/ui_texts.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/prompter.h"
#include "ui/tune_window.h"

namespace {

TuneWindow::Context contextOf(const MainWindow& window) {
    TuneWindow::Context c;
    const RadioDocument& document = window.document();
    c.modelName = document.model().strPc;
    c.bandIndex = document.model().band;
    c.bandRanges = {document.bandRange(1), document.bandRange(2)};
    c.rangeLabel = document.rangeText();
    c.messageTitle = window.applicationTitle();
    return c;
}

} // namespace

void runTuneCommand(MainWindow& window) {
    Prompter& prompter = *window.prompter();
    {
        LoginDialog login(prompter, &window);
        window.execDialog(&login);
        if (!login.LoginSucceeded)
            return;
    }
    TuneValues values = window.document().settings().tune;
    TuneWindow tune(contextOf(window), values, prompter, &window);
    window.execDialog(&tune);
    if (!(values == window.document().settings().tune))
        window.document().setTune(values);
    const auto stored = tune.storedRange();
    if (!stored)
        return;
    window.document().setBandRange(stored->band, stored->text);
    if (tune.exit() != TuneWindow::Exit::ExitNode)
        return; // the close box keeps the new range for this run only
    if (!WriteIniString(ConfigKeys::Frequent, ConfigKeys::bandKey(stored->band), stored->text,
                        window.configPath())) {
        prompter.message(&window, Prompter::Icon::Warning, UiText::TitleError,
                         TuneText::RangeNotWritten.arg(window.configPath()));
    }
}
