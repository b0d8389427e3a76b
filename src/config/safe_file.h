#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include "config/error.h"

// Every file the tool writes goes through here. Qt 6.4's QSaveFile::commit() renames the new file into
// place even when a buffered write failed (a full disk), so the old file would be lost and the caller
// told it succeeded. These helpers check every write and the final flush first, and replace the file
// under the user's name only when the whole new content is on disk; otherwise the old file stays whole.

// A path that exists and is not a regular file (a folder, FIFO or device) is refused before anything opens
// it: reading would block on a FIFO, writing would replace or feed what is not the user's file.
Error checkRegularFile(const QString& path);

// Reads a whole regular file: FileNotFound when it is missing, PathFileAccess when it cannot be read.
// Every error names the file.
Error readRegularFile(const QString& path, QByteArray* bytes);

// The rule for every file the programs create or replace at `path`:
// - a symbolic link at the name is refused, never written through (it may point at anything);
// - so is anything else that is not a regular file (see checkRegularFile);
// - the folder must be there: a path the user named never gets folders made for it (PathNotFound, naming
//   the folder); only the program's own per-user folders are made, by makeOwnFolder;
// - a new file gets the permissions the umask leaves of rw-rw-rw-, a replaced file keeps its own.
Error checkNewFile(const QString& path);

// Makes a per-user folder the program owns (backups, traces, the received file), with its parents.
Error makeOwnFolder(const QString& folder);

// Writes `bytes` to `path` in one go, under the rule of checkNewFile.
Error writeFileAtomically(const QString& path, const QByteArray& bytes);

// For writers that stream into a QIODevice (the PDF writer): open(), let the writer use device(), then
// commit(). Destroying it uncommitted discards the new content and keeps the old file.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    Error open();
    QIODevice* device() { return &file_; }
    // A checked write; a short or failed write is an error and later commits fail too.
    Error write(const QByteArray& bytes);
    // Flushes, checks the device's error state, and only then puts the file in place.
    Error commit();
    void cancel();

private:
    Error failure(const QString& reason) const;

    QString path_;
    QSaveFile file_;
    bool failed_ = false;
};

// A file that takes the place of `path` whole, written first beside it under a name of its own that can be
// read while the writing goes on (what a read has received so far). open() and putInPlace() apply the rule
// of checkNewFile; a file not put in place is removed with this object.
class FileBeside {
public:
    explicit FileBeside(const QString& path);
    ~FileBeside();
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    Error open();
    QFile* device() { return &file_; }
    // The file beside the path, while it is open.
    QString fileName() const { return file_.fileName(); }
    // Replaces the file at the path by the one beside it, in one rename.
    Error putInPlace();

private:
    QString path_;
    QFile file_;
};
