#pragma once

#include <QByteArray>
#include <QString>

// What the radio has sent, as the protocol sees it: the decimal text of every byte, in arrival order, with
// no separator and no leading zeros (06 10 52 hex arrive as "61682"). An acknowledgement is any text that
// contains the character '6' - a test on the text, not on byte values, so 10 hex ("16") passes too.
//
// A port that floods the buffer cannot make it grow without end: the text keeps its first kCapacity
// characters, far more than any answer of the protocol, and a '6' that arrives after them still counts.
class ReceiveBuffer {
public:
    static constexpr int kCapacity = 64 * 1024;

    void append(const QByteArray& bytes);
    void clear() {
        text_.clear();
        acknowledged_ = false;
    }

    const QString& text() const { return text_; }
    bool isEmpty() const { return text_.isEmpty(); }
    int length() const { return text_.size(); }
    bool isAcknowledgement() const { return acknowledged_; }

    // The buffer as an answer to the wake-up bytes, judged only once it holds more than two characters (a
    // lone 06 reads "6"); the handshake and the fleet's presence check both judge it so.
    enum class WakeUpAnswer { TooShort, Acknowledged, Other };
    WakeUpAnswer wakeUpAnswer() const {
        if (length() <= 2)
            return WakeUpAnswer::TooShort;
        return acknowledged_ ? WakeUpAnswer::Acknowledged : WakeUpAnswer::Other;
    }

    static QString decimalText(const QByteArray& bytes);
    // Of bytes waiting to be appended (held back while a transfer is on hold), what can still change the
    // text and the acknowledgement: the first kCapacity bytes, each at least one character, and the first
    // byte after them that holds a '6'. Keeping only these keeps a hold small whatever the port sends;
    // as a block reply they are too long exactly when all the bytes would have been.
    static QByteArray deciding(const QByteArray& bytes);

private:
    QString text_;
    bool acknowledged_ = false;
};
