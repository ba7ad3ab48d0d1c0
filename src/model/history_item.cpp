#include "model/history_item.h"

#include <algorithm>

namespace velmo::model {

bool CompositeHistoryItem::changesModified() const
{
    return std::any_of(items_.begin(), items_.end(), [](const auto& item) { return item->changesModified(); });
}

bool CompositeHistoryItem::needsStoreSelection() const
{
    return std::any_of(items_.begin(), items_.end(), [](const auto& item) { return item->needsStoreSelection(); });
}

bool CompositeHistoryItem::contains(const HistoryItem* item) const noexcept
{
    return std::any_of(items_.begin(), items_.end(), [item](const auto& child) { return child.get() == item; });
}

void CompositeHistoryItem::redoCore()
{
    for (const auto& item : items_)
        item->redo();
}

void CompositeHistoryItem::undoCore()
{
    for (auto item = items_.rbegin(); item != items_.rend(); ++item)
        (*item)->undo();
}

void CompositeHistoryItem::rollBackTo(size_t count)
{
    while (items_.size() > count) {
        items_.back()->undo();
        items_.pop_back();
    }
}

} // namespace velmo::model
