// Drives a read or a write with an arbitrary stream of events: radio bytes in chunks of any size (garbage, or
// the virtual radio's true answers), timer expiries (running or stale), cancel, messages closed, a lost link
// and store results. Whatever the stream, the machine must keep its promises (nothing after the end, nothing
// sent after the port closed, one message at a time) and, once the stream is used up, the closing events a
// face would deliver (messages closed, stores answered, running timers expiring) must end it.
//
// Input: byte 0 picks the direction, byte 1 the radio's model code or the write's image and channel count;
// then one event per byte, some followed by a byte of parameters.
#include <QByteArray>
#include <cstdlib>
#include <map>
#include <memory>

#include "../support/test_models.h"
#include "link/read_transfer.h"
#include "link/write_transfer.h"
#include "sim/radio_machine.h"
#include "texts/transfer_texts.h"

namespace {

[[noreturn]] void broken() {
    std::abort();
}

void expect(bool promise) {
    if (!promise)
        broken();
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    quint8 next() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Plays the driver and the face around one machine, checking what it asks for.
class Bench {
public:
    Bench(TransferMachine& machine, RadioMachine radio) : machine_(machine), radio_(std::move(radio)) {}

    void run(const TransferActions& actions) {
        for (const TransferAction& a : actions)
            std::visit([this](const auto& x) { take(x); }, a);
    }

    void bytes(const QByteArray& b) { run(machine_.bytesReceived(b)); }

    // The virtual radio answers what the tool has sent since it last listened.
    void radioAnswers(int chunk) {
        const RadioReaction r = radio_.receive(unheard_);
        unheard_.clear();
        for (int i = 0; i < r.reply.size(); i += chunk)
            bytes(r.reply.mid(i, chunk));
        if (r.hangUp)
            lose();
    }

    void fire(LinkTimer t) {
        const auto it = running_.find(t);
        if (it != running_.end()) {
            now_ = qMax(now_, it->second);
            running_.erase(it);
        }
        run(machine_.timerExpired(t));
    }

    bool fireEarliest() {
        if (running_.empty())
            return false;
        auto next = running_.begin();
        for (auto it = running_.begin(); it != running_.end(); ++it)
            if (it->second < next->second)
                next = it;
        fire(next->first);
        return true;
    }

    void closeMessage() {
        if (shown_ > 0)
            --shown_;
        run(machine_.messageClosed());
    }

    void store(const Error& e) {
        storing_ = false;
        run(machine_.blockStored(e));
    }

    void lose() { run(machine_.linkLost({ErrorCode::PortFailure, QStringLiteral("与串口的连接已断开")})); }

    // What a face does once nothing else happens: close the messages, answer the store, let time pass.
    void closeDown() {
        for (int step = 0; step < 100000 && !finished_; ++step) {
            if (shown_ > 0)
                closeMessage();
            else if (storing_)
                store(Error::none());
            else if (!fireEarliest())
                broken(); // waiting for something that will never come
        }
        expect(finished_);
        expect(running_.empty());
        expect(machine_.isFinished());
        // Once ended, nothing moves it.
        expect(machine_.start().isEmpty());
        expect(machine_.bytesReceived(QByteArray::fromHex("060606")).isEmpty());
        expect(machine_.timerExpired(LinkTimer::NoResponse).isEmpty());
        expect(machine_.cancel().isEmpty());
        expect(machine_.messageClosed().isEmpty());
        expect(machine_.linkLost({ErrorCode::PortFailure, {}}).isEmpty());
        expect(machine_.blockStored(Error::none()).isEmpty());
    }

private:
    void take(const Act::Send& a) {
        expect(!finished_ && !closed_ && !a.bytes.isEmpty());
        unheard_ += a.bytes;
    }
    void take(const Act::ClearInput&) { expect(!finished_); }
    void take(const Act::StartTimer& a) {
        expect(!finished_ && a.interval > 0);
        running_[a.timer] = now_ + a.interval;
    }
    void take(const Act::StopTimer& a) { running_.erase(a.timer); }
    void take(const Act::Caption& a) { expect(!finished_ && !TransferTexts::caption(a.caption).isEmpty()); }
    void take(const Act::Progress& a) { expect(!finished_ && a.value >= 0 && a.value <= a.maximum); }
    void take(const Act::Message& a) {
        expect(!finished_ && shown_ == 0); // one at a time
        expect(!TransferTexts::message(a.message, QStringLiteral("radiocps")).text.isEmpty());
        ++shown_;
    }
    void take(const Act::StoreBlock& a) {
        expect(!finished_ && !storing_ && a.reply.size() == 12);
        storing_ = true;
    }
    void take(const Act::ClosePort&) {
        expect(!finished_);
        closed_ = true;
    }
    void take(const Act::Finished& a) {
        expect(!finished_ && shown_ == 0);
        expect(a.result.blocks >= 0 && a.result.blocks <= a.result.totalBlocks);
        // A failure carries its error; an end that is no failure carries none.
        const bool failure = !a.result.ok() && a.result.outcome != TransferResult::Outcome::Cancelled;
        expect(failure == a.result.error.isError());
        finished_ = true;
    }

    TransferMachine& machine_;
    RadioMachine radio_;
    QByteArray unheard_;
    std::map<LinkTimer, qint64> running_;
    qint64 now_ = 0;
    int shown_ = 0;
    bool storing_ = false;
    bool closed_ = false;
    bool finished_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ModelTable table = TestModels::shipped();
    static const quint8 codes[] = {0x71, 0x32, 0x41, 0x74, 0x99, 0x0A};
    Input in(data, size);
    const bool write = in.next() & 1;
    const quint8 param = in.next();
    TransferMachine::Options options;
    options.timings.noResponseMs = 1000;
    options.timings.wakeUpPacingMs = 7;
    options.timings.drainMs = 3;

    std::unique_ptr<TransferMachine> machine;
    MemoryImage radioImage;
    if (write) {
        const int iData = 1 + (param & 1);
        machine = std::make_unique<WriteTransfer>(TestModels::patternedImage(0x71, iData), (param >> 1) % 130,
                                                  options);
        radioImage = MemoryImage::blank(iData);
    } else {
        machine = std::make_unique<ReadTransfer>(table, options);
        radioImage = TestModels::patternedImage(codes[param % 6], 1 + ((param >> 3) & 1));
    }
    Bench bench(*machine, RadioMachine(radioImage));
    bench.run(machine->start());
    while (!in.empty()) {
        switch (in.next() % 9) {
        case 0: {
            const int n = in.next() % 16 + 1;
            QByteArray garbage;
            for (int i = 0; i < n; ++i)
                garbage += char(in.next());
            bench.bytes(garbage);
            break;
        }
        case 1:
            bench.radioAnswers(in.next() % 13 + 1);
            break;
        case 2:
            bench.fire(LinkTimer(in.next() % 4)); // may be one that is not running
            break;
        case 3:
            bench.fireEarliest();
            break;
        case 4:
            bench.run(machine->cancel());
            break;
        case 5:
            bench.closeMessage();
            break;
        case 6:
            bench.lose();
            break;
        case 7:
            bench.store(in.next() ? Error{ErrorCode::PathFileAccess, QStringLiteral("磁盘已满")}
                                  : Error::none());
            break;
        case 8:
            expect(machine->start().isEmpty()); // started once only
            break;
        }
    }
    bench.closeDown();
    return 0;
}
