#pragma once

#include "formats/document_formats_registry.h"

namespace velmo::formats {

/// Word documents (DOCX): the default format of the editor.
class OpenXmlImportFormat final : public IImportFileFormat {
public:
    [[nodiscard]] model::DocumentFormat format() const noexcept override { return model::DocumentFormat::OpenXml; }
    /// Macro-enabled documents and templates are read as well: they are the same package.
    [[nodiscard]] FileDialogFilter filter() const override
    {
        return FileDialogFilter{u"Word Document", {u"docx", u"docm", u"dotx", u"dotm"}};
    }
    [[nodiscard]] std::unique_ptr<DocumentModelImporter> createImporter(model::DocumentModel& documentModel,
                                                                       const DocumentImporterOptions& options) const override;
    /// For a ZIP package: the number of its members named "*.rels" or "*document.xml".
    [[nodiscard]] int32_t rate(std::span<const uint8_t> bytes, std::u16string_view fileName) const override;
};

class OpenXmlExportFormat final : public IExportFileFormat {
public:
    [[nodiscard]] model::DocumentFormat format() const noexcept override { return model::DocumentFormat::OpenXml; }
    [[nodiscard]] FileDialogFilter filter() const override { return FileDialogFilter{u"Word Document", {u"docx"}}; }
    [[nodiscard]] std::unique_ptr<DocumentModelExporter> createExporter(const model::DocumentModel& documentModel,
                                                                       const DocumentExporterOptions& options) const override;
};

} // namespace velmo::formats
