#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "config/error.h"

class FileBeside;

// The received file of a read: one line per block reply, in the order received, each of the twelve bytes
// as two upper-case hex digits followed by a space, then CR LF. The lines go to a temporary file beside the
// path, held open for the whole read, so the file at the path is only ever replaced whole by keep(); a
// temporary file that is not kept is removed with this object. The file follows the rule of every file the
// programs create (see checkNewFile).
class ReceivedFile {
public:
    enum class Folder {
        Own,  // the program's per-user data folder: made when missing
        Named // a path the user named: its folder must be there
    };

    explicit ReceivedFile(QString path, Folder folder = Folder::Own);
    ~ReceivedFile();
    ReceivedFile(const ReceivedFile&) = delete;
    ReceivedFile& operator=(const ReceivedFile&) = delete;

    const QString& path() const { return path_; }
    // Refuses a path the rule refuses, makes its own folder when missing and opens a fresh temporary file
    // beside the path; whatever an earlier begin() collected is dropped.
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
    QString path_;
    Folder folder_;
    std::unique_ptr<FileBeside> temp_;
    int blocks_ = 0;
    bool kept_ = false;
};
