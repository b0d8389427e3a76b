#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "config/error.h"

struct LoadedChannelFile;

class Prompter;
class QWidget;
class RadioDocument;

// Open and Save of channel files for the main window: the file dialogs, the busy pointer, and the messages
// around LoadChannelFile and SaveChannelFile. A file replaces the document only when it decoded whole.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(RadioDocument& document, Prompter& prompter, QWidget* window);

    void openChannelFile(); // Open: the save question, the file dialog, then loadChannelFile
    // Save: file dialog, then the file and "保存成功"; whether the file was saved.
    bool saveChannelFile();
    // Before a command that would discard a modified document: "信道数据已修改，是否保存？" with 保存, 不保存
    // and 取消. Whether the command may go on: the document was not modified, was saved, or the user
    // chose not to save it.
    bool offerToSave();
    enum class MissingFile { Silent, Reported };
    // Decodes and applies a file with its messages; a missing file is reported only when asked to be, as
    // for a file named on the command line. Whether the document now holds the file.
    bool loadChannelFile(const QString& path, MissingFile missing = MissingFile::Silent);
    // Runs a decode into the document under the busy pointer, then shows what Open shows: nothing for a
    // missing file, an error titled with its code, or the notice of a file that ended early. A `note` is
    // added to that message as a line of its own, or shown alone when there is none. Returns the decode's
    // error.
    Error decodeWithMessages(const std::function<Error(LoadedChannelFile*)>& decode,
                             const QString& note = QString());
    // The title of "保存成功": the main window's caption.
    void setMessageTitle(const QString& title) { messageTitle_ = title; }

private:
    RadioDocument& document_;
    Prompter& prompter_;
    QWidget* window_;
    QString messageTitle_;
};
