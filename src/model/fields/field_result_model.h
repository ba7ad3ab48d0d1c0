#pragma once

#include <memory>
#include <string_view>

namespace velmo::model {

class DocumentModel;
class Field;
class PieceTable;
struct InputPosition;

/// An empty document that receives content a field calculates before it goes into the field's
/// result: it reads pictures as `source` does and has its document variables.
[[nodiscard]] std::unique_ptr<DocumentModel> createFieldResultModel(const DocumentModel& source);

/// Writes a whole field at `position` (which moves past it): the code `code` and the result text
/// `result`, mark by mark as a reader writes them. Returns the new field.
Field& insertFieldWithResult(PieceTable& pieceTable, InputPosition& position, std::u16string_view code, std::u16string_view result);

} // namespace velmo::model
