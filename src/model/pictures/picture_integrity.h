#pragma once

#include <string>
#include <vector>

namespace velmo::model {

class PieceTable;

/// The broken invariants of a story's pictures and floating objects: runs and their contents pointing
/// at each other, pictures held by the document's cache, records inside their caches, text boxes and
/// their anchors agreeing, no anchor inside a text box. Empty when all is well.
[[nodiscard]] std::vector<std::string> findPictureProblems(const PieceTable& pieceTable);

} // namespace velmo::model
