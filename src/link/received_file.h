#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "config/error.h"

class QTemporaryFile;

// The received file of a read: one line per block reply, in the order received, each of the twelve bytes
// as two upper-case hex digits followed by a space, then CR LF. The lines go to a temporary file beside the
// path, held open for the whole read, so the file at the path is only ever replaced whole by keep(); a
// temporary file that is not kept is removed with this object.
class ReceivedFile {
public:
    explicit ReceivedFile(QString path);
    ~ReceivedFile();
    ReceivedFile(const ReceivedFile&) = delete;
    ReceivedFile& operator=(const ReceivedFile&) = delete;

    const QString& path() const { return path_; }
    // Refuses a path that is there and is not a regular file, makes sure the folder exists and opens a
    // fresh temporary file beside the path; whatever an earlier begin() collected is dropped.
    Error begin();
    Error append(const QByteArray& reply);
    int blocks() const { return blocks_; }
    // The file holding what arrived: the temporary file until it is kept, the path afterwards.
    QString dataPath() const;
    // Puts what arrived in place of the file at the path.
    Error keep();

    static QByteArray line(const QByteArray& reply);
    // The per-user location of the desktop program: <AppDataLocation>/received.qfd.
    static QString defaultPath();

private:
    // A symbolic link, folder, FIFO or device at the path is never replaced or written through.
    Error refuseToReplace() const;
    QString path_;
    std::unique_ptr<QTemporaryFile> temp_;
    int blocks_ = 0;
    bool kept_ = false;
};
