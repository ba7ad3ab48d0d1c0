// Bookmarks taken along when content is copied from one story into another.
#include "model/document_model_copy_manager.h"

#include "model/document_model.h"
#include "model/piece_table.h"

#include <algorithm>

namespace velmo::model {

DocumentLogPosition DocumentModelCopyManager::targetPositionOf(DocumentLogPosition sourcePosition) const
{
    // The last run starting at or before the position holds it, or ends right before it.
    auto run = std::upper_bound(copiedRuns_.begin(), copiedRuns_.end(), sourcePosition,
                                [](DocumentLogPosition position, const CopiedRun& copied) { return position < copied.sourceStart; });
    const CopiedRun& holder = *std::prev(run);
    const int32_t offset = sourcePosition - holder.sourceStart;
    // A run copied shorter (a note mark left out of a header) keeps what it has.
    return std::min(holder.targetStart + offset, holder.targetEnd);
}

void DocumentModelCopyManager::copyBookmarks()
{
    if (copiedRuns_.empty() || !isCapabilityAllowed(targetDocument_.capabilities().bookmarks))
        return;
    const DocumentLogPosition start = copiedRuns_.front().sourceStart;
    const int32_t length = copiedRuns_.back().sourceStart + copiedRuns_.back().sourceLength - start;
    for (const Bookmark* bookmark : source_.entireBookmarks(start, length)) {
        const DocumentLogPosition targetStart = targetPositionOf(bookmark->start());
        target_.createBookmark(targetStart, targetPositionOf(bookmark->end()) - targetStart, bookmark->name());
    }
}

} // namespace velmo::model
