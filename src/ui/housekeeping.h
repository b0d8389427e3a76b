#pragma once

class ChannelEditing;
class QObject;
class QTimer;
class QWidget;

// The housekeeping timer: every half second it hides the cell editors once the focus has left the
// channel area. The timer runs from the start; commands that open other windows stop it, and the main
// window starts it again whenever it becomes active.
class Housekeeping {
public:
    static constexpr int kIntervalMs = 500;

    // The timer, named "Timer", is a child of `timerParent`.
    Housekeeping(QWidget* channelArea, ChannelEditing* editing, QObject* timerParent);

    QTimer* timer() const { return timer_; }
    void start();
    void stop();
    // What the timer does at each timeout.
    void tick();

private:
    QWidget* channelArea_;
    ChannelEditing* editing_;
    QTimer* timer_;
};
