#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "link/transfer_session.h"

class MainWindow;

// Where the desktop program keeps what its transfers leave (the backups of its reads and writes, the serial
// trace of each transfer), "打开备份文件夹" and "打开日志文件夹", and the status bar notes of what was kept.
// A backup or trace that cannot be saved never spoils the transfer: it is a note, not a message box.
class BackupCommands {
public:
    // Opens a folder in the desktop's file manager; tests record the URL instead.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit BackupCommands(MainWindow& window);

    QString folder() const { return folder_; }
    void setFolder(const QString& folder) { folder_ = folder; }
    QString traceFolder() const { return traceFolder_; }
    void setTraceFolder(const QString& folder) { traceFolder_ = folder; }
    void setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

    // Where a transfer keeps its backups and its trace.
    TransferSession::Keeping keeping() const { return {folder_, QString(), traceFolder_}; }
    // The status bar note of a backup: its name, or why it was not saved.
    void noteBackup(const TransferSession::Kept& kept);
    // The note of a trace that could not be saved.
    void noteTrace(const TransferSession::Kept& kept);

    // Create the folder if it is missing and open it.
    void openFolder();
    void openTraceFolder();

private:
    void openFolderAt(const QString& folder, const QString& wontOpenText);

    MainWindow& window_;
    QString folder_;
    QString traceFolder_;
    UrlOpener opener_;
};
