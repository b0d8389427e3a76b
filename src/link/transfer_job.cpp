#include "link/transfer_job.h"

#include "link/transfer_driver.h"
#include "link/transfer_machine.h"

TransferJob::TransferJob(SerialPort& port, QObject* parent) : QObject(parent), port_(port) {}

TransferJob::~TransferJob() = default;

void TransferJob::setMachine(std::unique_ptr<TransferMachine> machine,
                             std::function<Error(const QByteArray&)> sink) {
    driver_.reset();
    machine_ = std::move(machine);
    driver_ = std::make_unique<TransferDriver>(port_, *machine_);
    driver_->setBlockSink(std::move(sink));
    connect(driver_.get(), &TransferDriver::captionChanged, this, &TransferJob::captionChanged);
    connect(driver_.get(), &TransferDriver::progressChanged, this, &TransferJob::progressChanged);
    connect(driver_.get(), &TransferDriver::messageRequested, this, &TransferJob::messageRequested);
    connect(driver_.get(), &TransferDriver::finished, this, &TransferJob::finished);
}

void TransferJob::start() {
    if (driver_)
        driver_->start();
}

void TransferJob::cancel() {
    if (driver_)
        driver_->cancel();
}

void TransferJob::messageClosed() {
    if (driver_)
        driver_->messageClosed();
}

void TransferJob::pause() {
    if (driver_)
        driver_->pause();
}

void TransferJob::resume() {
    if (driver_)
        driver_->resume();
}

bool TransferJob::isRunning() const {
    return driver_ && driver_->isRunning();
}

bool TransferJob::isFinished() const {
    return driver_ && driver_->isFinished();
}

const TransferResult& TransferJob::result() const {
    return driver_ ? driver_->result() : none_;
}
