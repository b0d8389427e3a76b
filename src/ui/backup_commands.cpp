#include "ui/backup_commands.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "config/error_texts.h"
#include "texts/ui_texts.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

BackupCommands::BackupCommands(MainWindow& window)
    : window_(window), folder_(TransferSession::defaultBackupFolder()),
      traceFolder_(TransferSession::defaultTraceFolder()),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void BackupCommands::noteBackup(const TransferSession::Kept& kept) {
    if (kept.error.isError())
        window_.addStatusNote(RadioText::BackupFailed.arg(kept.error.description));
    else if (!kept.path.isEmpty())
        // The name is enough beside the caption; "打开备份文件夹" shows where it is.
        window_.addStatusNote(RadioText::BackupSaved.arg(QFileInfo(kept.path).fileName()));
}

void BackupCommands::noteTrace(const TransferSession::Kept& kept) {
    if (kept.error.isError())
        window_.addStatusNote(RadioText::TraceFailed.arg(kept.error.description));
}

void BackupCommands::openFolder() {
    openFolderAt(folder_, RadioText::BackupFolderWontOpen);
}

void BackupCommands::openTraceFolder() {
    openFolderAt(traceFolder_, RadioText::TraceFolderWontOpen);
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
