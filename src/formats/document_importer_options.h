#pragma once

#include "core/encoding.h"
#include "model/fields/field_options.h"

#include <optional>
#include <string>

namespace velmo::formats {

/// Settings every reader takes.
struct DocumentImporterOptions {
    DocumentImporterOptions() = default;
    DocumentImporterOptions(const DocumentImporterOptions&) = default;
    DocumentImporterOptions& operator=(const DocumentImporterOptions&) = default;
    virtual ~DocumentImporterOptions() = default;

    /// The encoding to read with; none means the default code page.
    std::optional<core::Encoding> encoding;
    /// Where the content comes from (a file name or another origin).
    std::u16string sourceUri;
    /// Whether the fields are updated as loaded ones once the content is read.
    bool updateFields = true;
    /// Whether that update includes DATE and TIME fields.
    model::FieldUpdateOnLoadOptions fieldUpdateOnLoad;
};

/// Plain text adds detection of the encoding from the bytes.
struct PlainTextDocumentImporterOptions : DocumentImporterOptions {
    /// Used only while no encoding was chosen explicitly.
    bool autoDetectEncoding = true;
};

} // namespace velmo::formats
