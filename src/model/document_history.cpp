#include "model/document_history.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/selection_history_item.h"

namespace velmo::model {

DocumentHistory::DocumentHistory(DocumentModel& documentModel) noexcept : documentModel_(documentModel) {}

DocumentHistory::~DocumentHistory() = default;

HistoryItem* DocumentHistory::execute(std::unique_ptr<HistoryItem> item)
{
    item->execute();
    HistoryItem* result = item.get();
    if (disableCount_ > 0) {
        lastDisabledItem_ = std::move(item);
        return nullptr;
    }
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
        transaction_ = std::make_unique<EditorCompositeHistoryItem>(documentModel_);
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
    std::unique_ptr<EditorCompositeHistoryItem> finished = std::move(transaction_);
    if (finished->isEmpty())
        return;
    if (finished->count() == 1) {
        const HistoryItem* extended = finished->item(0).extendedItem();
        if (extended && currentStepContains(extended)) {
            // Typed text that only grew the run typed just before: undoing that step removes it too.
            if (!isModified())
                --cleanStateIndex_;
            return;
        }
        if (!finished->item(0).needsStoreSelection()) {
            addStep(finished->takeOnlyItem());
            return;
        }
    }
    finished->captureSelectionAfter();
    addStep(std::move(finished));
}

void DocumentHistory::addStep(std::unique_ptr<HistoryItem> step)
{
    // A new action drops everything that could have been redone.
    items_.resize(static_cast<size_t>(currentIndex_ + 1));
    if (cleanStateIndex_ > currentIndex_)
        cleanStateIndex_ = kNoCleanState;
    items_.push_back(std::move(step));
    ++currentIndex_;
}

bool DocumentHistory::currentStepContains(const HistoryItem* item) const noexcept
{
    if (currentIndex_ < 0)
        return false;
    const HistoryItem* current = items_[static_cast<size_t>(currentIndex_)].get();
    if (current == item)
        return true;
    const auto* composite = dynamic_cast<const CompositeHistoryItem*>(current);
    return composite && composite->contains(item);
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

bool DocumentHistory::isModified() const noexcept
{
    if (cleanStateIndex_ == currentIndex_)
        return false;
    if (cleanStateIndex_ == kNoCleanState)
        return true;
    const int32_t from = std::min(cleanStateIndex_, currentIndex_) + 1;
    const int32_t to = std::max(cleanStateIndex_, currentIndex_);
    for (int32_t index = std::max(from, 0); index <= to && index < count(); ++index) {
        if (items_[static_cast<size_t>(index)]->changesModified())
            return true;
    }
    return false;
}

void DocumentHistory::undo()
{
    if (!canUndo())
        return;
    BatchUpdateScope batch(documentModel_);
    disable();
    try {
        items_[static_cast<size_t>(currentIndex_)]->undo();
    } catch (...) {
        enable();
        throw;
    }
    enable();
    --currentIndex_;
}

void DocumentHistory::redo()
{
    if (!canRedo())
        return;
    BatchUpdateScope batch(documentModel_);
    disable();
    try {
        items_[static_cast<size_t>(currentIndex_ + 1)]->redo();
    } catch (...) {
        enable();
        throw;
    }
    enable();
    ++currentIndex_;
}

void DocumentHistory::clear()
{
    items_.clear();
    currentIndex_ = -1;
    cleanStateIndex_ = -1;
}

void DocumentHistory::enable() noexcept
{
    if (disableCount_ > 0 && --disableCount_ == 0)
        lastDisabledItem_.reset();
}

int32_t DocumentHistory::nextNotificationId() noexcept
{
    // Counts up from the smallest 32-bit value, wrapping around and skipping 0.
    if (++lastNotificationId_ == 0)
        ++lastNotificationId_;
    return static_cast<int32_t>(lastNotificationId_);
}

HistoryItem* EmptyHistory::execute(std::unique_ptr<HistoryItem> item)
{
    // Nothing done while a reader fills the model can be undone, so nothing is kept.
    item->execute();
    return nullptr;
}

} // namespace velmo::model
