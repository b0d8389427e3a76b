#include "config/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

#include "config/error_texts.h"

SafeFileWriter::SafeFileWriter(const QString& path) : path_(path), file_(path) {}

SafeFileWriter::~SafeFileWriter() {
    if (file_.isOpen())
        file_.cancelWriting();
}

Error SafeFileWriter::failure(const QString& reason) const {
    return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, reason)};
}

Error checkRegularFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {ErrorCode::PathFileAccess, ErrorText::notRegularFile(path)};
    return Error::none();
}

Error checkNewFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink())
        return {ErrorCode::PathFileAccess, ErrorText::symbolicLink(path)};
    if (Error e = checkRegularFile(path); e.isError())
        return e;
    if (const QString folder = info.absolutePath(); !QFileInfo(folder).isDir())
        return {ErrorCode::PathNotFound, ErrorText::pathNotFound(QDir::toNativeSeparators(folder))};
    return Error::none();
}

Error makeOwnFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        return {ErrorCode::PathNotFound, ErrorText::pathNotFound(QDir::toNativeSeparators(folder))};
    return Error::none();
}

Error readRegularFile(const QString& path, QByteArray* bytes) {
    if (Error e = checkRegularFile(path); e.isError())
        return e;
    QFile file(path);
    if (!file.exists())
        return {ErrorCode::FileNotFound, ErrorText::fileNotFound(path)};
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path, file.errorString())};
    *bytes = file.readAll();
    // A read that fails halfway (an I/O error) must not pass for a short file.
    if (file.error() != QFileDevice::NoError)
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path, file.errorString())};
    return Error::none();
}

Error SafeFileWriter::open() {
    // QSaveFile gives a new file the umask's permissions and a replaced one its own, but it would write
    // through a link and fail in a missing folder without naming it.
    if (Error e = checkNewFile(path_); e.isError())
        return e;
    // Without the fallback QSaveFile would write straight into a file whose folder forbids the temporary.
    file_.setDirectWriteFallback(false);
    if (!file_.open(QIODevice::WriteOnly))
        return failure(file_.errorString());
    failed_ = false;
    return Error::none();
}

Error SafeFileWriter::write(const QByteArray& bytes) {
    if (!file_.isOpen())
        return failure(file_.errorString());
    if (file_.write(bytes) != bytes.size()) {
        failed_ = true;
        return failure(file_.errorString());
    }
    return Error::none();
}

Error SafeFileWriter::commit() {
    if (!file_.isOpen())
        return failure(file_.errorString());
    // The flush is where a buffered write first meets a full disk; commit() would not say so.
    if (failed_ || !file_.flush() || file_.error() != QFileDevice::NoError) {
        const Error e = failure(file_.errorString());
        file_.cancelWriting();
        return e;
    }
    if (!file_.commit())
        return failure(file_.errorString());
    return Error::none();
}

void SafeFileWriter::cancel() {
    if (file_.isOpen())
        file_.cancelWriting();
}

Error writeFileAtomically(const QString& path, const QByteArray& bytes) {
    SafeFileWriter writer(path);
    if (Error e = writer.open(); e.isError())
        return e;
    if (Error e = writer.write(bytes); e.isError())
        return e;
    return writer.commit();
}

FileBeside::FileBeside(const QString& path) : path_(path) {}

FileBeside::~FileBeside() {
    if (!file_.fileName().isEmpty())
        file_.remove();
}

Error FileBeside::open() {
    if (!file_.fileName().isEmpty())
        file_.remove();
    file_.setFileName(QString());
    if (Error e = checkNewFile(path_); e.isError())
        return e;
    // Created afresh, never opened over another file: the system applies the umask to rw-rw-rw-.
    constexpr QFile::Permissions kEveryoneMayWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                     QFile::WriteUser | QFile::ReadGroup | QFile::WriteGroup |
                                                     QFile::ReadOther | QFile::WriteOther;
    QString reason;
    for (int attempt = 0; attempt < 16; ++attempt) {
        file_.setFileName(path_ + QLatin1Char('.') +
                          QString::number(QRandomGenerator::global()->generate(), 36));
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly, kEveryoneMayWrite))
            return Error::none();
        reason = file_.errorString();
        if (!QFileInfo::exists(file_.fileName()) && !QFileInfo(file_.fileName()).isSymLink())
            break; // not a name taken by chance: the folder refuses
    }
    file_.setFileName(QString());
    return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, reason)};
}

Error FileBeside::putInPlace() {
    if (!file_.isOpen())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, QString())};
    // Checked again: something may have been put at the path meanwhile.
    if (Error e = checkNewFile(path_); e.isError())
        return e;
    if (!file_.flush())
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path_, file_.errorString())};
    if (const QFileInfo old(path_); old.exists())
        file_.setPermissions(old.permissions());
    file_.close();
    // One rename that replaces the file whole (QFile::rename refuses an existing target).
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(file_.fileName().toStdU16String()),
                            std::filesystem::path(path_.toStdU16String()), ec);
    if (ec)
        return {ErrorCode::PathFileAccess,
                ErrorText::fileAccess(path_, QString::fromLocal8Bit(ec.message().c_str()))};
    file_.setFileName(QString());
    return Error::none();
}
