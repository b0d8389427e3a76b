#pragma once

#include <QString>

class Prompter;
class QWidget;

// The file dialogs of the commands: each starts in the folder the user chose a file in last (remembered
// between runs in the user's settings, organisation and application "RadioCPS"), and a name saved without
// a suffix gets the suffix of what is being saved, so that the file shows under its own filter afterwards.
namespace FileChoice {

// The remembered folder, or the home folder when none is remembered or it is gone.
QString lastFolder();
// Remembers the folder of a chosen file.
void rememberFolderOf(const QString& path);

// `path` with ".suffix" added when its file name has none ("shop1" becomes "shop1.qfd").
QString withSuffix(const QString& path, const QString& suffix);

// The open and save dialogs through `prompter`, started in lastFolder(); a chosen file's folder is
// remembered. Empty when the user cancels. `suffix` is without the dot.
QString openFile(Prompter& prompter, QWidget* parent, const QString& title, const QString& filter);
QString saveFile(Prompter& prompter, QWidget* parent, const QString& title, const QString& filter,
                 const QString& suffix);

} // namespace FileChoice
