// libFuzzer entry: any bytes, taken as a whole package when they start like a ZIP file and else as
// the main document part of a package made around them, either load or fail with the engine's own
// error; what loads is sound, and writes and reads back without error.
#include "core/editor_exception.h"
#include "formats/docx/open_xml_exporter.h"
#include "formats/docx/open_xml_importer.h"
#include "formats/zip/zip_stream_writer.h"
#include "model/document_model.h"
#include "model/model_integrity_checker.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kPackageRelations =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="r1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

std::vector<uint8_t> packageAround(std::span<const uint8_t> document)
{
    velmo::formats::ZIPStreamWriter writer;
    writer.addFile("_rels/.rels", kPackageRelations);
    writer.addFile("word/document.xml", document);
    return writer.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> input(data, size);
    const bool isPackage = size >= 2 && data[0] == 'P' && data[1] == 'K';
    const std::vector<uint8_t> package = isPackage ? std::vector<uint8_t>(input.begin(), input.end()) : packageAround(input);
    velmo::model::DocumentModel document;
    try {
        velmo::formats::OpenXmlImporter(document, velmo::formats::OpenXmlDocumentImporterOptions{}).importContent(package);
    } catch (const velmo::core::EditorException&) {
        return 0;
    }
    if (!velmo::model::findIntegrityProblems(document).empty())
        std::abort();
    const std::vector<uint8_t> written =
        velmo::formats::OpenXmlExporter(document, velmo::formats::DocumentExporterOptions{}).exportContent();
    velmo::model::DocumentModel copy;
    velmo::formats::OpenXmlImporter(copy, velmo::formats::OpenXmlDocumentImporterOptions{}).importContent(written);
    return 0;
}
