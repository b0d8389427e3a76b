#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/transfer_driver.h"
#include "texts/transfer_texts.h"
#include "ui/prompter.h"
#include "ui/radio_texts.h"

namespace {
constexpr int kBarMaximum = 128;

Prompter::Icon promptIcon(TransferTexts::Icon icon) {
    switch (icon) {
    case TransferTexts::Icon::Information:
        return Prompter::Icon::Information;
    case TransferTexts::Icon::Warning:
        return Prompter::Icon::Warning;
    case TransferTexts::Icon::None:
        break;
    }
    return Prompter::Icon::None;
}
} // namespace

ProgressWindow::ProgressWindow(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), applicationTitle_(QCoreApplication::applicationName()) {
    setObjectName(QStringLiteral("frmWAIT"));
    setWindowTitle(RadioText::ProgressCaption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    pgbCount_ = new QProgressBar(this);
    pgbCount_->setObjectName(QStringLiteral("pgbCount"));
    pgbCount_->setRange(0, kBarMaximum);
    pgbCount_->setValue(0);
    pgbCount_->setMinimumWidth(360);
    layout->addWidget(pgbCount_);
    cmdCancel_ = new QPushButton(RadioText::Cancel, this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    layout->addWidget(cmdCancel_, 0, Qt::AlignHCenter);
    connect(cmdCancel_, &QPushButton::clicked, this, &ProgressWindow::cmdCancel_Click);

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setSingleShot(true);
    timer1_.setInterval(LinkTiming::kStartDelayMs);
    connect(&timer1_, &QTimer::timeout, this, &ProgressWindow::Timer1_Timer);
}

void ProgressWindow::setTransfer(TransferDriver* driver) {
    driver_ = driver;
    connect(driver, &TransferDriver::captionChanged, this,
            [this](TransferCaption caption) { setWindowTitle(TransferTexts::caption(caption)); });
    connect(driver, &TransferDriver::progressChanged, this, [this](double value, int maximum) {
        pgbCount_->setMaximum(maximum);
        pgbCount_->setValue(qBound(0, static_cast<int>(value), maximum));
    });
    connect(driver, &TransferDriver::messageRequested, this, &ProgressWindow::onMessage);
    connect(driver, &TransferDriver::finished, this, &ProgressWindow::onFinished);
}

void ProgressWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!closing_ && !timer1_.isActive() && driver_ && !driver_->isRunning() && !driver_->isFinished())
        timer1_.start();
}

void ProgressWindow::Timer1_Timer() {
    timer1_.stop();
    if (!driver_ || !blnReandOrWrite) {
        closeSelf();
        return;
    }
    driver_->start();
}

void ProgressWindow::onMessage(const TransferMessage& message) {
    const TransferTexts::Shown shown = TransferTexts::message(message, applicationTitle_);
    prompter_.message(this, promptIcon(shown.icon), shown.title, shown.text);
    if (driver_)
        driver_->messageClosed();
}

void ProgressWindow::onFinished(const TransferResult& result) {
    if (result.outcome == TransferResult::Outcome::Cancelled) {
        closeSelf();
        return;
    }
    if (result.escaped && result.error.isError()) {
        prompter_.message(this, Prompter::Icon::Critical, RadioText::NoticeTitle,
                          (blnn ? RadioText::WriteEscaped : RadioText::ReadEscaped) +
                              result.error.description);
        closeSelf();
        return;
    }
    pgbCount_->setValue(pgbCount_->maximum());
    cmdCancel_->setText(RadioText::Done);
    closeSelf();
}

void ProgressWindow::cmdCancel_Click() {
    if (cmdCancel_->text() == RadioText::Done) {
        closeSelf();
        return;
    }
    if (!prompter_.confirm(this, RadioText::NoticeTitle, RadioText::ConfirmCancel))
        return;
    cancelTransfer();
    closeSelf();
}

void ProgressWindow::cancelTransfer() {
    blnReandOrWrite = false;
    timer1_.stop();
    if (driver_)
        driver_->cancel();
}

void ProgressWindow::closeSelf() {
    if (closing_)
        return;
    closing_ = true;
    timer1_.stop();
    done(QDialog::Accepted);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        // The close box: a cancel the user has already confirmed.
        cancelTransfer();
        closing_ = true;
        done(QDialog::Rejected);
    }
    event->accept();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
