// Hyperlink records of a story's fields.
#include "model/piece_table.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/hyperlinks/hyperlink_info_history_items.h"

namespace velmo::model {

const HyperlinkInfo& PieceTable::hyperlinkInfo(int32_t fieldIndex) const noexcept
{
    static const HyperlinkInfo kNone;
    const HyperlinkInfo* info = hyperlinkInfos_.find(fieldIndex);
    return info ? *info : kNone;
}

const HyperlinkInfo& PieceTable::insertHyperlinkInfo(int32_t fieldIndex, const HyperlinkInfo& info)
{
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<InsertHyperlinkInfoHistoryItem>(*this, fieldIndex, info));
    return hyperlinkInfo(fieldIndex);
}

void PieceTable::replaceHyperlinkInfo(int32_t fieldIndex, const HyperlinkInfo& info)
{
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<ReplaceHyperlinkInfoHistoryItem>(*this, fieldIndex, info));
}

void PieceTable::removeHyperlinkInfo(int32_t fieldIndex)
{
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<DeleteHyperlinkInfoHistoryItem>(*this, fieldIndex));
}

} // namespace velmo::model
