#include "ui/status_panels.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

namespace {

constexpr int kClockIntervalMs = 1000;

void showDateAndTime(QLabel* date, QLabel* time) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    date->setText(chinese.toString(QDate::currentDate(), QLocale::ShortFormat));
    time->setText(chinese.toString(QTime::currentTime(), QStringLiteral("HH:mm:ss")));
}

} // namespace

QLabel* createStatusPanels(QStatusBar* bar) {
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    QLabel* panels[3];
    for (int i = 0; i < 3; ++i) {
        panels[i] = new QLabel(bar);
        panels[i]->setObjectName(QStringLiteral("sbPanel%1").arg(i + 1));
        panels[i]->setFrameShape(QFrame::StyledPanel);
        panels[i]->setFrameShadow(QFrame::Sunken);
        panels[i]->setContentsMargins(4, 0, 4, 0);
    }
    bar->addWidget(panels[0], 1);
    bar->addPermanentWidget(panels[1]);
    bar->addPermanentWidget(panels[2]);
    auto* clock = new QTimer(bar);
    clock->setObjectName(QStringLiteral("sbClock"));
    clock->setInterval(kClockIntervalMs);
    QLabel* date = panels[1];
    QLabel* time = panels[2];
    QObject::connect(clock, &QTimer::timeout, bar, [date, time] { showDateAndTime(date, time); });
    clock->start();
    showDateAndTime(date, time);
    return panels[0];
}

QLabel* addNotePanel(QStatusBar* bar, const QString& objectName) {
    auto* note = new QLabel(bar);
    note->setObjectName(objectName);
    note->setFrameShape(QFrame::StyledPanel);
    note->setFrameShadow(QFrame::Sunken);
    note->setContentsMargins(4, 0, 4, 0);
    note->hide();
    bar->insertWidget(1, note);
    return note;
}

void showNote(QLabel* panel, const QString& text) {
    panel->setText(text);
    panel->setVisible(!text.isEmpty());
}
