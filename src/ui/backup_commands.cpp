#include "ui/backup_commands.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "config/error_texts.h"
#include "document/radio_document.h"
#include "link/read_job.h"
#include "link/transfer_backup.h"
#include "link/write_job.h"
#include "texts/ui_texts.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

BackupCommands::BackupCommands(MainWindow& window)
    : window_(window), opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void BackupCommands::note(const Error& error, const QString& savedPath) {
    if (error.isError())
        window_.addStatusNote(RadioText::BackupFailed.arg(error.description));
    else if (!savedPath.isEmpty())
        // The name is enough beside the caption; "打开备份文件夹" shows where it is.
        window_.addStatusNote(RadioText::BackupSaved.arg(QFileInfo(savedPath).fileName()));
}

QString BackupCommands::afterRead(const ReadJob& job, const TransferResult& result) {
    QString saved;
    const Error e = TransferBackup::saveRead(job, window_.document().models(), store_,
                                             QDateTime::currentDateTime(), &saved);
    note(e, saved);
    if (result.ok() || saved.isEmpty())
        return QString();
    return RadioText::ReceivedBackedUp.arg(QDir::toNativeSeparators(saved));
}

void BackupCommands::beforeWrite(const QString& modelName, const QByteArray& contents) {
    QString saved;
    const Error e =
        TransferBackup::saveRadio(modelName, contents, store_, QDateTime::currentDateTime(), &saved);
    note(e, saved);
}

QString BackupCommands::afterWrite(const WriteSequence& job, const QString& modelName) {
    QString saved;
    const Error e = TransferBackup::saveWrite(job, modelName, store_, QDateTime::currentDateTime(), &saved);
    note(e, saved);
    return saved;
}

void BackupCommands::openFolder() {
    openFolderAt(store_.folder(), RadioText::BackupFolderWontOpen);
}

void BackupCommands::openTraceFolder() {
    openFolderAt(traces_.folder(), RadioText::TraceFolderWontOpen);
}

void BackupCommands::openFolderAt(const QString& folder, const QString& wontOpenText) {
    Prompter& prompter = *window_.prompter();
    if (!QDir().mkpath(folder)) {
        prompter.message(&window_, Prompter::Icon::Information, QString::number(ErrorCode::PathNotFound),
                         ErrorText::pathNotFound(folder));
        return;
    }
    if (!opener_(QUrl::fromLocalFile(folder)))
        prompter.message(&window_, Prompter::Icon::Information, UiText::TitleNotice,
                         wontOpenText.arg(QDir::toNativeSeparators(folder)));
}

QString BackupCommands::tracePath(const QString& kind) const {
    return traces_.pathFor(kind, QDateTime::currentDateTime());
}

void BackupCommands::keepTrace(const TransferTrace& trace, const QString& path) {
    if (const Error e = traces_.save(trace, path); e.isError())
        window_.addStatusNote(RadioText::TraceFailed.arg(e.description));
}
