#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "link/transfer_job.h"
#include "texts/transfer_texts.h"
#include "texts/ui_texts.h"
#include "ui/prompter.h"

namespace {
constexpr int kBarMaximum = 128;

} // namespace

ProgressWindow::ProgressWindow(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), applicationTitle_(QCoreApplication::applicationName()) {
    setObjectName(QStringLiteral("frmWAIT"));
    setWindowTitle(RadioText::ProgressCaption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    lblStage_ = new QLabel(this);
    lblStage_->setObjectName(QStringLiteral("lblStage"));
    lblStage_->hide();
    layout->addWidget(lblStage_);
    lblHint_ = new QLabel(this);
    lblHint_->setObjectName(QStringLiteral("lblHint"));
    lblHint_->setWordWrap(true);
    lblHint_->hide();
    layout->addWidget(lblHint_);
    pgbCount_ = new QProgressBar(this);
    pgbCount_->setObjectName(QStringLiteral("pgbCount"));
    pgbCount_->setRange(0, kBarMaximum);
    pgbCount_->setValue(0);
    pgbCount_->setMinimumWidth(360);
    layout->addWidget(pgbCount_);
    cmdCancel_ = new QPushButton(UiText::Cancel, this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    layout->addWidget(cmdCancel_, 0, Qt::AlignHCenter);
    connect(cmdCancel_, &QPushButton::clicked, this, &ProgressWindow::cmdCancel_Click);
}

void ProgressWindow::setTransfer(TransferJob* job) {
    job_ = job;
    connect(job, &TransferJob::stageStarted, this, [this](int index) {
        // Each stage's bar starts from nothing, and an earlier stage's hint no longer applies.
        const QString line = TransferTexts::stageLine(job_->stages(), index);
        lblStage_->setText(line);
        lblStage_->setVisible(!line.isEmpty());
        lblHint_->hide();
        pgbCount_->setValue(0);
    });
    connect(job, &TransferJob::captionChanged, this, [this](TransferCaption caption) {
        setWindowTitle(TransferTexts::caption(caption));
        // The hint stays in the body until the radio answers: a title is easily missed.
        if (caption == TransferCaption::NoAnswer) {
            lblHint_->setText(TransferTexts::caption(caption));
            lblHint_->show();
        } else if (caption != TransferCaption::Connecting) {
            lblHint_->hide();
        }
    });
    connect(job, &TransferJob::progressChanged, this, [this](double value, int maximum) {
        pgbCount_->setMaximum(maximum);
        pgbCount_->setValue(qBound(0, static_cast<int>(value), maximum));
    });
    connect(job, &TransferJob::messageRequested, this, &ProgressWindow::onMessage);
    connect(job, &TransferJob::finished, this, &ProgressWindow::onFinished);
}

void ProgressWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (closing_ || !job_ || job_->isRunning() || job_->isFinished())
        return;
    if (!blnReandOrWrite) {
        closeSelf();
        return;
    }
    job_->start(startDelayMs_);
}

QString ProgressWindow::withTraceNote(const QString& text) {
    // Every message of a transfer is one of its failure; the first one says where the trace is.
    if (traceNote_.isEmpty())
        return text;
    return text + QLatin1Char('\n') + std::exchange(traceNote_, QString());
}

void ProgressWindow::onMessage(const TransferMessage& message) {
    TransferTexts::Shown shown = TransferTexts::message(message, applicationTitle_);
    shown.text = withTraceNote(shown.text);
    prompter_.show(this, shown);
    if (job_)
        job_->messageClosed();
}

void ProgressWindow::onFinished(const TransferResult& result) {
    if (result.outcome == TransferResult::Outcome::Cancelled) {
        closeSelf();
        return;
    }
    if (result.escaped && result.error.isError()) {
        const QString text = withTraceNote((blnn ? RadioText::WriteEscaped : RadioText::ReadEscaped) +
                                           result.error.description);
        prompter_.message(this, Prompter::Icon::Critical, UiText::TitleNotice, text);
        closeSelf();
        return;
    }
    pgbCount_->setValue(pgbCount_->maximum());
    cmdCancel_->setText(UiText::Ok);
    closeSelf();
}

void ProgressWindow::cmdCancel_Click() {
    if (cmdCancel_->text() == UiText::Ok) {
        closeSelf();
        return;
    }
    // The question is asked inside the transfer's wait: nothing is sent and no timer runs out meanwhile,
    // the wait before the start included.
    if (job_)
        job_->pause();
    if (!prompter_.confirm(this, UiText::TitleNotice, RadioText::ConfirmCancel)) {
        if (job_)
            job_->resume();
        return;
    }
    cancelTransfer();
    closeSelf();
}

void ProgressWindow::cancelTransfer() {
    blnReandOrWrite = false;
    if (job_)
        job_->cancel();
}

void ProgressWindow::closeSelf() {
    if (closing_)
        return;
    closing_ = true;
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
