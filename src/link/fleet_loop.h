#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>

#include "link/fleet_record.h"
#include "link/radio_presence.h"
#include "link/transfer_session.h"

class RadioDocument;
class SerialPort;

// How a fleet run writes each radio.
struct FleetOptions {
    bool verify = true;  // read each radio back after its write
    bool backup = false; // read each radio first: keep what it held, refuse another model
    int gapMs = 2000;    // a radio has gone when it has not answered the wake-up for this long
    LinkTimings timings;
    TransferSession::Keeping keeping;
};

// What a port of a fleet run is doing, for the faces to show.
struct FleetPortStatus {
    enum class Phase {
        Waiting, // waking, for as long as it takes, until a radio answers
        Writing, // a radio's write sequence: `stage` of `stages`, `progress` of `maximum`
        Leaving, // the radio is done: waiting until it no longer answers
        Ended,   // stopped, or the port failed (`error`)
    };
    Phase phase = Phase::Waiting;
    int radio = 0; // the radio being written (its record's index)
    TransferStage stage = TransferStage::Write;
    double progress = 0;
    int maximum = 0;
    Error error;
};

// One port of a fleet run: wait for a radio, write the document to it as one TransferSession (its own
// backups and trace), record the outcome, wait for the radio to go away, and so on until stopped. A radio
// that fails is recorded and the loop goes on with the next. Messages of a session are answered at once:
// the record carries what went wrong.
class FleetLoop : public QObject {
    Q_OBJECT
public:
    // Asked when a radio has answered: its number in the run, or 0 when no more radios are to be written.
    using Claim = std::function<int()>;

    FleetLoop(const QString& device, const RadioDocument& document, const FleetOptions& options, Claim claim,
              QObject* parent = nullptr);
    ~FleetLoop() override;

    const QString& device() const { return device_; }
    const FleetPortStatus& status() const { return status_; }
    bool isEnded() const { return status_.phase == FleetPortStatus::Phase::Ended; }

    void start();
    // Ends once the radio being written has finished; at once when none is.
    void stop();
    // Ends at once: a radio being written is stopped where it stands (and recorded as stopped).
    void stopNow();

Q_SIGNALS:
    void statusChanged(const FleetPortStatus& status);
    void radioFinished(const FleetRecord& record);
    void ended();

private:
    void waitForRadio();
    void radioArrived();
    void startSession(int radio);
    void sessionFinished();
    void radioLeft();
    void end(const Error& error = {});
    void show(FleetPortStatus::Phase phase);

    QString device_;
    const RadioDocument& document_;
    FleetOptions options_;
    Claim claim_;
    SerialPort* port_;
    RadioPresence* presence_;
    std::unique_ptr<TransferSession> session_;
    FleetPortStatus status_;
    QDateTime started_;
    QElapsedTimer elapsed_;
    bool stopping_ = false;
};
