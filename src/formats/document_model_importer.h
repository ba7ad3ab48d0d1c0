#pragma once

#include <cstdint>
#include <span>

namespace velmo::model {
class DocumentModel;
}

namespace velmo::formats {

/// A reader: fills a document from the bytes of one file or clipboard item. Created for one load.
class DocumentModelImporter {
public:
    explicit DocumentModelImporter(model::DocumentModel& documentModel) noexcept : documentModel_(documentModel) {}
    virtual ~DocumentModelImporter() = default;
    DocumentModelImporter(const DocumentModelImporter&) = delete;
    DocumentModelImporter& operator=(const DocumentModelImporter&) = delete;

    /// Replaces the document's content. Throws the format's own error for unreadable input.
    virtual void importContent(std::span<const uint8_t> bytes) = 0;

protected:
    model::DocumentModel& documentModel_; // outlives the importer
};

} // namespace velmo::formats
