#pragma once

#include <QDialog>
#include <QTimer>

#include "link/link_timing.h"
#include "link/transfer_action.h"

class Prompter;
class QLabel;
class QProgressBar;
class QPushButton;
class TransferJob;

// frmWAIT: the modal window that hosts a transfer. Half a second after it shows the transfer starts (the
// job keeps that wait, so that a hold holds it too), shows captions and progress (pgbCount), offers
// cmdCancel, shows the transfer's messages and
// closes itself when the transfer has finished. Its close box counts as a confirmed cancel; Esc does
// nothing, so that a stray key cannot stop a write.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(Prompter& prompter, QWidget* parent = nullptr);

    // The transfer to run; the job must outlive the window's exec.
    void setTransfer(TransferJob* job);
    // How long after the window shows the transfer starts; the job holds that wait with the transfer.
    void setStartDelay(int ms) { startDelayMs_ = ms; }
    // The title of the transfer's messages that carry the program's name; the application name by default.
    void setApplicationTitle(const QString& title) { applicationTitle_ = title; }
    // A line added to the first message of a failed transfer: where its serial trace is kept.
    void setTraceNote(const QString& note) { traceNote_ = note; }

    bool blnn = false;           // true: write, false: read
    bool blnReandOrWrite = true; // the continue flag; cleared by a confirmed cancel

    QProgressBar* pgbCount() const { return pgbCount_; }
    // The stage of a job of several ("第 1 步，共 3 步：读取备份") and the no-answer hint, in the body.
    QLabel* lblStage() const { return lblStage_; }
    QLabel* lblHint() const { return lblHint_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onMessage(const TransferMessage& message);
    void onFinished(const TransferResult& result);
    void cancelTransfer();
    // The text with the trace note after it, for the first message of a transfer only.
    QString withTraceNote(const QString& text);
    void closeSelf();

    Prompter& prompter_;
    TransferJob* job_ = nullptr;
    QLabel* lblStage_ = nullptr;
    QLabel* lblHint_ = nullptr;
    QProgressBar* pgbCount_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    int startDelayMs_ = LinkTiming::kStartDelayMs;
    QString applicationTitle_;
    QString traceNote_; // until the first message has taken it
    bool closing_ = false;
};
