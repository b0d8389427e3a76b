#include "link/transfer_trace.h"

#include "config/safe_file.h"

TransferTrace::TransferTrace(Clock clock, qsizetype limit)
    : clock_(std::move(clock)), limit_(limit), note_(cutNote(limit)) {
    started_.start();
}

QByteArray TransferTrace::timerName(LinkTimer timer) {
    switch (timer) {
    case LinkTimer::NoResponse:
        return "no-response";
    case LinkTimer::WakeUpPacing:
        return "wake-up-pacing";
    case LinkTimer::Drain:
        return "drain";
    case LinkTimer::NoAnswerHint:
        return "no-answer-hint";
    }
    return "?";
}

QByteArray TransferTrace::cutNote(qsizetype limit) {
    constexpr qsizetype mb = 1024 * 1024;
    const QString size =
        limit % mb == 0 ? QStringLiteral("%1 MB").arg(limit / mb) : QStringLiteral("%1 字节").arg(limit);
    return QStringLiteral("……串口记录已达 %1 上限，其后的内容没有记录").arg(size).toUtf8();
}

void TransferTrace::line(const QByteArray& what) {
    if (cut_)
        return;
    // Right-aligned times keep the columns of a long trace straight up to a day.
    const qint64 ms = clock_ ? clock_() : started_.elapsed();
    const QByteArray time = QByteArray::number(ms).rightJustified(8, ' ') + ' ';
    // The note always fits after what is written: a line that would leave no room for it is the last.
    const qsizetype frame = time.size() + 1;
    const qsizetype room = limit_ - text_.size() - 2 * frame - note_.size();
    if (what.size() <= room) {
        text_ += time + what + '\n';
        return;
    }
    // As much of the last line as fits, cut between two words so that no character is split.
    const qsizetype space = room > 0 ? what.lastIndexOf(' ', room) : -1;
    if (space > 0)
        text_ += time + what.left(space) + '\n';
    text_ += time + note_ + '\n';
    cut_ = true;
}

void TransferTrace::sent(const QByteArray& bytes) {
    if (!bytes.isEmpty() && !cut_)
        line("TX " + bytes.toHex(' ').toUpper());
}

void TransferTrace::received(const QByteArray& bytes) {
    if (!bytes.isEmpty() && !cut_)
        line("RX " + bytes.toHex(' ').toUpper());
}

void TransferTrace::timerExpired(LinkTimer timer) {
    line("TIMER " + timerName(timer));
}

void TransferTrace::cancelled() {
    line("CANCEL");
}

void TransferTrace::linkLost(const Error& error) {
    line("LOST " + QByteArray::number(error.code) + ' ' + error.description.simplified().toUtf8());
}

void TransferTrace::openFailed(const QString& device, const Error& error) {
    line("OPEN " + device.toUtf8() + " FAILED " + QByteArray::number(error.code) + ' ' +
         error.description.simplified().toUtf8());
}

Error TransferTrace::save(const QString& path) const {
    return writeFileAtomically(path, text_);
}
