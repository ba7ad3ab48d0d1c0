#include "model/paragraph.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/numbering/document_numbering.h"
#include "model/paragraph_history_items.h"
#include "model/piece_table.h"

namespace velmo::model {

ParagraphIndex Paragraph::index() const
{
    return ParagraphIndex(pieceTable_->paragraphs().absoluteOffsets(*this).index);
}

DocumentLogPosition Paragraph::logPosition() const
{
    return DocumentLogPosition(pieceTable_->paragraphs().absoluteOffsets(*this).logPosition);
}

DocumentLogPosition Paragraph::endLogPosition() const
{
    return logPosition() + (length_ - 1);
}

RunIndex Paragraph::firstRunIndex() const
{
    return RunIndex(pieceTable_->paragraphs().absoluteOffsets(*this).runIndex);
}

RunIndex Paragraph::lastRunIndex() const
{
    return firstRunIndex() + (runCount_ - 1);
}

int32_t Paragraph::numberingListIndex() const
{
    if (numberingListIndex_ >= 0 || numberingListIndex_ == kNumberingListIndexNoNumbering)
        return numberingListIndex_;
    const auto& styles = pieceTable_->documentModel().styles().paragraphStyles();
    return styles.isIndexValid(paragraphStyleIndex_) ? styles[paragraphStyleIndex_].numberingListIndex() : numberingListIndex_;
}

int32_t Paragraph::listLevelIndex() const
{
    if (numberingListIndex_ >= 0 || numberingListIndex_ == kNumberingListIndexNoNumbering)
        return listLevelIndex_;
    const auto& styles = pieceTable_->documentModel().styles().paragraphStyles();
    return styles.isIndexValid(paragraphStyleIndex_) ? styles[paragraphStyleIndex_].listLevelIndex() : listLevelIndex_;
}

bool Paragraph::isInList() const
{
    return pieceTable_->documentModel().numbering().isValidNumberingListIndex(numberingListIndex());
}

std::u16string Paragraph::numberingListText() const
{
    return pieceTable_->numberingListText(*this);
}

void Paragraph::recordParagraphPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions)
{
    pieceTable_->documentModel().history().execute(
        std::make_unique<ParagraphPropertiesIndexChangedHistoryItem>(*pieceTable_, index(), oldIndex, newIndex, actions));
}

void Paragraph::setTabsIndex(int32_t index)
{
    tabsIndex_ = index;
    notifyParagraphPropertiesChanged(DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetPrimaryLayout |
                                     DocumentModelChangeActions::ResetSecondaryLayout | DocumentModelChangeActions::ResetRuler);
}

void Paragraph::notifyParagraphPropertiesChanged(DocumentModelChangeActions actions)
{
    pieceTable_->documentModel().applyChangesCore(*pieceTable_, actions, firstRunIndex(), lastRunIndex());
}

} // namespace velmo::model
