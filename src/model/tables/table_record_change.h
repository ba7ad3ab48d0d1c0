#pragma once

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/piece_table.h"
#include "model/unique_items_cache.h"

#include <memory>

namespace velmo::model {

/// Changes a table, row or cell record (an index into a document cache) as one undoable step;
/// `onChanged` runs after the index moved either way. `index` lives in an object that the
/// history keeps alive while it can be undone.
template <typename Info, typename Change, typename OnChanged>
void changeTableRecord(PieceTable& pieceTable, UniqueItemsCache<Info>& cache, int32_t& index, Change change, OnChanged onChanged)
{
    Info changed = cache[index];
    change(changed);
    const int32_t newIndex = cache.add(changed);
    const int32_t oldIndex = index;
    if (newIndex == oldIndex)
        return;
    int32_t* target = &index;
    BatchUpdateScope batch(pieceTable.documentModel());
    pieceTable.documentModel().history().execute(std::make_unique<FunctionalHistoryItem>(
        pieceTable, [target, newIndex, onChanged] { *target = newIndex; onChanged(); },
        [target, oldIndex, onChanged] { *target = oldIndex; onChanged(); }));
}

} // namespace velmo::model
