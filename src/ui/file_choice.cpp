#include "ui/file_choice.h"

#include <QDir>
#include <QFileInfo>

#include "ui/prompter.h"
#include "ui/remembered.h"

namespace FileChoice {

namespace {

const QString kFolderKey = QStringLiteral("files/lastFolder");

// The dialog has been answered: empty for a cancel, else its folder is the one to start in next time.
QString chosen(const QString& path) {
    if (!path.isEmpty())
        rememberFolderOf(path);
    return path;
}

} // namespace

QString lastFolder() {
    const QString folder = Remembered::value(kFolderKey).toString();
    // A folder removed or unplugged since would open the dialog somewhere arbitrary.
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QDir::homePath();
    return folder;
}

void rememberFolderOf(const QString& path) {
    Remembered::setValue(kFolderKey, QFileInfo(path).absolutePath());
}

QString withSuffix(const QString& path, const QString& suffix) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    // "shop1." already ends with the dot.
    if (name.endsWith(QLatin1Char('.')))
        return path + suffix;
    return path + QLatin1Char('.') + suffix;
}

QString openFile(Prompter& prompter, QWidget* parent, const QString& title, const QString& filter) {
    return chosen(prompter.openFileName(parent, title, filter, lastFolder()));
}

QString saveFile(Prompter& prompter, QWidget* parent, const QString& title, const QString& filter,
                 const QString& suffix) {
    const QString path = prompter.saveFileName(parent, title, filter, lastFolder(), suffix);
    return chosen(path.isEmpty() ? path : withSuffix(path, suffix));
}

} // namespace FileChoice
