#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "link/transfer_action.h"

class SerialPort;
class TransferDriver;
class TransferMachine;

// A read or a write as the faces run it: one procedure around a transfer machine, driven on an open port in
// the Qt event loop. The faces show its captions, progress and messages (worded by texts/transfer_texts.h)
// and answer each message with messageClosed; they never see the machine itself.
class TransferJob : public QObject {
    Q_OBJECT
public:
    ~TransferJob() override;

    void start();
    void cancel();
    void messageClosed();
    // Holds the transfer while the user decides whether to cancel it (see TransferDriver::pause).
    void pause();
    void resume();

    bool isRunning() const;
    bool isFinished() const;
    const TransferResult& result() const;

Q_SIGNALS:
    void captionChanged(TransferCaption caption);
    void progressChanged(double value, int maximum);
    void messageRequested(const TransferMessage& message);
    void finished(const TransferResult& result);

protected:
    TransferJob(SerialPort& port, QObject* parent);
    // The machine of this job; `sink` receives the block replies of a read.
    void setMachine(std::unique_ptr<TransferMachine> machine,
                    std::function<Error(const QByteArray&)> sink = nullptr);

private:
    SerialPort& port_;
    std::unique_ptr<TransferMachine> machine_;
    std::unique_ptr<TransferDriver> driver_;
    TransferResult none_;
};
