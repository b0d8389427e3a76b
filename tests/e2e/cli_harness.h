#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

#include "../unit/link_harness.h"
#include "file_bytes.h"
#include "image/channel_file.h"
#include "program_run.h"

// radiocps-cli and radiocps-sim run as a user runs them, for the end-to-end tests of the command line.
namespace CliHarness {

inline const QString kBin = QStringLiteral(RADIOCPS_BIN_DIR);
inline const QString kConfig = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/Sfc.ini");
inline const QString kSample = QStringLiteral(RADIOCPS_SOURCE_DIR "/data/samples/demo-16.qfd");

// What each command-line test starts with: false when radiocps-sim or the sample is not built; otherwise the
// transfers' backups go to `dir`, never to the real home.
inline bool prepareCliTest(const QTemporaryDir& dir) {
    if (!QFile::exists(kBin + QStringLiteral("/radiocps-sim")) || !QFile::exists(kSample))
        return false;
    qputenv("RADIOCPS_BACKUP_DIR", QFile::encodeName(dir.filePath(QStringLiteral("backups"))));
    return true;
}

// The virtual radio for one test: started with its arguments, its device path read from stdout.
struct Sim {
    QProcess process;
    QString device;

    bool start(const QStringList& args) {
        process.start(kBin + QStringLiteral("/radiocps-sim"), args);
        if (!process.waitForStarted(5000) || !process.waitForReadyRead(5000))
            return false;
        device = QString::fromLocal8Bit(process.readLine()).trimmed();
        return device.startsWith(QLatin1Char('/'));
    }
    ~Sim() {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            process.waitForFinished(5000);
        }
    }
};

struct Result {
    int code = -1;
    QString out;
    QString err;
};

inline Result cli(const QStringList& args, int timeoutMs = 30000,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    const ProgramRun r = runProgram(kBin + QStringLiteral("/radiocps-cli"), args, timeoutMs, env);
    return {r.code, QString::fromUtf8(r.out), QString::fromUtf8(r.err)};
}

inline QByteArray dataTokens(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray out;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> t = line.trimmed().split(' ');
        if (t.size() >= 12)
            for (int i = 4; i < 12; ++i)
                out += t[i] + ' ';
    }
    return out;
}

// Everything in a folder, hidden entries too: a left temporary file shows up here.
inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// The channels a channel file opens to, against the shipped configuration.
inline ChannelTable channelsOf(const QString& path) {
    ModelTable models;
    models.readFrom(kConfig);
    LoadedChannelFile loaded;
    if (LoadChannelFile(path, models, RadioSettings(), &loaded).isError())
        return {};
    return loaded.table;
}

inline QStringList filesIn(const QString& folder) {
    QStringList out;
    for (const QFileInfo& i : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
        out << i.absoluteFilePath();
    return out;
}

inline const QByteArray kOwnBytes = "52 00 00 08 71 05 FF FF 98 0C 05 1E \r\n";

} // namespace CliHarness
