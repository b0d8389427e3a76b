#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "config/error.h"

// The per-user folder that keeps a channel file of every read and every write, so that what a radio held
// or was sent can be had back after a bad write or a lost file. Files are named by local time, kind and
// model ("20261209-041502-读频-A16-1.qfd"); those older than a year go whenever another is saved.
class BackupStore {
public:
    enum class Kind { Read, Write };

    // The words of the kinds in the file names; prune() knows a backup by its time, not by these.
    static const QString ReadWord;
    static const QString WriteWord;
    static constexpr int kKeepYears = 1;

    // <AppDataLocation of "RadioCPS">/backups: the desktop program and radiocps-cli share it.
    static QString defaultFolder();

    explicit BackupStore(QString folder = defaultFolder());
    const QString& folder() const { return folder_; }

    // The file name a backup taken at `when` gets, before it is made unique: the model name with path
    // separators and characters that file systems refuse replaced, and left out when nothing remains.
    static QString fileName(Kind kind, const QString& modelName, const QDateTime& when);

    // Creates the folder if needed and writes the contents whole under a name no other backup has (a
    // second backup in the same second gets "-2" and so on), then prunes. `savedPath` gets the file.
    Error save(Kind kind, const QString& modelName, const QByteArray& channelFileContents,
               const QDateTime& when, QString* savedPath) const;

    // Removes the .qfd files of the folder older than a year before `now`, by the time their name starts
    // with or else their modification time. Returns how many went.
    int prune(const QDateTime& now) const;

private:
    QString folder_;
};
