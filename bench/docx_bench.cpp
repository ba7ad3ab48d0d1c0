#include "core/file_io.h"
#include "formats/docx/open_xml_exporter.h"
#include "formats/docx/open_xml_importer.h"
#include "model/document_model.h"
#include "process_memory.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmo::bench {
namespace {

// The 1000-page benchmark document: about 21,000 paragraphs, 92,000 runs, 8.9 MB of document XML.
const std::string kDocument = std::string(VELMO_SHARED_DIR) + "/bench-docs/doc-1000p.docx";

void BM_LoadDocx1000p(benchmark::State& state)
{
    if (!std::filesystem::exists(kDocument)) {
        state.SkipWithError("no benchmark document in the shared folder");
        return;
    }
    const std::vector<uint8_t> bytes = core::readFile(kDocument);
    for (auto _ : state) {
        model::DocumentModel document;
        formats::OpenXmlImporter(document, formats::OpenXmlDocumentImporterOptions{}).importContent(bytes);
        benchmark::DoNotOptimize(&document);
    }
    state.counters["resident_MB"] = static_cast<double>(residentBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LoadDocx1000p)->Unit(benchmark::kMillisecond);

void BM_SaveDocx1000p(benchmark::State& state)
{
    if (!std::filesystem::exists(kDocument)) {
        state.SkipWithError("no benchmark document in the shared folder");
        return;
    }
    model::DocumentModel document;
    formats::OpenXmlImporter(document, formats::OpenXmlDocumentImporterOptions{}).importContent(core::readFile(kDocument));
    size_t packageBytes = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> package = formats::OpenXmlExporter(document, formats::DocumentExporterOptions{}).exportContent();
        packageBytes = package.size();
        benchmark::DoNotOptimize(package.data());
    }
    state.counters["package_MB"] = static_cast<double>(packageBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_SaveDocx1000p)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmo::bench
