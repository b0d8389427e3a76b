#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "ui/prompter.h"

#include <QMetaType>

Q_DECLARE_METATYPE(Prompter::Answer)

// A prompter for tests: records every message and file dialog and gives the scripted answers in order.
// With no answer left, a message is answered Ok and a file dialog is cancelled.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
    };

    QList<Shown> shown;
    QList<Answer> answers;
    QStringList fileNames;    // answers of the file dialogs, "" cancels
    QStringList fileDialogs;  // "open:<title>" or "save:<title>", with the filter after a "|"
    QStringList startFolders; // the folder each file dialog started in
    QStringList suffixes;     // the suffix each save dialog adds
    // Runs while a message is up, before it is answered, as the user would look at it.
    std::function<void(const Shown&)> whileShown;

    Answer message(QWidget*, Icon icon, const QString& title, const QString& text, Buttons buttons) override {
        shown.append({icon, title, text, buttons});
        if (whileShown)
            whileShown(shown.last());
        return answers.isEmpty() ? Answer::Ok : answers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& title, const QString& filter,
                         const QString& folder) override {
        fileDialogs << QStringLiteral("open:") + title + QLatin1Char('|') + filter;
        startFolders << folder;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& title, const QString& filter, const QString& folder,
                         const QString& suffix) override {
        fileDialogs << QStringLiteral("save:") + title + QLatin1Char('|') + filter;
        startFolders << folder;
        suffixes << suffix;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QStringList texts() const {
        QStringList t;
        for (const Shown& s : shown)
            t << s.text;
        return t;
    }
    void clear() { shown.clear(); }
};
