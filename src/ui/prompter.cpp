#include "ui/prompter.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

#include "texts/ui_texts.h"

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The original filter "qfd(*.qfd)|*.qfd|所有文件(*.*)|*.*" in Qt's form.
QString qtFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name.truncate(paren);
        out << name + QStringLiteral(" (") +
                   QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace

void Prompter::show(QWidget* p, const TransferTexts::Shown& shown) {
    Icon icon = Icon::None;
    switch (shown.icon) {
    case TransferTexts::Icon::None:
        break;
    case TransferTexts::Icon::Information:
        icon = Icon::Information;
        break;
    case TransferTexts::Icon::Warning:
        icon = Icon::Warning;
        break;
    case TransferTexts::Icon::Critical:
        icon = Icon::Critical;
        break;
    }
    message(p, icon, shown.title, shown.text);
}

Prompter::Answer WidgetPrompter::message(QWidget* parent, Icon icon, const QString& title,
                                         const QString& text, Buttons buttons) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // The box's own buttons in Chinese, whatever language Qt's translations would give them.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Ok, UiText::Ok},     {QMessageBox::Cancel, UiText::Cancel},
        {QMessageBox::Yes, UiText::Yes},   {QMessageBox::No, UiText::No},
        {QMessageBox::Save, UiText::Save}, {QMessageBox::Discard, UiText::DontSave}};
    for (const auto& [which, caption] : captions) {
        if (QAbstractButton* button = box.button(which))
            button->setText(caption);
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

QString WidgetPrompter::openFileName(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& folder) {
    return QFileDialog::getOpenFileName(parent, title, folder, qtFilter(filter));
}

QString WidgetPrompter::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& folder, const QString& suffix) {
    // The dialog itself completes the name, so that its overwrite question is about the file that will
    // really be written.
    QFileDialog dialog(parent, title, folder, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
