#pragma once

#include <QObject>
#include <QString>

class MainWindow;

// "导入 CSV…" and "导出 CSV…": the channels of the open document as a CHIRP-compatible CSV file and back.
// An import replaces every channel (model, band and settings stay) as one undo step; a file whose channels
// are numbered from 0 is offered a renumbering from 1, and lines left out or information lost are listed
// before anything changes.
class CsvCommands : public QObject {
    Q_OBJECT
public:
    explicit CsvCommands(MainWindow& window);

    void importCsv();
    void importFile(const QString& path);
    void exportCsv();

private:
    MainWindow& window_;
};
