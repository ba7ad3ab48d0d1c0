#pragma once

#include <string>
#include <vector>

namespace velmo::model {

class PieceTable;

/// The broken invariants of a story's fields: the recorded fields are exactly those the mark runs
/// form, in order, with their indices and innermost containing fields as parents, and no mark run
/// is left without partners; every hyperlink record belongs to a recorded field. Empty when all is well.
[[nodiscard]] std::vector<std::string> findFieldProblems(const PieceTable& pieceTable);

} // namespace velmo::model
