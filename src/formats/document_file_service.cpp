#include "formats/document_file_service.h"

#include "core/editor_exception.h"
#include "core/file_io.h"
#include "core/unicode_text.h"
#include "formats/document_formats_registry.h"
#include "formats/document_model_exporter.h"
#include "formats/document_model_importer.h"
#include "model/document_model.h"

#include <exception>

namespace velmo::formats {

namespace {

void importWith(model::DocumentModel& documentModel, std::span<const uint8_t> bytes, model::DocumentFormat format,
                const DocumentImporterOptions& options)
{
    const IImportFileFormat* importer = DocumentFormatsRegistry::importFormat(format);
    if (!importer)
        throw core::EditorException::formatNotSupported();
    importer->createImporter(documentModel, options)->importContent(bytes);
}

} // namespace

model::DocumentFormat autodetectDocumentFormat(std::u16string_view fileName, bool useFallback)
{
    DocumentFormatsRegistry::registerBuiltInFormats();
    return useFallback ? DocumentFormatsRegistry::chooseImportFormat(fileName)
                       : DocumentFormatsRegistry::importFormatByExtension(fileName);
}

void loadDocument(model::DocumentModel& documentModel, std::span<const uint8_t> bytes, model::DocumentFormat format,
                  const DocumentImporterOptions& options)
{
    DocumentFormatsRegistry::registerBuiltInFormats();
    if (format == model::DocumentFormat::Undefined)
        format = autodetectDocumentFormat(options.sourceUri, true);
    std::exception_ptr firstError;
    std::vector<model::DocumentFormat> candidates{format};
    for (const DocumentFormatRating& rating : DocumentFormatsRegistry::rateFormats(bytes, options.sourceUri, format))
        candidates.push_back(rating.format);
    for (const model::DocumentFormat candidate : candidates) {
        try {
            importWith(documentModel, bytes, candidate, options);
            model::DocumentSaveOptions& saveOptions = documentModel.saveOptions();
            saveOptions.currentFileName = options.sourceUri;
            saveOptions.currentFormat = candidate;
            documentModel.setDocumentFormat(candidate);
            return;
        } catch (const core::EditorException&) {
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    // Nothing of the file is in the document: it must not keep a name that Save would write over.
    documentModel.clearDocument();
    documentModel.saveOptions().resetCurrent();
    std::rethrow_exception(firstError);
}

void loadDocument(model::DocumentModel& documentModel, const std::string& path, model::DocumentFormat format,
                  DocumentImporterOptions& options)
{
    const std::vector<uint8_t> bytes = core::readFile(path);
    options.sourceUri = core::utf8ToUtf16(path);
    try {
        loadDocument(documentModel, bytes, format, options);
    } catch (const core::EditorException& error) {
        throw core::EditorException("'" + path + "': " + error.what());
    }
}

std::vector<uint8_t> saveDocumentToMemory(const model::DocumentModel& documentModel, model::DocumentFormat format,
                                          const DocumentExporterOptions& options)
{
    DocumentFormatsRegistry::registerBuiltInFormats();
    const IExportFileFormat* exporter = DocumentFormatsRegistry::exportFormat(format);
    if (!exporter)
        throw core::EditorException::formatNotSupported();
    return exporter->createExporter(documentModel, options)->exportContent();
}

void saveDocument(model::DocumentModel& documentModel, const std::string& path, model::DocumentFormat format,
                  DocumentExporterOptions& options)
{
    options.targetUri = core::utf8ToUtf16(path);
    const std::vector<uint8_t> bytes = saveDocumentToMemory(documentModel, format, options);
    core::writeFileAtomically(path, bytes);
    documentModel.resetMerging(); // later typing must not extend text that is already saved
    model::DocumentSaveOptions& saveOptions = documentModel.saveOptions();
    saveOptions.currentFileName = options.targetUri;
    saveOptions.currentFormat = format;
}

} // namespace velmo::formats
