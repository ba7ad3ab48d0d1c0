#pragma once

#include <memory>

namespace velmo::model {

class DocumentModel;

/// An empty document that receives content a field calculates before it goes into the field's
/// result: it reads pictures as `source` does and has its document variables.
[[nodiscard]] std::unique_ptr<DocumentModel> createFieldResultModel(const DocumentModel& source);

} // namespace velmo::model
