#include "formats/docx/open_xml_format.h"

#include "formats/docx/open_xml_exporter.h"
#include "formats/docx/open_xml_importer.h"
#include "core/editor_exception.h"
#include "formats/zip/zip_stream_reader.h"

namespace velmo::formats {

std::unique_ptr<DocumentModelImporter> OpenXmlImportFormat::createImporter(model::DocumentModel& documentModel,
                                                                           const DocumentImporterOptions& options) const
{
    OpenXmlDocumentImporterOptions openXmlOptions;
    if (const auto* given = dynamic_cast<const OpenXmlDocumentImporterOptions*>(&options))
        openXmlOptions = *given;
    else
        static_cast<DocumentImporterOptions&>(openXmlOptions) = options;
    return std::make_unique<OpenXmlImporter>(documentModel, openXmlOptions);
}

int32_t OpenXmlImportFormat::rate(std::span<const uint8_t> bytes, std::u16string_view) const
{
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != 'K')
        return 0;
    try {
        const ZIPStreamReader package(bytes);
        int32_t count = 0;
        for (const ZIPFileEntry& entry : package.files()) {
            if (entry.name.ends_with(".rels") || entry.name.ends_with("document.xml"))
                ++count;
        }
        return count;
    } catch (const core::EditorException&) {
        return 0;
    }
}

std::unique_ptr<DocumentModelExporter> OpenXmlExportFormat::createExporter(const model::DocumentModel& documentModel,
                                                                           const DocumentExporterOptions& options) const
{
    return std::make_unique<OpenXmlExporter>(documentModel, options);
}

} // namespace velmo::formats
