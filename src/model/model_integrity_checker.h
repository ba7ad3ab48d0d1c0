#pragma once

#include <string>
#include <vector>

namespace velmo::model {

class DocumentModel;
class PieceTable;

/// Every broken invariant of the document's stories and sections, described; empty when the
/// model is sound. Tests call it after every change.
[[nodiscard]] std::vector<std::string> findIntegrityProblems(const DocumentModel& documentModel);
[[nodiscard]] std::vector<std::string> findIntegrityProblems(const PieceTable& pieceTable);

} // namespace velmo::model
