#include "link/trace_store.h"

#include <QDir>
#include <QStandardPaths>

#include "config/safe_file.h"
#include "link/transfer_trace.h"

namespace {

const QString kSuffix = QStringLiteral(".txt");
// Milliseconds too: a write with a read-back and the next transfer may start in the same second.
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

} // namespace

QString TraceStore::defaultFolder() {
    const QString chosen = qEnvironmentVariable("RADIOCPS_TRACE_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/traces");
}

TraceStore::TraceStore(QString folder) : folder_(std::move(folder)) {}

QString TraceStore::pathFor(const QString& kind, const QDateTime& when) const {
    return QDir(folder_).filePath(when.toLocalTime().toString(kTimeFormat) + QLatin1Char('-') + kind +
                                  kSuffix);
}

Error TraceStore::save(const TransferTrace& trace, const QString& path) const {
    if (Error e = makeOwnFolder(folder_); e.isError())
        return e;
    if (Error e = trace.save(path); e.isError())
        return e;
    prune();
    return Error::none();
}

int TraceStore::prune() const {
    const QStringList names =
        QDir(folder_).entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    int removed = 0;
    for (int i = 0; i + kKeep < names.size(); ++i) {
        if (QFile::remove(QDir(folder_).filePath(names[i])))
            ++removed;
    }
    return removed;
}
