#include "model/selection_history_item.h"

#include "model/document_model.h"

namespace velmo::model {

SelectionHistoryItem::SelectionHistoryItem(DocumentModel& documentModel)
    : HistoryItem(documentModel.selection().pieceTable()), documentModel_(documentModel)
{
}

void SelectionHistoryItem::redoCore()
{
    if (captured_) {
        restore();
        return;
    }
    const Selection& selection = documentModel_.selection();
    story_ = &selection.pieceTable();
    items_ = selection.items();
    captured_ = true;
}

void SelectionHistoryItem::restore()
{
    if (!captured_ || &documentModel_.activePieceTable() != story_)
        return;
    documentModel_.selection().setItems(*story_, items_);
}

EditorCompositeHistoryItem::EditorCompositeHistoryItem(DocumentModel& documentModel)
    : CompositeHistoryItem(documentModel.mainPieceTable()), selectionBefore_(documentModel), selectionAfter_(documentModel)
{
    selectionBefore_.execute();
}

void EditorCompositeHistoryItem::captureSelectionAfter()
{
    selectionAfter_.execute();
}

void EditorCompositeHistoryItem::undoCore()
{
    const bool storesSelection = needsStoreSelection();
    if (storesSelection)
        selectionAfter_.undo();
    CompositeHistoryItem::undoCore();
    if (storesSelection)
        selectionBefore_.undo();
}

void EditorCompositeHistoryItem::redoCore()
{
    const bool storesSelection = needsStoreSelection();
    if (storesSelection)
        selectionBefore_.redo();
    CompositeHistoryItem::redoCore();
    if (storesSelection)
        selectionAfter_.redo();
}

} // namespace velmo::model
