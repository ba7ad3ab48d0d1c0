#include "model/document_history.h"

#include "core/editor_exception.h"
#include "model/document_model.h"

namespace velmo::model {

HistoryItem* DocumentHistory::execute(std::unique_ptr<HistoryItem> item)
{
    item->execute();
    HistoryItem* result = item.get();
    if (transactionLevel_ == 0) {
        beginTransaction();
        transaction_->add(std::move(item));
        endTransaction();
    } else {
        transaction_->add(std::move(item));
    }
    return result;
}

void DocumentHistory::beginTransaction()
{
    if (transactionLevel_ == 0)
        transaction_ = std::make_unique<CompositeHistoryItem>(documentModel_.mainPieceTable());
    transactionMarks_.push_back(transaction_->count());
    ++transactionLevel_;
}

void DocumentHistory::endTransaction()
{
    if (transactionLevel_ == 0)
        throw core::EditorException::internalError();
    transactionMarks_.pop_back();
    if (--transactionLevel_ > 0)
        return;
    std::unique_ptr<CompositeHistoryItem> finished = std::move(transaction_);
    if (finished->isEmpty())
        return;
    // A new action drops everything that could have been redone.
    items_.resize(static_cast<size_t>(currentIndex_ + 1));
    if (cleanStateIndex_ > currentIndex_)
        cleanStateIndex_ = kNoCleanState;
    items_.push_back(std::move(finished));
    ++currentIndex_;
}

void DocumentHistory::rollBackTransaction()
{
    if (transactionLevel_ == 0)
        return;
    transaction_->rollBackTo(transactionMarks_.back());
}

bool DocumentHistory::transactionChangedContent() const
{
    return transaction_ && transaction_->changesModified();
}

void DocumentHistory::undo()
{
    if (!canUndo())
        return;
    BatchUpdateScope batch(documentModel_);
    items_[static_cast<size_t>(currentIndex_)]->undo();
    --currentIndex_;
}

void DocumentHistory::redo()
{
    if (!canRedo())
        return;
    BatchUpdateScope batch(documentModel_);
    items_[static_cast<size_t>(currentIndex_ + 1)]->redo();
    ++currentIndex_;
}

HistoryItem* EmptyHistory::execute(std::unique_ptr<HistoryItem> item)
{
    // Nothing done while a reader fills the model can be undone, so nothing is kept.
    item->execute();
    return nullptr;
}

} // namespace velmo::model
