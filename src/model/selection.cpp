#include "model/selection.h"

#include "model/piece_table.h"

#include <algorithm>

namespace velmo::model {

bool Selection::isEmpty() const noexcept
{
    return std::all_of(items_.begin(), items_.end(), [](const SelectionItem& item) { return item.length() == 0; });
}

void Selection::setRange(PieceTable& pieceTable, DocumentLogPosition start, DocumentLogPosition end)
{
    setItems(pieceTable, {SelectionItem{start, end}});
}

void Selection::setItems(PieceTable& pieceTable, std::vector<SelectionItem> items)
{
    pieceTable_ = &pieceTable;
    if (items.empty())
        items.push_back(SelectionItem{});
    items_ = std::move(items);
    keepWithinStory();
}

void Selection::keepWithinStory()
{
    for (SelectionItem& item : items_) {
        item.start = clamp(item.start);
        item.end = clamp(item.end);
    }
}

DocumentLogPosition Selection::clamp(DocumentLogPosition position) const
{
    const DocumentLogPosition last = pieceTable_->documentEndLogPosition() + 1;
    return std::clamp(position, DocumentLogPosition(0), last);
}

} // namespace velmo::model
