#include "ui/write_preferences.h"

#include <QAction>
#include <QMenu>

#include "texts/ui_texts.h"
#include "ui/remembered.h"

namespace WritePreferences {

namespace {

const QString kVerifyKey = QStringLiteral("write/verifyAfterWrite");
const QString kBackupKey = QStringLiteral("write/backupBeforeWrite");

bool value(const QString& key) {
    return Remembered::value(key, false).toBool();
}

void setValue(const QString& key, bool on) {
    Remembered::setValue(key, on);
}

void addItem(QMenu* menu, const QString& name, const QString& text, bool (*get)(), void (*set)(bool)) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(get());
    QObject::connect(action, &QAction::toggled, menu, [set](bool on) { set(on); });
}

} // namespace

bool verifyAfterWrite() {
    return value(kVerifyKey);
}

void setVerifyAfterWrite(bool on) {
    setValue(kVerifyKey, on);
}

bool backupBeforeWrite() {
    return value(kBackupKey);
}

void setBackupBeforeWrite(bool on) {
    setValue(kBackupKey, on);
}

void addMenuItems(QMenu* menu) {
    addItem(menu, QStringLiteral("mnuBackupBeforeWrite"), RadioText::MenuBackupBeforeWrite,
            &backupBeforeWrite, &setBackupBeforeWrite);
    addItem(menu, QStringLiteral("mnuVerifyAfterWrite"), RadioText::MenuVerifyAfterWrite, &verifyAfterWrite,
            &setVerifyAfterWrite);
}

} // namespace WritePreferences
