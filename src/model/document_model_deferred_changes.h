#pragma once

#include "core/positions.h"
#include "model/document_model_change_actions.h"

#include <map>
#include <set>

namespace velmo::model {

class PieceTable;

/// What a batch update has changed so far; exists from the first BeginUpdate to the last
/// EndUpdate, when it is delivered to the observers at once.
struct DocumentModelDeferredChanges {
    DocumentModelChangeActions changeActions = DocumentModelChangeActions::None;
    /// Range of main-story runs whose layout is stale; start > end means none.
    RunIndex changeStart{INT32_MAX};
    RunIndex changeEnd{0};
    /// Per story, the runs still to be split by character set at the end of the batch.
    std::map<PieceTable*, std::set<int32_t>> runIndicesToSplitByCharset;
    /// Stories other than the main one that changed.
    std::set<PieceTable*> additionalChangedPieceTables;
    bool isSetContentMode = false;
};

} // namespace velmo::model
