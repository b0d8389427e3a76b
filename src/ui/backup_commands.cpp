#include "ui/backup_commands.h"

#include <QDesktopServices>
#include <QDir>
#include <QStatusBar>

#include "config/error_texts.h"
#include "document/radio_document.h"
#include "link/read_job.h"
#include "link/transfer_backup.h"
#include "link/write_job.h"
#include "texts/ui_texts.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

namespace {
// Long enough to be read after the transfer's messages, short enough not to hide the caption for good.
constexpr int kStatusNoteMs = 60000;
} // namespace

BackupCommands::BackupCommands(MainWindow& window)
    : window_(window), opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void BackupCommands::note(const Error& error, const QString& savedPath) {
    if (error.isError())
        window_.statusBar()->showMessage(RadioText::BackupFailed.arg(error.description), kStatusNoteMs);
    else if (!savedPath.isEmpty())
        window_.statusBar()->showMessage(RadioText::BackupSaved.arg(QDir::toNativeSeparators(savedPath)),
                                         kStatusNoteMs);
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

void BackupCommands::afterWrite(const WriteJob& job, const TransferResult& result, const QString& modelName) {
    if (!TransferBackup::writeReachedRadio(result))
        return;
    QString saved;
    const Error e = TransferBackup::saveWrite(job, modelName, store_, QDateTime::currentDateTime(), &saved);
    note(e, saved);
}

void BackupCommands::openFolder() {
    Prompter& prompter = *window_.prompter();
    if (!QDir().mkpath(store_.folder())) {
        prompter.message(&window_, Prompter::Icon::Information, QString::number(ErrorCode::PathNotFound),
                         ErrorText::pathNotFound(store_.folder()));
        return;
    }
    if (!opener_(QUrl::fromLocalFile(store_.folder())))
        prompter.message(&window_, Prompter::Icon::Information, UiText::TitleNotice,
                         RadioText::BackupFolderWontOpen.arg(QDir::toNativeSeparators(store_.folder())));
}
