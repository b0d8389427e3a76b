#include "link/received_file.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "config/error_texts.h"
#include "config/safe_file.h"

ReceivedFile::ReceivedFile(QString path, Folder folder) : path_(std::move(path)), folder_(folder) {}

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

Error ReceivedFile::begin() {
    temp_.reset();
    blocks_ = 0;
    kept_ = false;
    if (folder_ == Folder::Own) {
        if (Error e = makeOwnFolder(QFileInfo(path_).absolutePath()); e.isError())
            return e;
    }
    auto temp = std::make_unique<FileBeside>(path_);
    if (Error e = temp->open(); e.isError())
        return e;
    temp_ = std::move(temp);
    return Error::none();
}

Error ReceivedFile::append(const QByteArray& reply) {
    if (!temp_ || kept_)
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, QString())};
    const QByteArray l = line(reply);
    // Flushed at once so that what arrived can be decoded while the file stays open.
    QFile* out = temp_->device();
    if (out->write(l) != l.size() || !out->flush())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, out->errorString())};
    ++blocks_;
    return Error::none();
}

QString ReceivedFile::dataPath() const {
    return temp_ && !kept_ ? temp_->fileName() : path_;
}

Error ReceivedFile::keep() {
    if (!temp_ || kept_)
        return Error::none();
    if (Error e = temp_->putInPlace(); e.isError())
        return e;
    kept_ = true;
    return Error::none();
}
