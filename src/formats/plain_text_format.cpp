#include "formats/plain_text_format.h"

#include "formats/plain_text_exporter.h"
#include "formats/plain_text_importer.h"

namespace velmo::formats {

std::unique_ptr<DocumentModelImporter> PlainTextImportFormat::createImporter(model::DocumentModel& documentModel,
                                                                             const DocumentImporterOptions& options) const
{
    PlainTextDocumentImporterOptions plainTextOptions;
    if (const auto* given = dynamic_cast<const PlainTextDocumentImporterOptions*>(&options))
        plainTextOptions = *given;
    else
        static_cast<DocumentImporterOptions&>(plainTextOptions) = options;
    return std::make_unique<PlainTextImporter>(documentModel, plainTextOptions);
}

int32_t PlainTextImportFormat::rate(std::span<const uint8_t>, std::u16string_view fileName) const
{
    constexpr std::u16string_view kExtension = u".txt";
    const bool namedTxt = fileName.size() >= kExtension.size() && fileName.substr(fileName.size() - kExtension.size()) == kExtension;
    return namedTxt ? 32767 : 0;
}

std::unique_ptr<DocumentModelExporter> PlainTextExportFormat::createExporter(const model::DocumentModel& documentModel,
                                                                             const DocumentExporterOptions& options) const
{
    PlainTextDocumentExporterOptions plainTextOptions;
    if (const auto* given = dynamic_cast<const PlainTextDocumentExporterOptions*>(&options))
        plainTextOptions = *given;
    else
        static_cast<DocumentExporterOptions&>(plainTextOptions) = options;
    return std::make_unique<PlainTextExporter>(documentModel, plainTextOptions);
}

} // namespace velmo::formats
