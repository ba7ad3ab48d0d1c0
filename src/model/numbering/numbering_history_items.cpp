#include "model/numbering/numbering_history_items.h"

#include "model/document_model.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"

namespace velmo::model {

AddAbstractNumberingListHistoryItem::~AddAbstractNumberingListHistoryItem() = default;

void AddAbstractNumberingListHistoryItem::redoCore()
{
    pieceTable_.documentModel().numbering().appendAbstractNumberingListCore(std::move(list_));
}

void AddAbstractNumberingListHistoryItem::undoCore()
{
    list_ = pieceTable_.documentModel().numbering().removeLastAbstractNumberingListCore();
}

AddNumberingListHistoryItem::~AddNumberingListHistoryItem() = default;

void AddNumberingListHistoryItem::redoCore()
{
    pieceTable_.documentModel().numbering().appendNumberingListCore(std::move(list_));
}

void AddNumberingListHistoryItem::undoCore()
{
    list_ = pieceTable_.documentModel().numbering().removeLastNumberingListCore();
}

void ParagraphNumberingChangedHistoryItem::redoCore()
{
    pieceTable_.setParagraphNumberingCore(paragraphIndex_, newReference_.numberingListIndex, newReference_.listLevelIndex);
}

void ParagraphNumberingChangedHistoryItem::undoCore()
{
    pieceTable_.setParagraphNumberingCore(paragraphIndex_, oldReference_.numberingListIndex, oldReference_.listLevelIndex);
}

} // namespace velmo::model
