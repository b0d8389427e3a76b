#include "ui/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "ui/remembered.h"

namespace {
const QString kKey = QStringLiteral("files/recent");
}

RecentFiles::RecentFiles(QMenu* menu, std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), menu_(menu), open_(std::move(open)) {
    rebuild();
}

QStringList RecentFiles::paths() const {
    return Remembered::value(kKey).toStringList();
}

void RecentFiles::add(const QString& path) {
    if (path.isEmpty())
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMaximum));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(QFileInfo(path).absoluteFilePath());
    store(list);
}

void RecentFiles::store(const QStringList& list) {
    Remembered::setValue(kKey, list);
    rebuild();
}

void RecentFiles::rebuild() {
    // An item may be rebuilding the list from its own triggered signal: it goes once that has returned.
    for (QAction* old : menu_->actions()) {
        menu_->removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    const QStringList list = paths();
    for (int i = 0; i < list.size(); ++i) {
        // "&1 信道表.qfd  (/home/…/folder)": the number is the keyboard accelerator.
        const QFileInfo info(list[i]);
        QAction* action = menu_->addAction(QStringLiteral("&%1 %2  (%3)")
                                               .arg(i + 1)
                                               .arg(info.fileName(), QDir::toNativeSeparators(info.path())));
        action->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
        action->setData(list[i]);
        connect(action, &QAction::triggered, this, [this, path = list[i]] { open_(path); });
    }
    menu_->setEnabled(!list.isEmpty());
}
