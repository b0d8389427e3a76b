#pragma once

#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <functional>

#include "image/cell_rules.h"

class QComboBox;
class QEvent;
class QKeyEvent;
class QLineEdit;
class QModelIndex;
class QTableView;
class QWidget;
class ChannelTableModel;
class Prompter;

// The four cell editors of the channel grid and every rule of editing: txtTxFreq (receive frequency),
// txtRecFreq (transmit frequency), cmbZOBR_2 (signalling) and cmbZOBR_1 (the list columns), as the column
// table assigns them, are children of the channel data frame, hidden until a cell is clicked, and placed
// exactly over it. cmbZOBR_0, the codec's lookup list, is there too and never shown. Values reach the cell
// as they are typed; the leave-cell validation checks frequencies.
class ChannelEditing : public QObject {
    Q_OBJECT
public:
    using LimitsProvider = std::function<CellRules::FrequencyLimits()>;

    ChannelEditing(QWidget* frame, QTableView* grid, ChannelTableModel* model, Prompter* prompter,
                   LimitsProvider limits, QObject* parent = nullptr);

    // Hides all four editors (scroll, focus loss, housekeeping timer). Only a text a list editor does not
    // hold is taken back: the cell returns to its value before the edit. Nothing happens while a validation
    // message is up.
    void hideEditors();
    bool anyEditorVisible() const;
    // Whether an edit is in progress: an editor is open, or the value just left is being checked (its
    // message may be on screen). Its changes wait to become one step.
    bool isEditing() const { return anyEditorVisible() || checking_; }
    // Undo while an editor is open takes back the edit in progress: the cell gets its value from before the
    // edit and the editor closes, unchecked. False when there was nothing to take back.
    bool cancelEdit();
    // Whether the widget is one of the cell editors or the text box inside one.
    bool isCellEditor(const QWidget* widget) const;

    // The channels the selection covers (table rows, ascending); the current channel when none is selected.
    QList<int> selectedChannels() const;

    QLineEdit* rxFrequencyEditor() const { return rx_; }
    QComboBox* signallingEditor() const { return signalling_; }
    QComboBox* listEditor() const { return list_; }

Q_SIGNALS:
    // An edit of one cell is over (the user left it, confirmed it or the editor closed): what changed since
    // the last such moment is one step for undo.
    void cellEditDone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openEditor(const QModelIndex& clicked);
    void openFrequencyEditor(QLineEdit* editor, int row, int column);
    void openSignallingEditor(int row, int column);
    void openListEditor(int row, int column);
    void placeOver(QWidget* editor, int row, int column, bool keepHeight);
    // The leave-cell validation; false when it refused the value.
    bool leaveCell(int row, int column);
    bool gridKey(QKeyEvent* key);
    bool editorKey(QObject* watched, QKeyEvent* key);
    // After Enter or Tab in an editor: the next row's cell of the same column, or the next column's.
    void moveAfterEntry(int rowStep, int columnStep);
    void selectWholeChannels(const QModelIndex& pressed);
    void applyToSelection(const QString& text);
    void rejectFrequency(int row, int column, const QString& message);
    void frequencyEdited(QLineEdit* editor);
    // Enter (rowStep 1) or Tab (columnStep 1) in an editor: the cell takes its text, and the cursor moves
    // on once the value passed.
    void confirmFrequency(QLineEdit* editor, int rowStep, int columnStep);
    void comboChanged(QComboBox* combo);
    void confirmCombo(QComboBox* combo, int rowStep, int columnStep);
    void writeOpenCell(const QString& text, int mark);
    // Remembers the open cell's value before the edit, for a list text that must not survive the edit.
    void beginEdit(int row, int column);
    // A list or signalling cell left with a text that is not one of its items gets its earlier value back.
    void revertUnlisted(int row, int column);
    // Hides the editors without touching any cell (the table they covered is gone).
    void dropEditors();
    QLineEdit* frequencyEditorOf(int column) const;
    ChannelField fieldOf(int column) const;
    QList<QWidget*> editors() const;

    QWidget* frame_;
    QTableView* grid_;
    ChannelTableModel* model_;
    Prompter* prompter_;
    LimitsProvider limits_;
    // The four editors, and the hidden lookup list that only keeps its object name.
    QLineEdit* rx_ = nullptr;
    QLineEdit* tx_ = nullptr;
    QComboBox* signalling_ = nullptr;
    QComboBox* list_ = nullptr;

    // The cell the visible editor covers (table coordinates); its edits go there.
    int openRow_ = 0;
    int openColumn_ = 0;
    // Set while an editor is being refilled, so that filling it does not count as an edit.
    bool filling_ = false;
    // Set while a cell's value is checked as it is left.
    bool checking_ = false;
    // The open cell's text when its editor opened.
    QString editStartText_;
    // The combo that saw the press of the Enter key whose release confirms it.
    QComboBox* enterPressedIn_ = nullptr;
    // The grid's viewport, where its mouse presses arrive; compared only, as the grid may go first.
    QObject* viewport_ = nullptr;
    // The cell under the mouse press that the grid is handling, until its release or a key in the grid.
    QPersistentModelIndex pressedCell_;
    // Set when a validation message during a press opened the clicked cell's editor: the click that may
    // still follow must not open it again.
    bool openedDuringPress_ = false;
};
