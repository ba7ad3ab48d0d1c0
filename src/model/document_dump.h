#pragma once

#include <string>

namespace velmo::model {

class DocumentModel;

/// A deterministic, line-based text description of a document: sections, then each story with
/// its paragraphs and runs and their formatting. Tests compare it with golden files.
[[nodiscard]] std::string dumpDocument(const DocumentModel& documentModel);

} // namespace velmo::model
