#pragma once

#include "model/document_format.h"

#include <string>

namespace velmo::model {

/// Where and how a document was last saved or loaded, and what a new save defaults to.
struct DocumentSaveOptions {
    std::u16string currentFileName;
    DocumentFormat currentFormat = DocumentFormat::Undefined;
    std::u16string defaultFileName;
    DocumentFormat defaultFormat = DocumentFormat::Rtf;
    bool hideInOpenDialog = false;
    bool hideInSaveDialog = false;

    void resetCurrent() noexcept
    {
        currentFileName.clear();
        currentFormat = DocumentFormat::Undefined;
    }
};

} // namespace velmo::model
