#include "ui/file_commands.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QWidget>

#include "config/error_texts.h"
#include "document/radio_document.h"
#include "image/block_address.h"
#include "texts/ui_texts.h"
#include "ui/file_choice.h"
#include "ui/prompter.h"

namespace {

const QString kChannelFileSuffix = QStringLiteral("qfd");

// The busy pointer for the time of a load; restored on every way out.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

FileCommands::FileCommands(RadioDocument& document, Prompter& prompter, QWidget* window)
    : QObject(window), document_(document), prompter_(prompter), window_(window) {}

void FileCommands::openChannelFile() {
    if (!offerToSave())
        return;
    const QString path = FileChoice::openFile(prompter_, window_, UiText::Open, UiText::ChannelFileFilter);
    if (path.isEmpty())
        return; // cancelled
    loadChannelFile(path);
}

bool FileCommands::loadChannelFile(const QString& path, MissingFile missing) {
    if (missing == MissingFile::Reported && !QFileInfo(path).isFile()) {
        prompter_.message(window_, Prompter::Icon::Information, QString::number(ErrorCode::FileNotFound),
                          ErrorText::fileNotFound(path));
        return false;
    }
    // Decoded completely before anything changes: a malformed file leaves the document as it was.
    return !decodeWithMessages([this, &path](LoadedChannelFile* loaded) {
                return document_.openFile(path, loaded);
            }).isError();
}

Error FileCommands::decodeWithMessages(const std::function<Error(LoadedChannelFile*)>& decode,
                                       const QString& note) {
    LoadedChannelFile loaded;
    Error error;
    {
        const BusyPointer busy;
        error = decode(&loaded);
    }
    QString title;
    QString text;
    if (error.code == ErrorCode::FileNotFound) {
        // Silent: there is nothing to show.
    } else if (error.isError()) {
        const TransferTexts::Shown shown = TransferTexts::error(error);
        title = shown.title;
        text = shown.text;
    } else if (!loaded.complete) {
        title = QString::number(ErrorCode::InputPastEnd);
        text = UiText::FileIncomplete.arg(loaded.linesRead).arg(blockCount(loaded.model.I_data()));
    }
    if (!note.isEmpty()) {
        if (text.isEmpty())
            title = UiText::TitleNotice;
        text = text.isEmpty() ? note : text + QLatin1Char('\n') + note;
    }
    if (!text.isEmpty())
        prompter_.message(window_, Prompter::Icon::Information, title, text);
    return error;
}

bool FileCommands::saveChannelFile() {
    const QString path = FileChoice::saveFile(prompter_, window_, UiText::SaveDialogTitle,
                                              UiText::ChannelFileFilter, kChannelFileSuffix);
    if (path.isEmpty())
        return false; // cancelled
    if (const Error e = document_.saveFile(path); e.isError()) {
        prompter_.showError(window_, e, TransferTexts::ErrorForm::Failed);
        return false;
    }
    prompter_.message(window_, Prompter::Icon::Information, messageTitle_, UiText::Saved);
    return true;
}

bool FileCommands::offerToSave() {
    if (!document_.isModified())
        return true;
    switch (prompter_.message(window_, Prompter::Icon::Warning, messageTitle_, UiText::AskSaveChanges,
                              Prompter::Buttons::SaveDiscardCancel)) {
    case Prompter::Answer::Save:
        return saveChannelFile();
    case Prompter::Answer::Discard:
        return true;
    default:
        return false;
    }
}
