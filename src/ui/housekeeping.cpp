#include "ui/housekeeping.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "ui/channel_editing.h"

namespace {

// The control that has the focus, as the channel area's window sees it. While another application is
// active the window keeps its own focus widget, so an open editor survives a trip there and back; while
// one of this program's other windows (a dialog) is active, the focus is there.
QWidget* focusedControl(const QWidget* channelArea) {
    if (QApplication::activeWindow())
        return QApplication::focusWidget();
    return channelArea->window()->focusWidget();
}

void hideEditorsOutside(QWidget* channelArea, ChannelEditing* editing) {
    // The editors stay while the focus is in the channel area (directly or inside a child such as an open
    // drop-down list); with no focus at all they are hidden.
    for (QWidget* w = focusedControl(channelArea); w; w = w->parentWidget()) {
        if (w == channelArea)
            return;
    }
    editing->hideEditors();
}

} // namespace

Housekeeping::Housekeeping(QWidget* channelArea, ChannelEditing* editing, QObject* timerParent)
    : channelArea_(channelArea), editing_(editing), timer_(new QTimer(timerParent)) {
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setInterval(kIntervalMs);
    // The connection captures only objects that live as long as the timer's owner.
    QObject::connect(timer_, &QTimer::timeout, editing,
                     [channelArea, editing] { hideEditorsOutside(channelArea, editing); });
    timer_->start(); // enabled from the start, like the design
}

void Housekeeping::start() {
    timer_->start();
}

void Housekeeping::stop() {
    timer_->stop();
}

void Housekeeping::tick() {
    hideEditorsOutside(channelArea_, editing_);
}
