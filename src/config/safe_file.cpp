#include "config/safe_file.h"

#include <QFile>
#include <QFileInfo>

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

Error readRegularFile(const QString& path, QByteArray* bytes) {
    if (Error e = checkRegularFile(path); e.isError())
        return e;
    QFile file(path);
    if (!file.exists())
        return {ErrorCode::FileNotFound, ErrorText::fileNotFound(path)};
    if (!file.open(QIODevice::ReadOnly))
        return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path, file.errorString())};
    *bytes = file.readAll();
    return Error::none();
}

Error SafeFileWriter::open() {
    if (Error e = checkRegularFile(path_); e.isError())
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
