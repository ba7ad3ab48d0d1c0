#pragma once

#include "formats/document_exporter_options.h"
#include "formats/document_importer_options.h"
#include "model/document_format.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::model {
class DocumentModel;
}

namespace velmo::formats {

/// The format of the reader a file name selects (by extension; with `useFallback`, plain text
/// when the extension selects none); Undefined when there is none.
[[nodiscard]] model::DocumentFormat autodetectDocumentFormat(std::u16string_view fileName, bool useFallback);

/// Replaces the document's content with the bytes read in `format`. When that reader fails, the
/// formats that recognise the bytes are tried, surest first. On success the document's current
/// format and file name (`options.sourceUri`) are set. When every reader fails the document is left
/// empty with no file name, so that a later save cannot overwrite anything, and the first reader's
/// error is thrown.
void loadDocument(model::DocumentModel& documentModel, std::span<const uint8_t> bytes, model::DocumentFormat format,
                  const DocumentImporterOptions& options);
/// Reads the file at `path` (UTF-8) and loads it; Undefined picks the format from the name.
/// Errors name the file and the reason.
void loadDocument(model::DocumentModel& documentModel, const std::string& path, model::DocumentFormat format,
                  DocumentImporterOptions& options);

/// The whole file the writer of `format` makes of the document.
[[nodiscard]] std::vector<uint8_t> saveDocumentToMemory(const model::DocumentModel& documentModel, model::DocumentFormat format,
                                                        const DocumentExporterOptions& options);
/// Writes the document in full to memory, then to a temporary file beside the target that is
/// renamed over it: a failure leaves the old file and the current file name as they were.
void saveDocument(model::DocumentModel& documentModel, const std::string& path, model::DocumentFormat format,
                  DocumentExporterOptions& options);

} // namespace velmo::formats
