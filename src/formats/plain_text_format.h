#pragma once

#include "formats/document_formats_registry.h"

namespace velmo::formats {

class PlainTextImportFormat final : public IImportFileFormat {
public:
    [[nodiscard]] model::DocumentFormat format() const noexcept override { return model::DocumentFormat::PlainText; }
    [[nodiscard]] FileDialogFilter filter() const override { return FileDialogFilter{u"Text Files", {u"txt"}}; }
    [[nodiscard]] std::unique_ptr<DocumentModelImporter> createImporter(model::DocumentModel& documentModel,
                                                                       const DocumentImporterOptions& options) const override;
    /// Sure of a file named exactly "*.txt", otherwise silent: any bytes are text.
    [[nodiscard]] int32_t rate(std::span<const uint8_t> bytes, std::u16string_view fileName) const override;
};

class PlainTextExportFormat final : public IExportFileFormat {
public:
    [[nodiscard]] model::DocumentFormat format() const noexcept override { return model::DocumentFormat::PlainText; }
    [[nodiscard]] FileDialogFilter filter() const override { return FileDialogFilter{u"Text Files", {u"txt"}}; }
    [[nodiscard]] std::unique_ptr<DocumentModelExporter> createExporter(const model::DocumentModel& documentModel,
                                                                       const DocumentExporterOptions& options) const override;
};

} // namespace velmo::formats
