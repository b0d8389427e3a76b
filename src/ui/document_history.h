#pragma once

#include <QObject>
#include <functional>

#include "document/radio_document.h"

class QUndoStack;

// The undo history of the open document on a QUndoStack. Each step holds the document's state before and
// after it. Changes gather into the step in progress until a boundary closes it: the cell editors close a
// step when the user leaves a cell, commands close one around their change, and any other change (a
// settings list, the band, the tune window) is closed when control returns to the event loop. Opening,
// reading or starting a new table clears the history; the document's modified mark follows the stack's
// clean state.
class DocumentHistory : public QObject {
    Q_OBJECT
public:
    using Holding = std::function<bool()>;

    DocumentHistory(RadioDocument& document, QObject* parent = nullptr);
    ~DocumentHistory() override;

    QUndoStack& stack() const { return *stack_; }
    // While this says so (a cell editor is open), changes wait for an explicit boundary.
    void setHolding(Holding holding) { holding_ = std::move(holding); }

    // Closes the step in progress, if anything changed since the last one.
    void closeStep();
    // Runs a change as one step of its own.
    void change(const std::function<void()>& body);

    void undo();
    void redo();

private:
    void changed();
    void modifiedChanged(bool modified);
    void restore(const DocumentState& state);

    RadioDocument& document_;
    QUndoStack* stack_;
    Holding holding_;
    DocumentState recorded_; // the state at the end of the last step
    bool closeQueued_ = false;
    bool restoring_ = false;
};
