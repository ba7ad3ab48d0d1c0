#pragma once

#include <string>
#include <vector>

namespace velmo::model {

class PieceTable;

/// The broken invariants of a story's bookmarks: each one of this story, its ends naming the run
/// that holds them, start <= end within the story, the collection in start order. Empty when all
/// is well.
[[nodiscard]] std::vector<std::string> findBookmarkProblems(const PieceTable& pieceTable);

} // namespace velmo::model
