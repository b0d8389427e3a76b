#pragma once

#include <QByteArray>
#include <QString>

#include "config/error.h"

// The received file of a read: one line per block reply, in the order received, each of the twelve bytes
// as two upper-case hex digits followed by a space, then CR LF. Appended block by block, so that a read
// that stops early leaves the blocks it got.
class ReceivedFile {
public:
    explicit ReceivedFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // Deletes a file left by an earlier read and makes sure the folder exists.
    Error reset() const;
    Error append(const QByteArray& reply) const;

    static QByteArray line(const QByteArray& reply);
    // The per-user location of the desktop program: <AppDataLocation>/received.qfd.
    static QString defaultPath();

private:
    QString path_;
};
