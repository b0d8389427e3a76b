#pragma once

#include <QList>
#include <QObject>
#include <functional>

#include "image/channel_paste.h"

class MainWindow;
class QMimeData;
class QTableView;

// The 编辑 menu's commands on whole channels: copy, cut and paste through the clipboard (our own
// tab-separated text, which spreadsheets read and write), insert, delete, move and clear, and the bulk
// change of one column. Each change is one undo step; a refused paste changes nothing.
class ChannelRowCommands : public QObject {
    Q_OBJECT
public:
    // `grid`: the channel grid whose selection the commands work on.
    ChannelRowCommands(MainWindow& window, QTableView* grid);

    void copy();
    void cut();
    void paste();
    void insertRow();
    void deleteRows();
    void moveUp();
    void moveDown();
    void clearRows();
    void bulkEdit();

    // What copy puts on the clipboard for these channels.
    static QMimeData* mimeDataOf(const ChannelTable& table, const QList<int>& channels);

private:
    QList<int> channels() const;
    void changeTable(const std::function<void(ChannelTable*)>& edit);
    void selectChannels(const QList<int>& channels);
    void move(int by);
    void information(const QString& text);
    // The clipboard's channels under the editors' rules; false, after saying why, when they are refused.
    bool readClipboard(const ChannelTable& table, int first, int currentColumn, ChannelPaste::Pasted* pasted);

    MainWindow& window_;
    QTableView* grid_;
};
