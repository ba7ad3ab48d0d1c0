#include "model/run_history_items.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/runs.h"

namespace velmo::model {

TextRunInsertedHistoryItem::~TextRunInsertedHistoryItem() = default;

void TextRunInsertedHistoryItem::redoCore()
{
    Paragraph& paragraph = pieceTable_.paragraph(params_.paragraphIndex);
    std::unique_ptr<TextRunBase> run = std::move(undoneRun_);
    if (run) {
        // Typing merge may have grown it after it was first inserted.
        run->moveToParagraph(paragraph);
        run->setLength(params_.length);
    } else {
        run = createRun(params_.kind, paragraph, params_.startIndex, params_.length);
        run->setCharacterPropertiesIndex(params_.characterPropertiesIndex);
        run->setCharacterStyleIndex(params_.characterStyleIndex);
        if (params_.kind == RunKind::FootNote || params_.kind == RunKind::EndNote)
            static_cast<FootNoteRunBase&>(*run).setNoteIndex(params_.noteIndex);
    }
    if (notificationId_ == 0)
        notificationId_ = pieceTable_.documentModel().history().nextNotificationId();
    pieceTable_.insertRunCore(params_.paragraphIndex, params_.runIndex, std::move(run), notificationId_);
}

void TextRunInsertedHistoryItem::undoCore()
{
    undoneRun_ = pieceTable_.removeRunCore(params_.paragraphIndex, params_.runIndex, notificationId_);
    pieceTable_.documentModel().resetMerging();
}

void TextRunAppendTextHistoryItem::redoCore()
{
    pieceTable_.changeRunLengthCore(paragraphIndex_, runIndex_, textLength_);
    if (insertedItem_)
        insertedItem_->changeLength(textLength_);
}

void TextRunAppendTextHistoryItem::undoCore()
{
    pieceTable_.changeRunLengthCore(paragraphIndex_, runIndex_, -textLength_);
    if (insertedItem_)
        insertedItem_->changeLength(-textLength_);
    pieceTable_.documentModel().resetMerging();
}

void TextRunSplitHistoryItem::redoCore()
{
    pieceTable_.splitRunCore(paragraphIndex_, runIndex_, offset_);
    pieceTable_.documentModel().resetMerging();
}

void TextRunSplitHistoryItem::undoCore()
{
    pieceTable_.joinRunsCore(paragraphIndex_, runIndex_);
    pieceTable_.documentModel().resetMerging();
}

void TextRunsJoinedHistoryItem::redoCore()
{
    splitOffset_ = pieceTable_.run(runIndex_).length();
    pieceTable_.joinRunsCore(paragraphIndex_, runIndex_);
    pieceTable_.documentModel().resetMerging();
}

void TextRunsJoinedHistoryItem::undoCore()
{
    pieceTable_.splitRunCore(paragraphIndex_, runIndex_, splitOffset_);
    pieceTable_.documentModel().resetMerging();
}

SimpleTextRunsDeletedHistoryItem::~SimpleTextRunsDeletedHistoryItem() = default;

void SimpleTextRunsDeletedHistoryItem::redoCore()
{
    removedRuns_.clear();
    removedRuns_.reserve(static_cast<size_t>(runCount_));
    if (notificationIds_.empty()) {
        for (int32_t offset = 0; offset < runCount_; ++offset)
            notificationIds_.push_back(pieceTable_.documentModel().history().nextNotificationId());
    }
    for (int32_t offset = runCount_ - 1; offset >= 0; --offset)
        removedRuns_.push_back(pieceTable_.removeRunCore(paragraphIndex_, firstRunIndex_ + offset, notificationIds_[static_cast<size_t>(offset)]));
    pieceTable_.documentModel().resetMerging();
}

void SimpleTextRunsDeletedHistoryItem::undoCore()
{
    for (int32_t offset = 0; offset < runCount_; ++offset) {
        std::unique_ptr<TextRunBase> run = std::move(removedRuns_.back());
        removedRuns_.pop_back();
        run->moveToParagraph(pieceTable_.paragraph(paragraphIndex_));
        pieceTable_.insertRunCore(paragraphIndex_, firstRunIndex_ + offset, std::move(run), notificationIds_[static_cast<size_t>(offset)]);
    }
    pieceTable_.documentModel().resetMerging();
}

void CharacterPropertiesIndexChangedHistoryItem::redoCore()
{
    setIndex(newIndex_);
}

void CharacterPropertiesIndexChangedHistoryItem::undoCore()
{
    setIndex(oldIndex_);
}

void CharacterPropertiesIndexChangedHistoryItem::setIndex(int32_t index)
{
    pieceTable_.run(runIndex_).setCharacterPropertiesIndex(index);
    DocumentModel& document = pieceTable_.documentModel();
    document.resetMerging();
    document.applyChangesCore(pieceTable_, actions_, runIndex_, runIndex_);
}

} // namespace velmo::model
