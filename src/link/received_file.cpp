#include "link/received_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "config/error_texts.h"

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

Error ReceivedFile::reset() const {
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        return {ErrorCode::PathNotFound, ErrorText::pathNotFound(info.absolutePath())};
    if (info.exists() && !QFile::remove(path_))
        return {ErrorCode::PermissionDenied, ErrorText::cannotRemove(path_)};
    return Error::none();
}

Error ReceivedFile::append(const QByteArray& reply) const {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, file.errorString())};
    const QByteArray l = line(reply);
    if (file.write(l) != l.size())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, file.errorString())};
    return Error::none();
}
