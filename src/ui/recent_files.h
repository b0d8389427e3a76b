#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QMenu;

// "最近打开的文件": the last eight channel files opened or saved, newest first, remembered between runs.
// Each is an item of the submenu (mnuRecent_0 ...); choosing one runs `open` with its path.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaximum = 8;

    RecentFiles(QMenu* menu, std::function<void(const QString&)> open, QObject* parent = nullptr);

    QStringList paths() const;
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store(const QStringList& paths);
    void rebuild();

    QMenu* menu_;
    std::function<void(const QString&)> open_;
};
