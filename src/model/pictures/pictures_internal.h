#pragma once

// Helpers shared by the picture and floating-object classes; not for use outside model/pictures.

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/run_base.h"
#include "model/tables/table_record_change.h"

namespace velmo::model::pictures_internal {

/// Marks a picture or anchor run for the layout.
inline void notifyRunChanged(TextRunBase& run, DocumentModelChangeActions actions)
{
    PieceTable& story = run.pieceTable();
    const RunIndex runIndex = story.calculateRunIndex(run, RunIndex(-1));
    if (runIndex.value() >= 0)
        story.documentModel().applyChangesCore(story, actions, runIndex, runIndex);
}

/// Changes one of a run's drawing records (an index into `cache`, held by an object the run owns) as
/// one undoable step, and marks the run for the layout either way. The run must be in its story.
template <typename Record, typename Change>
void changeRunRecord(TextRunBase& run, UniqueItemsCache<Record>& cache, int32_t& index, Change change,
                     DocumentModelChangeActions actions)
{
    changeTableRecord(run.pieceTable(), cache, index, change, [&run, actions] { notifyRunChanged(run, actions); });
}

/// What a change of a picture's or floating object's size or place asks of the layout.
inline constexpr DocumentModelChangeActions kObjectChangeActions =
    DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetPrimaryLayout |
    DocumentModelChangeActions::ResetSecondaryLayout | DocumentModelChangeActions::ResetSelectionLayout;

} // namespace velmo::model::pictures_internal
