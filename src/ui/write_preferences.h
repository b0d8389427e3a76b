#pragma once

class QMenu;

// The write options of the 编程 menu, remembered between runs in the user's settings (QSettings,
// organisation and application "RadioCPS"). Both are off until the user turns them on: they run extra
// sessions with the radio right after one another.
namespace WritePreferences {

bool verifyAfterWrite();
void setVerifyAfterWrite(bool on);
bool backupBeforeWrite();
void setBackupBeforeWrite(bool on);

// Adds the checkable items (mnuBackupBeforeWrite, mnuVerifyAfterWrite) to the menu, each showing and changing
// its setting.
void addMenuItems(QMenu* menu);

} // namespace WritePreferences
