#pragma once

#include "formats/document_importer_options.h"
#include "formats/document_model_importer.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmo::formats {

/// Reads plain text: picks the encoding (given, detected, or the default code page), drops a
/// byte order mark, and makes one paragraph per line.
class PlainTextImporter final : public DocumentModelImporter {
public:
    PlainTextImporter(model::DocumentModel& documentModel, PlainTextDocumentImporterOptions options)
        : DocumentModelImporter(documentModel), options_(std::move(options))
    {
    }

    void importContent(std::span<const uint8_t> bytes) override;
    /// The bytes as text, in the encoding the reader settles on.
    [[nodiscard]] std::u16string decode(std::span<const uint8_t> bytes) const;

private:
    PlainTextDocumentImporterOptions options_;
};

/// Splits text into paragraph texts. CR, LF, CR LF and LF CR each end a line; a no-break space
/// becomes a space and a NUL the replacement character; a last line counts only when it is not
/// empty, and empty text is one empty line.
[[nodiscard]] std::vector<std::u16string> splitPlainTextLines(std::u16string_view text);

} // namespace velmo::formats
