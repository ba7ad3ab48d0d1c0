#pragma once

#include "core/positions.h"

#include <cstdint>
#include <vector>

namespace velmo::model {

class PieceTable;

/// Where a bookmark starts or ends, as writers walk them.
struct BookmarkBoundary {
    enum class Kind : uint8_t { Start, End };
    DocumentLogPosition position;
    Kind kind = Kind::Start;
    /// The bookmark's index in its story's collection.
    int32_t bookmarkIndex = 0;
};

/// The starts and ends of a story's bookmarks (hidden ones only when asked), by position. At one
/// position the ends of bookmarks that hold text come first, then the starts, then the ends of
/// collapsed bookmarks, so that every start comes before its end; then by bookmark index.
[[nodiscard]] std::vector<BookmarkBoundary> bookmarkBoundaries(const PieceTable& pieceTable, bool includeHidden);

} // namespace velmo::model
