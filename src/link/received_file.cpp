#include "link/received_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "config/error_texts.h"
#include "config/safe_file.h"

ReceivedFile::ReceivedFile(QString path) : path_(std::move(path)) {}

ReceivedFile::~ReceivedFile() = default;

QByteArray ReceivedFile::line(const QByteArray& reply) {
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(reply.size() * 3 + 2);
    for (char c : reply) {
        const auto b = static_cast<quint8>(c);
        out.append(digits[b >> 4]);
        out.append(digits[b & 0x0F]);
        out.append(' ');
    }
    out.append("\r\n");
    return out;
}

QString ReceivedFile::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/received.qfd");
}

Error ReceivedFile::refuseToReplace() const {
    // A link is not written through either: what it points to is not the file the user named.
    if (QFileInfo(path_).isSymLink())
        return {ErrorCode::PathFileAccess, ErrorText::notRegularFile(path_)};
    return checkRegularFile(path_);
}

Error ReceivedFile::begin() {
    temp_.reset();
    blocks_ = 0;
    kept_ = false;
    const QFileInfo info(path_);
    if (Error e = refuseToReplace(); e.isError())
        return e;
    if (!QDir().mkpath(info.absolutePath()))
        return {ErrorCode::PathNotFound, ErrorText::pathNotFound(info.absolutePath())};
    auto temp = std::make_unique<QTemporaryFile>(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!temp->open())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, temp->errorString())};
    // The file that replaces the path is as readable as the one it replaces, not private to its owner.
    const QFile::Permissions wanted = info.exists()
                                          ? info.permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
    temp->setPermissions(wanted);
    temp_ = std::move(temp);
    return Error::none();
}

Error ReceivedFile::append(const QByteArray& reply) {
    if (!temp_ || kept_)
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, QString())};
    const QByteArray l = line(reply);
    // Flushed at once so that what arrived can be decoded while the file stays open.
    if (temp_->write(l) != l.size() || !temp_->flush())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, temp_->errorString())};
    ++blocks_;
    return Error::none();
}

QString ReceivedFile::dataPath() const {
    return temp_ && !kept_ ? temp_->fileName() : path_;
}

Error ReceivedFile::keep() {
    if (!temp_ || kept_)
        return Error::none();
    // Checked again: something may have been put at the path while the read ran.
    if (Error e = refuseToReplace(); e.isError())
        return e;
    temp_->close();
    // One rename that replaces the target whole (QFile::rename refuses an existing target).
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temp_->fileName().toStdU16String()),
                            std::filesystem::path(path_.toStdU16String()), ec);
    if (ec)
        return {ErrorCode::PathFileAccess,
                ErrorText::fileAccess(path_, QString::fromLocal8Bit(ec.message().c_str()))};
    temp_->setAutoRemove(false);
    kept_ = true;
    return Error::none();
}
