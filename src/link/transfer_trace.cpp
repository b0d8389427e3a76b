#include "link/transfer_trace.h"

#include "config/safe_file.h"

TransferTrace::TransferTrace(Clock clock) : clock_(std::move(clock)) {
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

void TransferTrace::line(const QByteArray& what) {
    // Right-aligned times keep the columns of a long trace straight up to a day.
    const qint64 ms = clock_ ? clock_() : started_.elapsed();
    text_ += QByteArray::number(ms).rightJustified(8, ' ') + ' ' + what + '\n';
}

void TransferTrace::sent(const QByteArray& bytes) {
    if (!bytes.isEmpty())
        line("TX " + bytes.toHex(' ').toUpper());
}

void TransferTrace::received(const QByteArray& bytes) {
    if (!bytes.isEmpty())
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
