#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "document/backup_store.h"
#include "link/trace_store.h"
#include "link/transfer_action.h"

class MainWindow;
class ReadJob;
class TransferTrace;
class WriteSequence;

// What the desktop program keeps of its transfers: the backups after its reads and writes with
// "打开备份文件夹", and the serial trace of each transfer with "打开日志文件夹". A backup or trace that
// cannot be saved never spoils the transfer: it is a note in the status bar, not a message box.
class BackupCommands {
public:
    // Opens a folder in the desktop's file manager; tests record the URL instead.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit BackupCommands(MainWindow& window);

    QString folder() const { return store_.folder(); }
    void setFolder(const QString& folder) { store_ = BackupStore(folder); }
    void setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

    // Backs up what a finished read received. After a read that did not complete, returns the line that
    // names the backup for the message shown next; otherwise nothing.
    QString afterRead(const ReadJob& job, const TransferResult& result);
    // Backs up what the radio held, as the read ahead of a write found it.
    void beforeWrite(const QString& modelName, const QByteArray& contents);
    // Backs up the image of a write that reached the radio; returns the backup's path, if one was saved.
    QString afterWrite(const WriteSequence& job, const QString& modelName);
    // Creates the folder if it is missing and opens it.
    void openFolder();

    QString traceFolder() const { return traces_.folder(); }
    void setTraceFolder(const QString& folder) { traces_ = TraceStore(folder); }
    // Where the trace of a transfer of `kind` starting now will be kept.
    QString tracePath(const QString& kind) const;
    // Keeps the trace at `path` (see tracePath) and prunes the folder to the newest traces.
    void keepTrace(const TransferTrace& trace, const QString& path);
    void openTraceFolder();

private:
    void note(const Error& error, const QString& savedPath);
    void openFolderAt(const QString& folder, const QString& wontOpenText);

    MainWindow& window_;
    BackupStore store_;
    TraceStore traces_;
    UrlOpener opener_;
};
