#pragma once

#include "core/encoding.h"

#include <optional>
#include <string>

namespace velmo::formats {

/// Settings every writer takes.
struct DocumentExporterOptions {
    DocumentExporterOptions() = default;
    DocumentExporterOptions(const DocumentExporterOptions&) = default;
    DocumentExporterOptions& operator=(const DocumentExporterOptions&) = default;
    virtual ~DocumentExporterOptions() = default;

    std::u16string targetUri;
    bool exportHiddenText = false;
};

struct PlainTextDocumentExporterOptions : DocumentExporterOptions {
    /// None means the default code page.
    std::optional<core::Encoding> encoding;
    bool writeEncodingPreamble = true;
    bool exportBulletsAndNumbering = true;
    /// Written around field codes when hidden text is exported; empty writes nothing.
    std::u16string fieldCodeStartMarker;
    std::u16string fieldCodeEndMarker;
    std::u16string fieldResultEndMarker;
    /// How a note reference is written: argument 0 is the number text, 1 the number, 2 the
    /// note's index; empty means "[%0:s]".
    std::u16string footNoteNumberStringFormat;
    std::u16string endNoteNumberStringFormat;
    /// The line written before the notes; empty means 60 hyphens.
    std::u16string footNoteSeparator;
    std::u16string endNoteSeparator;
};

} // namespace velmo::formats
