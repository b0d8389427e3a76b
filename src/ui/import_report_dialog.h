#pragma once

#include <QDialog>

#include "image/chirp_csv.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// What importing a CHIRP list would leave out and lose, before anything changes: a report to read or copy,
// the choice of numbering the channels as the file does or in file order from channel 1, and "导入可用的 N 个
// 信道" or 取消.
class ImportReportDialog : public QDialog {
    Q_OBJECT
public:
    // The same file read at its Locations and in file order.
    ImportReportDialog(ChirpCsv::ReadResult asWritten, ChirpCsv::ReadResult inFileOrder,
                       QWidget* parent = nullptr);

    bool inFileOrder() const;
    const ChirpCsv::ReadResult& chosen() const;

private:
    void present(const ChirpCsv::ReadResult& result);

    ChirpCsv::ReadResult asWritten_;
    ChirpCsv::ReadResult inFileOrder_;
    QLabel* summary_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QCheckBox* order_ = nullptr;
    QPushButton* import_ = nullptr;
};
