#pragma once

#include <QDateTime>
#include <QString>

#include "config/error.h"

class TransferTrace;

// The per-user folder that keeps the serial traces of the desktop program's last transfers, for support:
// one file per transfer, named by local time and kind ("20261209-041502-123-读频.txt"); only the newest
// kKeep stay.
class TraceStore {
public:
    static constexpr int kKeep = 20;

    // RADIOCPS_TRACE_DIR when set, else <AppDataLocation of "RadioCPS">/traces.
    static QString defaultFolder();

    explicit TraceStore(QString folder = defaultFolder());
    const QString& folder() const { return folder_; }

    // The path the trace of a transfer of `kind` ("读频", "写频") begun at `when` is saved under; decided
    // before the transfer starts, so that its messages can name it.
    QString pathFor(const QString& kind, const QDateTime& when) const;
    // Creates the folder if needed, writes the trace whole at `path` and keeps only the newest kKeep.
    Error save(const TransferTrace& trace, const QString& path) const;
    // Removes all but the newest kKeep traces of the folder (by name, which starts with the time); returns
    // how many went.
    int prune() const;

private:
    QString folder_;
};
