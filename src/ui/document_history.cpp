#include "ui/document_history.h"

#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

// One step: both states are whole values, so undo and redo are exact whatever the step did.
class StateStep : public QUndoCommand {
public:
    using Restore = std::function<void(const DocumentState&)>;
    StateStep(DocumentState before, DocumentState after, Restore restore)
        : before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore)) {}
    void undo() override { restore_(before_); }
    // The change has already happened when the step is pushed; later redos put it back.
    void redo() override {
        if (!first_)
            restore_(after_);
        first_ = false;
    }

private:
    DocumentState before_, after_;
    Restore restore_;
    bool first_ = true;
};

} // namespace

DocumentHistory::DocumentHistory(RadioDocument& document, QObject* parent)
    : QObject(parent), document_(document), stack_(new QUndoStack(this)), recorded_(document.state()) {
    for (auto signal :
         {&RadioDocument::settingsChanged, &RadioDocument::modelChanged, &RadioDocument::tableReset})
        connect(&document_, signal, this, &DocumentHistory::changed);
    connect(&document_, &RadioDocument::cellChanged, this, &DocumentHistory::changed);
    connect(&document_, &RadioDocument::replaced, this, [this] {
        recorded_ = document_.state();
        stack_->clear();
    });
    connect(&document_, &RadioDocument::modifiedChanged, this, &DocumentHistory::modifiedChanged);
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            document_.markUnmodified();
    });
}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::changed() {
    if (restoring_ || closeQueued_)
        return;
    closeQueued_ = true;
    // Whatever else this event changes belongs to the same step.
    QTimer::singleShot(0, this, [this] {
        closeQueued_ = false;
        if (!holding_ || !holding_())
            closeStep();
    });
}

void DocumentHistory::closeStep() {
    if (restoring_)
        return;
    DocumentState now = document_.state();
    if (now == recorded_) {
        // Changed and changed back (a text taken back as the cell was left): as stored, if the step was.
        if (stack_->isClean())
            document_.markUnmodified();
        return;
    }
    // Only the user's changes mark the document; the rest (the start-up selections, a band range kept for
    // this run) become the ground the steps stand on.
    if (!document_.isModified() && stack_->isClean()) {
        recorded_ = std::move(now);
        return;
    }
    auto* step = new StateStep(recorded_, now, [this](const DocumentState& s) { restore(s); });
    recorded_ = std::move(now);
    stack_->push(step);
}

void DocumentHistory::change(const std::function<void()>& body) {
    closeStep();
    body();
    closeStep();
}

void DocumentHistory::undo() {
    closeStep(); // an edit still in progress is undone first
    stack_->undo();
}

void DocumentHistory::redo() {
    closeStep();
    stack_->redo();
}

void DocumentHistory::restore(const DocumentState& state) {
    restoring_ = true;
    document_.restoreState(state);
    recorded_ = state;
    restoring_ = false;
}

void DocumentHistory::modifiedChanged(bool modified) {
    // Saved or written: what the document holds now is what is stored.
    if (!modified && !restoring_) {
        closeStep();
        stack_->setClean();
    }
}
