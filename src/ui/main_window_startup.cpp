// The start-up stages and the activation of the main window.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QTableView>
#include <QTimer>
#include <utility>

#include "config/config_check.h"
#include "config/error_texts.h"
#include "config/ini_file.h"
#include "document/radio_document.h"
#include "texts/ui_texts.h"
#include "texts/validity_texts.h"
#include "ui/channel_editing.h"
#include "ui/file_commands.h"
#include "ui/housekeeping.h"
#include "ui/main_window.h"
#include "ui/model_commands.h"
#include "ui/prompter.h"
#include "ui/status_panels.h"

namespace {

Error loadIcon(const QString& path, QIcon* icon) {
    if (!QFileInfo(path).isFile())
        return {ErrorCode::FileNotFound, ErrorText::fileNotFound(path)};
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return {ErrorCode::PathFileAccess, UiText::IconInvalid.arg(path)};
    *icon = QIcon(QPixmap::fromImage(image));
    return Error::none();
}

} // namespace

void MainWindow::initialiseStage() {
    const StartupConfig config = StartupConfig::read(configPath_, QFileInfo(configPath_).absolutePath());
    document_->setBandRanges(config.bandRanges);
    iconPath_ = config.iconPath;
    caption_ = config.caption;
    statusCaption_ = config.statusCaption;
    document_->setTune(TuneValues{});
    document_->layOut();
    document_->markUnmodified();
    // Everything in the channel frame but the grid is a cell editor, placed over its cell when it opens.
    QList<QWidget*> editors = fraChannels_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    editors.removeAll(static_cast<QWidget*>(gridXDSZ_));
    layout_.record(size(), centralWidget(), editors);
}

bool MainWindow::loadStage() {
    QIcon icon;
    if (const Error e = loadIcon(iconPath_, &icon); e.isError()) {
        // The window keeps its design-time state: no captions, no selections, no model question.
        prompter_->message(this, Prompter::Icon::Information, UiText::TitleInformation, e.description);
        return false;
    }
    setWindowIcon(icon);
    titled_ = true;
    files_->setMessageTitle(caption_);
    showTitle();
    captionPanel_->setText(statusCaption_);
    models_->startShowingModel();
    document_->setModelName(document_->models().entries[0].name, -1);
    document_->selectBand(0);
    document_->layOut();
    document_->selectStartupSettings(); // the lists, then both kept bytes
    blnAskModel_ = true;
    // Said at once, naming each entry, rather than later as the fault of a cell or a model.
    if (const QVector<ConfigProblem> problems = checkConfig(IniFile::load(configPath_)); !problems.isEmpty())
        prompter_->message(this, Prompter::Icon::Warning, UiText::TitleInformation,
                           UiText::configProblems(QDir::toNativeSeparators(configPath_), problems));
    closePort();
    return true;
}

void MainWindow::showValidity() {
    // A number being typed passes through values outside the band ("4" is 004.00000): counted once the
    // edit is over.
    if (editing_->isEditing())
        return;
    showNote(validityPanel_, ValidityText::count(document_->invalidCount()));
}

void MainWindow::showTitle() {
    if (!titled_)
        return; // a window whose load stage failed keeps its design-time title
    const QString path = document_->filePath();
    QString name = path.isEmpty() ? QString() : QFileInfo(path).fileName();
    // A read names what was read until it is saved: "RC-160(U) 读频".
    if (name.isEmpty() && document_->isReadFromRadio())
        name = UiText::readDocumentName(document_->model().strPc, document_->model().band);
    setWindowTitle(UiText::documentTitle(name, document_->isModified(), !document_->isComplete(), caption_));
    showNote(documentPanel_,
             document_->isComplete()
                 ? QString()
                 : RadioText::incompleteStatus(document_->firstMissingChannel(), document_->model().strType));
}

void MainWindow::showStatusNote(const QString& text) {
    showNote(notePanel_, text);
}

void MainWindow::addStatusNote(const QString& text) {
    showStatusNote(notePanel_->text().isEmpty() ? text : notePanel_->text() + UiText::NoteSeparator + text);
}

QString MainWindow::statusNote() const {
    return notePanel_->text();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShown_)
        return;
    firstShown_ = true;
    // The first activation may open the model dialog, which needs the window on screen first.
    QTimer::singleShot(0, this, [this] { activate(); });
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Whatever stopped the housekeeping timer (the preview, the print command, a transfer, another
    // window), it runs again once this window is the active one.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && housekeeping_)
        housekeeping_->start();
}

void MainWindow::activate() {
    // Runs as a command: a modal window it opens activates the window again only after it has returned.
    runner_.run([this] {
        document_->selectBand(document_->model().band);
        // The tune window may have changed the crystal or polarity option.
        document_->recomputeFunctionByte();
        housekeeping_->start();
        // Cleared first: closing a message or the dialog activates the window again, and each must come once.
        const bool askModel = std::exchange(blnAskModel_, false);
        const QString file = std::exchange(startupFile_, QString());
        // A file given at start names its model: it opens without the model question, which comes only when
        // there is no such file or it cannot be opened.
        if (!file.isEmpty()) {
            models_->loadModels();
            if (files_->loadChannelFile(file, FileCommands::MissingFile::Reported))
                return;
        }
        if (askModel)
            models_->chooseModel();
    });
}
