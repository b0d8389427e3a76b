#include "ui/channel_editing.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <utility>

#include "image/channel_rows.h"
#include "image/signalling.h"
#include "texts/ui_texts.h"
#include "ui/channel_table_model.h"
#include "ui/prompter.h"

namespace {

constexpr int kFrequencyLength = 9; // "000.00000"

QComboBox* makeCombo(QWidget* frame, const QString& name, const QStringList& items) {
    auto* combo = new QComboBox(frame);
    combo->setObjectName(name);
    combo->setEditable(true);
    // Typed text must reach the cell as typed: no insertion on Enter, no completion while typing, and
    // leaving the combo must not swap the text for an item that differs only in case. A case-sensitive
    // completer with nothing to offer gives exactly that.
    combo->setInsertPolicy(QComboBox::NoInsert);
    auto* completer = new QCompleter(QStringList{}, combo);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    combo->setCompleter(completer);
    combo->addItems(items);
    combo->resize(combo->sizeHint());
    combo->hide();
    return combo;
}

QLineEdit* makeFrequencyEditor(QWidget* frame, const QString& name) {
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(name);
    edit->setMaxLength(kFrequencyLength);
    edit->hide();
    return edit;
}

// The first item that begins with the text, ignoring case; -1 when none does. An empty text finds nothing,
// so that opening an editor over an empty cell never chooses a value for it.
int prefixSearch(const QComboBox* combo, const QString& text) {
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

// The drop-down list is at least as wide as its longest item with the scroll bar beside it, however
// narrow the cell the combo covers.
void widenDropDown(QComboBox* combo) {
    QAbstractItemView* view = combo->view();
    const QFontMetrics metrics(view->font());
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    int widest = view->sizeHintForColumn(0);
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)) + margins);
    const int scrollBar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    view->setMinimumWidth(widest + scrollBar + 2 * view->frameWidth());
}

// An opened combo takes the keyboard with its text selected, so that a typed code replaces the cell's.
void focusCombo(QComboBox* combo) {
    combo->setFocus(Qt::MouseFocusReason);
    combo->lineEdit()->selectAll();
}

bool isEnterKey(const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ChannelEditing::ChannelEditing(QWidget* frame, QTableView* grid, ChannelTableModel* model, Prompter* prompter,
                               LimitsProvider limits, QObject* parent)
    : QObject(parent), frame_(frame), grid_(grid), model_(model), prompter_(prompter),
      limits_(std::move(limits)) {
    rx_ = makeFrequencyEditor(frame_, QStringLiteral("txtTxFreq"));
    tx_ = makeFrequencyEditor(frame_, QStringLiteral("txtRecFreq"));
    list_ = makeCombo(frame_, QStringLiteral("cmbZOBR_1"), {});
    signalling_ = makeCombo(frame_, QStringLiteral("cmbZOBR_2"), Signalling::selectorList(2));
    makeCombo(frame_, QStringLiteral("cmbZOBR_0"), Signalling::selectorList(0));

    for (QLineEdit* edit : {rx_, tx_}) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { frequencyEdited(edit); });
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { confirmFrequency(edit, 1, 0); });
        edit->installEventFilter(this); // Tab
    }
    for (QComboBox* combo : {signalling_, list_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { comboChanged(combo); });
        // A pick of the item already current changes nothing in the combo, yet must still reach the cell
        // (a transmit tone shown as 67 becomes "67.0" again when "67.0" is picked).
        connect(combo, &QComboBox::activated, this, [this, combo] {
            comboChanged(combo);
            applyToSelection(combo->currentText());
        });
        connect(combo, &QComboBox::editTextChanged, this, [this, combo] { comboChanged(combo); });
        // Enter is taken on key release; the combo forwards its keys to its line edit, which may also hold
        // the focus itself after a click into it.
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }

    connect(grid_, &QAbstractItemView::clicked, this, [this](const QModelIndex& clicked) {
        // The click's editor may already be open: a validation message during the press opened it.
        if (std::exchange(openedDuringPress_, false))
            return;
        openEditor(clicked);
    });
    // A press on a channel number takes the whole channel (Shift and Ctrl extend the selection).
    connect(grid_, &QAbstractItemView::pressed, this, &ChannelEditing::selectWholeChannels);
    viewport_ = grid_->viewport();
    viewport_->installEventFilter(this);
    grid_->installEventFilter(this);
    if (QItemSelectionModel* selection = grid_->selectionModel()) {
        connect(selection, &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex&, const QModelIndex& previous) {
                    if (previous.isValid())
                        leaveCell(ChannelTableModel::tableRow(previous), previous.column());
                });
    }
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ChannelEditing::hideEditors);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelEditing::hideEditors);
    // A new table leaves the editors nothing to cover: an editor left open would write into the new table.
    connect(model_, &QAbstractItemModel::modelReset, this, &ChannelEditing::dropEditors);
}

QList<QWidget*> ChannelEditing::editors() const {
    return {rx_, tx_, signalling_, list_};
}

void ChannelEditing::hideEditors() {
    // A validation message has the focus for a while: the edit it speaks of is not over.
    if (checking_)
        return;
    if (!signalling_->isHidden() || !list_->isHidden())
        revertUnlisted(openRow_, openColumn_);
    dropEditors();
}

void ChannelEditing::dropEditors() {
    // A hidden editor would hand the keyboard to the next widget of the window (the model selector, where
    // an arrow key changes the band): it goes back to the grid.
    if (isCellEditor(QApplication::focusWidget()))
        grid_->setFocus(Qt::OtherFocusReason);
    for (QWidget* w : editors())
        w->hide();
    Q_EMIT cellEditDone();
}

bool ChannelEditing::cancelEdit() {
    if (!anyEditorVisible())
        return false;
    const bool changed = model_->cell(openRow_, openColumn_) != editStartText_;
    model_->setCell(openRow_, openColumn_, editStartText_);
    dropEditors();
    return changed;
}

void ChannelEditing::beginEdit(int row, int column) {
    openRow_ = row;
    openColumn_ = column;
    editStartText_ = model_->cell(row, column);
}

void ChannelEditing::revertUnlisted(int row, int column) {
    QComboBox* open = !signalling_->isHidden() ? signalling_ : !list_->isHidden() ? list_ : nullptr;
    if (!open || row != openRow_ || column != openColumn_)
        return;
    const QString text = model_->cell(row, column);
    // Exactly one of the editor's items, as Enter demands (the list editor holds a raw byte as an item).
    if (text.isEmpty() || open->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    model_->setCell(row, column, editStartText_);
    model_->setCellMark(row, column, ChannelTableModel::NoMark);
}

QList<int> ChannelEditing::selectedChannels() const {
    QList<int> channels;
    if (QItemSelectionModel* selection = grid_->selectionModel()) {
        for (const QModelIndex& index : selection->selectedIndexes())
            channels << ChannelTableModel::tableRow(index);
    }
    if (channels.isEmpty() && grid_->currentIndex().isValid())
        channels << ChannelTableModel::tableRow(grid_->currentIndex());
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

void ChannelEditing::selectWholeChannels(const QModelIndex& pressed) {
    QItemSelectionModel* selection = grid_->selectionModel();
    if (!pressed.isValid() || pressed.column() != 0 || !selection)
        return;
    const int lastColumn = model_->columnCount() - 1;
    auto wholeRow = [this, lastColumn](int viewRow) {
        return QItemSelection(model_->index(viewRow, 0), model_->index(viewRow, lastColumn));
    };
    // The view has already applied the press to the number cell: a plain press selected it alone, Ctrl
    // toggled it, Shift spanned the rows from the anchor. Each of those becomes whole channels.
    if (!selection->isSelected(pressed)) {
        selection->select(wholeRow(pressed.row()), QItemSelectionModel::Deselect);
        return;
    }
    QItemSelection rows;
    for (int channel : selectedChannels())
        rows.merge(wholeRow(channel - 1), QItemSelectionModel::Select);
    selection->select(rows, QItemSelectionModel::Select);
}

void ChannelEditing::applyToSelection(const QString& text) {
    if (openColumn_ < 1 || text.isEmpty())
        return;
    const QList<int> channels = selectedChannels();
    if (channels.size() < 2 || !channels.contains(openRow_))
        return;
    QComboBox* combo = fieldOf(openColumn_) == ChannelField::RxSignalling ||
                               fieldOf(openColumn_) == ChannelField::TxSignalling
                           ? signalling_
                           : list_;
    if (combo->findText(text, Qt::MatchExactly) < 0)
        return; // only a listed value is given to every channel
    // Channels without a receive frequency are unused: they stay empty.
    for (int channel : channels) {
        if (channel == openRow_ || ChannelRows::isUnused(model_->table(), channel))
            continue;
        model_->setCell(channel, openColumn_, text);
        model_->setCellMark(channel, openColumn_, ChannelTableModel::ListMark);
    }
}

bool ChannelEditing::anyEditorVisible() const {
    for (const QWidget* w : editors()) {
        if (!w->isHidden())
            return true;
    }
    return false;
}

ChannelField ChannelEditing::fieldOf(int column) const {
    const auto& columns = model_->table().columns();
    return column >= 0 && column < columns.size() ? columns[column].field : ChannelField::Number;
}

QLineEdit* ChannelEditing::frequencyEditorOf(int column) const {
    switch (fieldOf(column)) {
    case ChannelField::RxFrequency:
        return rx_;
    case ChannelField::TxFrequency:
        return tx_;
    default:
        return nullptr;
    }
}

void ChannelEditing::openEditor(const QModelIndex& clicked) {
    Q_EMIT cellEditDone(); // whatever was edited before is a step of its own
    const ChannelTable& table = model_->table();
    if (table.rowCount() < 2 || table.cell(1, columnOf(table.layout(), ChannelField::Number)).isEmpty())
        return;
    QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        current = clicked;
    if (!current.isValid() || current.column() >= table.columnCount())
        return;
    const int row = ChannelTableModel::tableRow(current);
    const int column = current.column();

    const CellEditor kind = table.columns().at(column).editor;
    QWidget* serving = nullptr;
    switch (kind) {
    case CellEditor::RxFrequency:
        serving = rx_;
        break;
    case CellEditor::TxFrequency:
        serving = tx_;
        break;
    case CellEditor::Signalling:
        serving = signalling_;
        break;
    case CellEditor::List:
        serving = list_;
        break;
    case CellEditor::None:
        break;
    }
    for (QWidget* w : editors()) {
        if (w != serving)
            w->hide();
    }

    switch (kind) {
    case CellEditor::RxFrequency:
    case CellEditor::TxFrequency:
        openFrequencyEditor(static_cast<QLineEdit*>(serving), row, column);
        break;
    case CellEditor::Signalling:
        openSignallingEditor(row, column);
        break;
    case CellEditor::List:
        openListEditor(row, column);
        break;
    case CellEditor::None:
        break;
    }
}

void ChannelEditing::openFrequencyEditor(QLineEdit* editor, int row, int column) {
    beginEdit(row, column);
    filling_ = true;
    editor->setText(CellRules::editorFrequency(model_->cell(row, column)));
    filling_ = false;
    placeOver(editor, row, column, false);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::MouseFocusReason);
    editor->selectAll();
}

void ChannelEditing::openSignallingEditor(int row, int column) {
    const bool wasOpen = !signalling_->isHidden();
    beginEdit(row, column);
    if (fieldOf(column) == ChannelField::TxSignalling) {
        // Transmit tones are kept in their short form ("67.0" -> "67"); both forms store the same bytes.
        model_->setCell(row, column, CellRules::normaliseTxSignalling(model_->cell(row, column)));
    }
    const int found = prefixSearch(signalling_, model_->cell(row, column));
    if (found >= 0) {
        filling_ = true;
        signalling_->setCurrentIndex(found);
        filling_ = false;
        // Choosing the item is a pick like the user's: it reaches the cell only while the editor is open.
        if (wasOpen)
            writeOpenCell(signalling_->currentText(), ChannelTableModel::ListMark);
    }
    placeOver(signalling_, row, column, true);
    widenDropDown(signalling_);
    signalling_->show();
    signalling_->raise();
    focusCombo(signalling_);
}

void ChannelEditing::openListEditor(int row, int column) {
    const bool wasOpen = !list_->isHidden();
    beginEdit(row, column);
    filling_ = true;
    list_->clear();
    const ChannelColumn& described = model_->table().columns().at(column);
    list_->addItems(described.items);
    // A byte the list does not name is the cell's own value: offered after the items, so that leaving the
    // editor without a pick, or confirming it, keeps the byte.
    const QString cell = model_->cell(row, column);
    if (CellRules::isRawByteOf(described, cell))
        list_->addItem(cell);
    const int found = prefixSearch(list_, cell);
    list_->setCurrentIndex(found);
    filling_ = false;
    if (wasOpen && found >= 0)
        writeOpenCell(list_->currentText(), ChannelTableModel::ListMark);
    placeOver(list_, row, column, true);
    widenDropDown(list_);
    list_->show();
    list_->raise();
    focusCombo(list_);
}

void ChannelEditing::placeOver(QWidget* editor, int row, int column, bool keepHeight) {
    const QRect cell = grid_->visualRect(model_->indexOf(row, column));
    QWidget* viewport = grid_->viewport();
    const QPoint topLeft = frame_->isAncestorOf(viewport)
                               ? viewport->mapTo(frame_, cell.topLeft())
                               : frame_->mapFromGlobal(viewport->mapToGlobal(cell.topLeft()));
    // A combo keeps its own height, which follows its font as the window grows.
    editor->setGeometry(topLeft.x(), topLeft.y(), cell.width(),
                        keepHeight ? editor->sizeHint().height() : cell.height());
}

void ChannelEditing::writeOpenCell(const QString& text, int mark) {
    model_->setCell(openRow_, openColumn_, text);
    model_->setCellMark(openRow_, openColumn_, mark);
}

void ChannelEditing::frequencyEdited(QLineEdit* editor) {
    if (filling_ || editor->isHidden())
        return;
    // Only numbers can be typed: anything else empties the editor (and so the cell).
    if (!CellRules::isFrequencyInput(editor->text()))
        editor->clear();
    writeOpenCell(CellRules::formatFrequency(editor->text()), ChannelTableModel::FrequencyMark);
}

void ChannelEditing::confirmFrequency(QLineEdit* editor, int rowStep, int columnStep) {
    if (editor->isHidden())
        return;
    writeOpenCell(CellRules::formatFrequency(editor->text()), ChannelTableModel::FrequencyMark);
    editor->hide();
    grid_->setFocus(Qt::OtherFocusReason);
    if (leaveCell(openRow_, openColumn_))
        moveAfterEntry(rowStep, columnStep);
    Q_EMIT cellEditDone();
}

void ChannelEditing::moveAfterEntry(int rowStep, int columnStep) {
    const QModelIndex next = model_->index(openRow_ - 1 + rowStep, openColumn_ + columnStep);
    if (next.isValid())
        grid_->setCurrentIndex(next);
    grid_->setFocus(Qt::OtherFocusReason);
}

void ChannelEditing::comboChanged(QComboBox* combo) {
    if (filling_ || combo->isHidden())
        return;
    writeOpenCell(combo->currentText(), ChannelTableModel::ListMark);
}

void ChannelEditing::confirmCombo(QComboBox* combo, int rowStep, int columnStep) {
    if (combo->isHidden())
        return;
    const QString text = combo->currentText();
    bool listed = text.isEmpty();
    for (int i = 0; !listed && i < combo->count(); ++i)
        listed = combo->itemText(i) == text;
    if (!listed) {
        checking_ = true;
        prompter_->message(frame_->window(), Prompter::Icon::Information, UiText::TitleNotice,
                           EditingText::UnknownItem);
        checking_ = false;
        // The editor stays open for a correction, with the keyboard.
        focusCombo(combo);
        return;
    }
    writeOpenCell(text, ChannelTableModel::ListMark);
    applyToSelection(text);
    combo->hide();
    moveAfterEntry(rowStep, columnStep);
    Q_EMIT cellEditDone();
}

bool ChannelEditing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_) {
        if (event->type() == QEvent::MouseButtonPress) {
            // Seen before the grid moves its current cell, and so before the leave-cell validation.
            openedDuringPress_ = false;
            pressedCell_ = grid_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            pressedCell_ = QPersistentModelIndex();
        }
        return QObject::eventFilter(watched, event);
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        // A move by key is no click: the press that a message may have swallowed is over.
        pressedCell_ = QPersistentModelIndex();
        if (gridKey(static_cast<QKeyEvent*>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && editorKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && isEnterKey(event)) {
        for (QComboBox* combo : {signalling_, list_}) {
            if (watched != combo && watched != combo->lineEdit())
                continue;
            if (event->type() == QEvent::KeyPress) {
                enterPressedIn_ = combo;
                return QObject::eventFilter(watched, event);
            }
            // Only the release of an Enter pressed here: the one that closed a message ends in the combo
            // too, and would ask again.
            if (std::exchange(enterPressedIn_, nullptr) == combo)
                confirmCombo(combo, 1, 0);
            // An unhandled release in the line edit would reach the combo too and ask twice.
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool ChannelEditing::leaveCell(int row, int column) {
    if (row < 1 || row >= model_->table().rowCount() || column < 1 || column >= model_->table().columnCount())
        return true;
    // From the first keystroke to the verdict, whatever the check writes belongs to the same edit.
    const QScopedValueRollback<bool> checking(checking_, true);
    revertUnlisted(row, column);
    const QString text = model_->cell(row, column);
    if (text.isEmpty()) {
        model_->setCell(row, column, CellToken::Off);
        return true;
    }
    if (!frequencyEditorOf(column))
        return true;

    switch (CellRules::checkFrequency(text, limits_())) {
    case CellRules::FrequencyVerdict::NotANumber:
        model_->setCell(row, column, CellToken::Off);
        return true;
    case CellRules::FrequencyVerdict::OutOfRange:
        rejectFrequency(row, column, EditingText::OutOfRange);
        return false;
    case CellRules::FrequencyVerdict::OffRaster:
        rejectFrequency(row, column, EditingText::OffRaster);
        return false;
    case CellRules::FrequencyVerdict::Accepted:
        break;
    }
    if (fieldOf(column) != ChannelField::RxFrequency)
        return true;

    const QStringList completed = ChannelRows::completedByReceive(model_->table(), row, text);
    for (int c = 1; c <= completed.size(); ++c) {
        if (model_->cell(row, c) != completed[c - 1])
            model_->setCell(row, c, completed[c - 1]);
    }
    return true;
}

bool ChannelEditing::gridKey(QKeyEvent* key) {
    if (anyEditorVisible() || !grid_->currentIndex().isValid())
        return false;
    const bool enter =
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2;
    const QString text = key->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!enter && !typed)
        return false;
    openEditor(grid_->currentIndex());
    QWidget* opened = nullptr;
    for (QWidget* w : editors()) {
        if (!w->isHidden())
            opened = w;
    }
    if (!opened)
        return false; // the channel number has no editor
    if (typed) {
        // The character starts the editor's text, as if it had been typed there.
        auto* combo = qobject_cast<QComboBox*>(opened);
        QWidget* target = combo ? static_cast<QWidget*>(combo->lineEdit()) : opened;
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), text);
        QCoreApplication::sendEvent(target, &copy);
    }
    return true;
}

bool ChannelEditing::editorKey(QObject* watched, QKeyEvent* key) {
    if (key->key() != Qt::Key_Tab)
        return false;
    // Tab confirms the cell like Enter and goes on to the next column.
    for (QLineEdit* edit : {rx_, tx_}) {
        if (watched == edit && !edit->isHidden()) {
            confirmFrequency(edit, 0, 1);
            return true;
        }
    }
    for (QComboBox* combo : {signalling_, list_}) {
        if ((watched == combo || watched == combo->lineEdit()) && !combo->isHidden()) {
            confirmCombo(combo, 0, 1);
            return true;
        }
    }
    return false;
}

void ChannelEditing::rejectFrequency(int row, int column, const QString& message) {
    prompter_->message(frame_->window(), Prompter::Icon::Information, UiText::TitleNotice, message);
    model_->setCell(row, column, CellToken::Off);
    // Emptying the editor is not a user edit, so the cell keeps "OFF".
    QLineEdit* editor = frequencyEditorOf(column);
    grid_->setFocus(Qt::OtherFocusReason); // not to the next widget of the window, as hiding would
    editor->hide();
    editor->clear();
    // A click on another cell raised the message: the grid may never see the release that makes the
    // click (the message took it), so the clicked cell's editor opens now that the message is closed.
    if (pressedCell_.isValid() && pressedCell_ == grid_->currentIndex()) {
        openEditor(grid_->currentIndex());
        openedDuringPress_ = true;
    }
}

bool ChannelEditing::isCellEditor(const QWidget* widget) const {
    for (const QWidget* editor : editors()) {
        if (widget == editor || (widget && editor->isAncestorOf(widget)))
            return true;
    }
    return false;
}
