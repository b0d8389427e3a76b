#include "link/fleet_loop.h"

#include "document/radio_document.h"
#include "link/qt_serial_port.h"

#include <QTimer>

FleetLoop::FleetLoop(const QString& device, const RadioDocument& document, const FleetOptions& options,
                     Claim claim, QObject* parent)
    : QObject(parent), device_(device), document_(document), options_(options), claim_(std::move(claim)),
      port_(new QtSerialPort(this)),
      presence_(new RadioPresence(*port_, options.timings.wakeUpPacingMs, this)) {
    connect(presence_, &RadioPresence::arrived, this, &FleetLoop::radioArrived);
    connect(presence_, &RadioPresence::departed, this, &FleetLoop::radioLeft);
    connect(presence_, &RadioPresence::linkLost, this, [this](const Error& e) { end(e); });
}

FleetLoop::~FleetLoop() {
    presence_->stop();
    port_->close();
}

void FleetLoop::start() {
    if (const Error e = port_->open(device_); e.isError()) {
        end(e);
        return;
    }
    waitForRadio();
}

void FleetLoop::show(FleetPortStatus::Phase phase) {
    status_.phase = phase;
    Q_EMIT statusChanged(status_);
}

void FleetLoop::waitForRadio() {
    status_.radio = 0;
    show(FleetPortStatus::Phase::Waiting);
    presence_->awaitArrival();
}

void FleetLoop::radioArrived() {
    const int radio = stopping_ ? 0 : claim_();
    if (radio == 0) {
        end();
        return;
    }
    startSession(radio);
}

void FleetLoop::startSession(int radio) {
    started_ = QDateTime::currentDateTime();
    elapsed_.start();
    session_ = std::make_unique<TransferSession>(*port_, document_.models(), options_.keeping);
    WriteSequence::Options write;
    write.backup = options_.backup;
    write.verify = options_.verify;
    write.timings = options_.timings;
    if (const Error e = session_->prepareWrite(document_, write); e.isError()) {
        session_.reset();
        end(e);
        return;
    }
    status_ = {};
    status_.radio = radio;
    TransferJob& job = session_->job();
    const QVector<TransferStage> stages = job.stages();
    connect(&job, &TransferJob::stageStarted, this, [this, stages](int index) {
        status_.stage = stages.value(index);
        status_.progress = 0;
        status_.maximum = 0;
        show(FleetPortStatus::Phase::Writing);
    });
    connect(&job, &TransferJob::progressChanged, this, [this](double value, int maximum) {
        status_.progress = value;
        status_.maximum = maximum;
        show(FleetPortStatus::Phase::Writing);
    });
    // The record says what went wrong; nobody is there to close a message.
    connect(&job, &TransferJob::messageRequested, &job, &TransferJob::messageClosed);
    // The session goes once the job has returned from its signal.
    connect(&job, &TransferJob::finished, this,
            [this] { QTimer::singleShot(0, this, &FleetLoop::sessionFinished); });
    status_.stage = stages.value(0);
    show(FleetPortStatus::Phase::Writing);
    port_->clearInput(); // the answers to the presence check
    job.start(options_.timings.startDelayMs);
}

void FleetLoop::sessionFinished() {
    port_->close();
    const TransferSession::Outcome& outcome = session_->finish();
    FleetRecord record = FleetRecord::of(*session_->writeJob(), options_.verify);
    record.index = status_.radio;
    record.port = device_;
    record.started = started_;
    record.elapsedMs = elapsed_.elapsed();
    record.backupPath = outcome.radioBackup.path.isEmpty() ? outcome.backup.path : outcome.radioBackup.path;
    session_.reset();
    status_.phase = FleetPortStatus::Phase::Leaving; // no longer busy, for whoever counts on the record
    Q_EMIT radioFinished(record);
    if (stopping_ || isEnded()) {
        end();
        return;
    }
    if (const Error e = port_->open(device_); e.isError()) {
        end(e);
        return;
    }
    show(FleetPortStatus::Phase::Leaving);
    presence_->awaitDeparture(options_.gapMs);
}

void FleetLoop::radioLeft() {
    if (stopping_)
        end();
    else
        waitForRadio();
}

void FleetLoop::stop() {
    stopping_ = true;
    if (!session_)
        end();
}

void FleetLoop::stopNow() {
    stopping_ = true;
    if (session_)
        session_->job().cancel();
    else
        end();
}

void FleetLoop::end(const Error& error) {
    if (isEnded())
        return;
    presence_->stop();
    port_->close();
    status_.error = error;
    status_.radio = 0;
    show(FleetPortStatus::Phase::Ended);
    Q_EMIT ended();
}
