#include "link/transfer_job.h"

#include <QTimer>

#include "link/transfer_driver.h"
#include "link/transfer_machine.h"
#include "link/transfer_trace.h"

#include <utility>

TransferJob::TransferJob(SerialPort& port, QObject* parent)
    : QObject(parent), port_(port), stageGap_(new QTimer(this)) {
    stageGap_->setObjectName(QStringLiteral("stageGap"));
    stageGap_->setSingleShot(true);
    connect(stageGap_, &QTimer::timeout, this, [this] {
        if (std::exchange(firstPending_, false))
            startFirst();
        else
            gapOver();
    });
}

TransferJob::~TransferJob() = default;

void TransferJob::setMachine(std::unique_ptr<TransferMachine> machine,
                             std::function<Error(const QByteArray&)> sink) {
    driver_.reset();
    machine_ = std::move(machine);
    driver_ = std::make_unique<TransferDriver>(port_, *machine_);
    driver_->setBlockSink(std::move(sink));
    driver_->setTrace(trace_);
    connect(driver_.get(), &TransferDriver::captionChanged, this, &TransferJob::captionChanged);
    connect(driver_.get(), &TransferDriver::progressChanged, this, &TransferJob::progressChanged);
    connect(driver_.get(), &TransferDriver::messageRequested, this, &TransferJob::messageRequested);
    connect(driver_.get(), &TransferDriver::finished, this, &TransferJob::machineFinished);
}

void TransferJob::setTrace(TransferTrace* trace) {
    trace_ = trace;
    if (driver_)
        driver_->setTrace(trace);
}

void TransferJob::start(int delayMs) {
    if (!driver_ || started_)
        return;
    started_ = true;
    if (delayMs <= 0) {
        startFirst();
        return;
    }
    firstPending_ = true;
    startMachineAfter(delayMs);
}

void TransferJob::startFirst() {
    Q_EMIT stageStarted(stageIndex());
    driver_->start();
}

void TransferJob::startMachine() {
    if (paused_) {
        startHeld_ = true; // between two machines a hold keeps the next one from waking the radio
        return;
    }
    if (driver_ && started_ && !ended_) {
        Q_EMIT stageStarted(stageIndex());
        driver_->start();
    }
}

void TransferJob::startMachineAfter(int ms) {
    gapLeftMs_ = -1;
    stageGap_->start(qMax(0, ms));
}

void TransferJob::cancel() {
    paused_ = false;
    startHeld_ = false;
    stageGap_->stop();
    gapLeftMs_ = -1;
    firstPending_ = false;
    if (driver_ && driver_->isRunning()) {
        driver_->cancel();
    } else if (started_ && !ended_) {
        if (trace_)
            trace_->cancelled(); // between two machines: no driver to note it
        TransferResult cancelled;
        cancelled.outcome = TransferResult::Outcome::Cancelled;
        machineFinished(cancelled);
    }
}

void TransferJob::machineFinished(const TransferResult& result) {
    endJob(result);
}

void TransferJob::endJob(const TransferResult& result) {
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    Q_EMIT finished(result);
}

void TransferJob::messageClosed() {
    if (driver_)
        driver_->messageClosed();
}

void TransferJob::pause() {
    if (!isRunning())
        return;
    paused_ = true;
    if (stageGap_->isActive()) {
        gapLeftMs_ = qMax(0, stageGap_->remainingTime());
        stageGap_->stop();
    }
    if (driver_)
        driver_->pause();
}

void TransferJob::resume() {
    if (!paused_)
        return;
    paused_ = false;
    if (driver_)
        driver_->resume();
    if (gapLeftMs_ >= 0)
        stageGap_->start(std::exchange(gapLeftMs_, -1));
    if (std::exchange(startHeld_, false))
        startMachine();
}

bool TransferJob::isRunning() const {
    return started_ && !ended_;
}

bool TransferJob::isFinished() const {
    return ended_;
}

const TransferResult& TransferJob::result() const {
    return result_;
}
