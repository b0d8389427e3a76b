#include "document/backup_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "config/error_texts.h"
#include "config/safe_file.h"

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QString kSuffix = QStringLiteral(".qfd");
// Long enough for any model name of the configuration file, short enough for every file system.
constexpr int kMaxModelChars = 64;
// Backups taken in one second are rare; past this many something else is wrong.
constexpr int kMaxSameSecond = 1000;

// Characters that Windows or any Unix refuses in a file name, and control characters.
QString safeModelName(const QString& name) {
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        out += (c.category() == QChar::Other_Control || refused.contains(c)) ? QLatin1Char('_') : c;
    return out.trimmed().left(kMaxModelChars).trimmed();
}

QDateTime timeOfBackup(const QFileInfo& file) {
    const QDateTime named = QDateTime::fromString(file.fileName().left(kTimeFormat.size()), kTimeFormat);
    return named.isValid() ? named : file.lastModified();
}

} // namespace

const QString BackupStore::ReadWord = QStringLiteral("读频");
const QString BackupStore::WriteWord = QStringLiteral("写频");

QString BackupStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

BackupStore::BackupStore(QString folder) : folder_(std::move(folder)) {}

QString BackupStore::fileName(Kind kind, const QString& modelName, const QDateTime& when) {
    QString name = when.toLocalTime().toString(kTimeFormat) + QLatin1Char('-') +
                   (kind == Kind::Read ? ReadWord : WriteWord);
    if (const QString model = safeModelName(modelName); !model.isEmpty())
        name += QLatin1Char('-') + model;
    return name + kSuffix;
}

Error BackupStore::save(Kind kind, const QString& modelName, const QByteArray& channelFileContents,
                        const QDateTime& when, QString* savedPath) const {
    const QDir dir(folder_);
    if (Error e = makeOwnFolder(folder_); e.isError())
        return e;
    const QString name = fileName(kind, modelName, when);
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n) {
        if (n > kMaxSameSecond)
            return {ErrorCode::PathFileAccess, ErrorText::fileAccess(path, QString())};
        path = dir.filePath(name.chopped(kSuffix.size()) + QLatin1Char('-') + QString::number(n) + kSuffix);
    }
    if (Error e = writeFileAtomically(path, channelFileContents); e.isError())
        return e;
    if (savedPath)
        *savedPath = path;
    prune(when);
    return Error::none();
}

int BackupStore::prune(const QDateTime& now) const {
    const QDateTime oldest = now.addYears(-kKeepYears);
    int removed = 0;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& file : files) {
        if (timeOfBackup(file) < oldest && QFile::remove(file.absoluteFilePath()))
            ++removed;
    }
    return removed;
}
