#pragma once

#include "model/history_item.h"
#include "model/selection.h"

#include <vector>

namespace velmo::model {

class DocumentModel;

/// A remembered selection. The first redo captures the document's selection; later redos and
/// every undo put it back, but only while its story is the active one.
class SelectionHistoryItem final : public HistoryItem {
public:
    explicit SelectionHistoryItem(DocumentModel& documentModel);
    [[nodiscard]] bool changesModified() const override { return false; }
    [[nodiscard]] bool needsStoreSelection() const override { return false; }

protected:
    void undoCore() override { restore(); }
    void redoCore() override;

private:
    void restore();

    DocumentModel& documentModel_; // owns the history that owns this item
    PieceTable* story_ = nullptr;  // the story the captured ranges belong to
    std::vector<SelectionItem> items_;
    bool captured_ = false;
};

/// The items of one user action together with the selection before and after it, so that undo
/// and redo also bring back where the user was.
class EditorCompositeHistoryItem final : public CompositeHistoryItem {
public:
    /// Captures the current selection as the one before the action.
    explicit EditorCompositeHistoryItem(DocumentModel& documentModel);
    /// Captures the current selection as the one after the action (once, when it is recorded).
    void captureSelectionAfter();

protected:
    void undoCore() override;
    void redoCore() override;

private:
    SelectionHistoryItem selectionBefore_;
    SelectionHistoryItem selectionAfter_;
};

} // namespace velmo::model
