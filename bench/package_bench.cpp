#include "formats/xml/xml_reader.h"
#include "formats/xml/xml_writer.h"
#include "formats/zip/zip_stream_reader.h"
#include "formats/zip/zip_stream_writer.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace velmo::bench {
namespace {

// A main document part of about 9 MB: 30,000 paragraphs of 100 characters, each run formatted,
// the shape a 1000-page document takes in WordprocessingML.
constexpr int kParagraphs = 30000;

std::u16string runText(int index)
{
    static constexpr std::u16string_view kWords = u"lorem ipsum dolor sit amet consectetur <adipiscing> & elit sed do ";
    std::u16string text;
    while (text.size() < 100)
        text += kWords.substr(static_cast<size_t>(index) % 7);
    text.resize(100);
    return text;
}

std::string writeDocumentXml(const std::vector<std::u16string>& texts)
{
    formats::XmlWriter writer;
    writer.startElement("w:document");
    writer.namespaceDeclaration("w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    writer.startElement("w:body");
    for (int index = 0; index < kParagraphs; ++index) {
        writer.startElement("w:p");
        writer.startElement("w:pPr");
        writer.startElement("w:spacing");
        writer.attribute("w:after", 160);
        writer.attribute("w:line", 259);
        writer.attribute("w:lineRule", std::string_view("auto"));
        writer.endElement();
        writer.endElement();
        writer.startElement("w:r");
        writer.startElement("w:rPr");
        writer.startElement("w:b");
        writer.attribute("w:val", index % 2);
        writer.endElement();
        writer.startElement("w:sz");
        writer.attribute("w:val", 24);
        writer.endElement();
        writer.endElement();
        writer.startElement("w:t");
        writer.attribute("xml:space", std::string_view("preserve"));
        writer.text(texts[static_cast<size_t>(index)]);
        writer.endElement();
        writer.endElement();
        writer.endElement();
    }
    return writer.finish();
}

std::vector<std::u16string> paragraphTexts()
{
    std::vector<std::u16string> texts;
    texts.reserve(kParagraphs);
    for (int index = 0; index < kParagraphs; ++index)
        texts.push_back(runText(index));
    return texts;
}

void BM_XmlWrite9MB(benchmark::State& state)
{
    const std::vector<std::u16string> texts = paragraphTexts();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string xml = writeDocumentXml(texts);
        bytes = xml.size();
        benchmark::DoNotOptimize(xml.data());
    }
    state.counters["xml_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_XmlWrite9MB)->Unit(benchmark::kMillisecond);

void BM_ZipDeflate9MB(benchmark::State& state)
{
    const std::string xml = writeDocumentXml(paragraphTexts());
    size_t packageBytes = 0;
    for (auto _ : state) {
        formats::ZIPStreamWriter writer;
        writer.addFile("word/document.xml", std::string_view(xml));
        const std::vector<uint8_t> package = writer.finish();
        packageBytes = package.size();
        benchmark::DoNotOptimize(package.data());
    }
    state.counters["package_MB"] = static_cast<double>(packageBytes) / (1024.0 * 1024.0);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_ZipDeflate9MB)->Unit(benchmark::kMillisecond);

void BM_ZipInflateAndXmlRead9MB(benchmark::State& state)
{
    const std::string xml = writeDocumentXml(paragraphTexts());
    formats::ZIPStreamWriter writer;
    writer.addFile("word/document.xml", std::string_view(xml));
    const std::vector<uint8_t> package = writer.finish();
    int64_t nodes = 0;
    for (auto _ : state) {
        const formats::ZIPStreamReader reader(package);
        std::vector<uint8_t> part;
        reader.extract("word/document.xml", part);
        formats::XmlReader xmlReader(part);
        nodes = 0;
        while (xmlReader.read())
            ++nodes;
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_ZipInflateAndXmlRead9MB)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmo::bench
