#pragma once

#include <QString>

#include "texts/transfer_texts.h"

class QWidget;

// Every message box and file dialog of the program goes through this interface, so that tests can answer
// them and check icon, title and text.
class Prompter {
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, SaveDiscardCancel };
    enum class Answer { Ok, Cancel, Yes, No, Save, Discard };

    virtual ~Prompter() = default;

    virtual Answer message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                           Buttons buttons = Buttons::Ok) = 0;
    // Both start in `folder`. Empty text when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& folder) = 0;
    // The dialog adds `suffix` (without the dot) to a name that has none, and asks before overwriting the
    // file of the completed name.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& folder, const QString& suffix) = 0;

    // Shorthands.
    void information(QWidget* p, const QString& title, const QString& text) {
        message(p, Icon::Information, title, text);
    }
    // Plain OK/Cancel questions, such as those before and during a transfer, show no icon.
    bool confirm(QWidget* p, const QString& title, const QString& text, Icon icon = Icon::None) {
        return message(p, icon, title, text, Buttons::OkCancel) == Answer::Ok;
    }
    // A message of a read or a write, as texts/transfer_texts.h words it.
    void show(QWidget* p, const TransferTexts::Shown& shown);
    // An error value, in the form the situation calls for; the one way the program shows an error.
    void showError(QWidget* p, const Error& error,
                   TransferTexts::ErrorForm form = TransferTexts::ErrorForm::Coded) {
        show(p, TransferTexts::error(error, form));
    }
};

// The real one: QMessageBox and QFileDialog.
class WidgetPrompter : public Prompter {
public:
    Answer message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                   Buttons buttons) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& folder) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& folder,
                         const QString& suffix) override;
};
