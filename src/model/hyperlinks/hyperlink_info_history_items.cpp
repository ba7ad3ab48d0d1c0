#include "model/hyperlinks/hyperlink_info_history_items.h"

#include "model/document_model.h"
#include "model/hyperlinks/hyperlink_info_collection.h"
#include "model/piece_table.h"

namespace velmo::model {

void HyperlinkInfoHistoryItemBase::redoCore()
{
    exchange(true);
}

void HyperlinkInfoHistoryItemBase::undoCore()
{
    exchange(false);
}

void HyperlinkInfoHistoryItemBase::exchange(bool redo)
{
    held_ = pieceTable_.hyperlinkInfos().exchange(fieldIndex_, std::move(held_));
    if (change_ == Change::Replaced)
        return;
    DocumentModel& document = pieceTable_.documentModel();
    if ((change_ == Change::Inserted) == redo)
        document.onHyperlinkInfoInserted(pieceTable_, fieldIndex_);
    else
        document.onHyperlinkInfoDeleted(pieceTable_, fieldIndex_);
}

} // namespace velmo::model
