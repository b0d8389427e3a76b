#pragma once

// Wires a transfer machine to a radio with no I/O and no clock: the tool's bytes go to the radio at once,
// the radio's answer comes back in chunks of a chosen size, and when nothing is on the line the clock
// jumps to the earliest timer the tool runs. Messages are worded as the faces word them and closed as they
// are shown. Shared by the link tests; not a test itself.

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <map>

#include "../support/test_models.h"
#include "config/app_config.h"
#include "image/channel_file.h"
#include "link/transfer_machine.h"
#include "sim/radio_fault.h"
#include "texts/transfer_texts.h"

struct LinkHarness {
    // Answers the tool's bytes; sets *hangUp to drop the line instead.
    using Radio = std::function<QByteArray(const QByteArray& in, bool* hangUp)>;

    TransferMachine& machine;
    Radio radio;
    int chunk = 0; // 0: each answer in one piece

    QByteArray sent;                            // everything the tool sent
    QByteArray answered;                        // everything the radio sent
    QString title = QStringLiteral("测试程序"); // of the messages that carry the program's name
    QList<TransferTexts::Shown> messages;
    QStringList captions;
    QList<double> progress;
    QList<int> maxima;
    QList<QByteArray> stored;
    std::map<LinkTimer, qint64> running; // deadlines on the harness clock (ms)
    qint64 now = 0;
    int clearInputs = 0;
    int closes = 0;
    int sentAfterClose = 0;
    int pacingTicks = 0;
    bool finished = false;
    bool stuck = false;
    TransferResult result;
    std::function<Error(const QByteArray&)> store;      // StoreBlock; none stores
    std::function<bool(const LinkHarness&)> cancelWhen; // checked after every action
    QByteArray pending;                                 // radio bytes not yet delivered
    bool lostPending = false;

    LinkHarness(TransferMachine& m, Radio r, int chunkSize = 0)
        : machine(m), radio(std::move(r)), chunk(chunkSize) {}

    void run(int maxSteps = 2000000) {
        TransferActions queue = machine.start();
        for (int step = 0; step < maxSteps && !finished; ++step) {
            if (!queue.isEmpty()) {
                const TransferAction a = queue.takeFirst();
                queue += std::visit([this](const auto& x) { return execute(x); }, a);
                if (!finished && cancelWhen && cancelWhen(*this)) {
                    cancelWhen = nullptr;
                    queue += machine.cancel();
                }
                continue;
            }
            if (lostPending) {
                lostPending = false;
                queue += machine.linkLost(
                    {ErrorCode::PortFailure, QStringLiteral("与串口 /dev/pts/9 的连接已断开")});
            } else if (!pending.isEmpty()) {
                const int n = chunk > 0 ? qMin(chunk, int(pending.size())) : int(pending.size());
                const QByteArray piece = pending.left(n);
                pending.remove(0, n);
                queue += machine.bytesReceived(piece);
            } else if (!running.empty()) {
                auto next = running.begin();
                for (auto it = running.begin(); it != running.end(); ++it)
                    if (it->second < next->second)
                        next = it;
                const LinkTimer t = next->first;
                now = next->second;
                running.erase(next);
                if (t == LinkTimer::WakeUpPacing)
                    ++pacingTicks;
                queue += machine.timerExpired(t);
            } else {
                stuck = true;
                return;
            }
        }
    }

    TransferActions execute(const Act::Send& a) {
        if (closes > 0)
            ++sentAfterClose;
        sent += a.bytes;
        bool hangUp = false;
        const QByteArray reply = radio(a.bytes, &hangUp);
        if (hangUp)
            lostPending = true;
        answered += reply;
        pending += reply;
        return {};
    }
    TransferActions execute(const Act::ClearInput&) {
        ++clearInputs;
        return {};
    }
    TransferActions execute(const Act::StartTimer& a) {
        running[a.timer] = now + a.interval;
        return {};
    }
    TransferActions execute(const Act::StopTimer& a) {
        running.erase(a.timer);
        return {};
    }
    TransferActions execute(const Act::Caption& a) {
        captions << TransferTexts::caption(a.caption);
        return {};
    }
    TransferActions execute(const Act::Progress& a) {
        progress << a.value;
        maxima << a.maximum;
        return {};
    }
    TransferActions execute(const Act::Message& a) {
        messages << TransferTexts::message(a.message, title);
        return machine.messageClosed();
    }
    TransferActions execute(const Act::StoreBlock& a) {
        stored << a.reply;
        return machine.blockStored(store ? store(a.reply) : Error::none());
    }
    TransferActions execute(const Act::ClosePort&) {
        ++closes;
        return {};
    }
    TransferActions execute(const Act::Finished& a) {
        finished = true;
        result = a.result;
        return {};
    }

    QStringList messageTexts() const {
        QStringList t;
        for (const auto& m : messages)
            t << m.text;
        return t;
    }
};

// A fault in the virtual radio's --fault syntax; a test with a malformed one stops at once.
inline RadioFault radioFault(const QString& text) {
    RadioFault f;
    if (Error e = RadioFault::parse(text, &f); e.isError())
        qFatal("bad fault %s", qPrintable(text));
    return f;
}

// A message as the harness words it.
inline QString wording(const TransferMessage& message) {
    return TransferTexts::message(message, QStringLiteral("测试程序")).text;
}

// The model table of data/Sfc.ini, written out so that the tests do not depend on the shipped file.
inline ModelTable linkTestModels() {
    return TestModels::shipped();
}

// A window state of a model entry and band with channels 1 ... filled (receive and transmit frequency,
// signalling, flags) and the start-up settings.
struct LinkTestState {
    CurrentModel model;
    ChannelTable table;
    RadioSettings settings;

    LinkTestState(int entry, int band, int filled) {
        const ModelTable t = linkTestModels();
        model.modelIndex = entry;
        model.applyEntry(t.entries[entry]);
        model.selectBand(t, band);
        table.layOut(model.layout(), model.strType);
        settings.setLayout(model.layout());
        settings.selectStartupDefaults();
        const int base = band == 0 ? 430 : 140;
        for (int n = 1; n <= filled && n <= model.strType; ++n) {
            const QString f =
                QStringLiteral("%1.%2").arg(base + n % 10).arg(12500 * (n % 8), 5, 10, QLatin1Char('0'));
            for (int c = 0; c < table.columnCount(); ++c) {
                const ChannelColumn& col = table.columns()[c];
                switch (col.field) {
                case ChannelField::RxFrequency:
                case ChannelField::TxFrequency:
                    table.setCell(n, c, f);
                    break;
                case ChannelField::RxSignalling:
                    table.setCell(n, c, n % 2 ? QStringLiteral("67.0") : QStringLiteral("D023N"));
                    break;
                case ChannelField::TxSignalling:
                    table.setCell(n, c, QStringLiteral("OFF"));
                    break;
                case ChannelField::Number:
                    break;
                default:
                    if (!col.items.isEmpty())
                        table.setCell(n, c, col.items.value(n % col.items.size()));
                    break;
                }
            }
        }
    }
};

inline MemoryImage linkTestImage(quint8 modelCode, int iData) {
    return TestModels::patternedImage(modelCode, iData);
}
