#pragma once

#include <QByteArray>
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
Error readRegularFile(const QString& path, QByteArray* bytes);

// Writes `bytes` to `path` in one go. Refuses a path that exists and is not a regular file.
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
