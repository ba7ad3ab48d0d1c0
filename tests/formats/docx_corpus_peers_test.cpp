// What other programs make of the packages our writer produces from the shared corpus: every one
// passes `unzip -t` and every part is well-formed for xmllint, and LibreOffice reads the same
// paragraph texts from our package as from the original. Each check skips when its program is absent.
#include "core/file_io.h"
#include "formats/docx_corpus_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace velmo::formats {
namespace {

using testing::CorpusDocument;
using testing::loadedCorpus;
using testing::relativeName;
using testing::shellQuoted;

bool programInstalled(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

/// A scratch folder holding, for every corpus package that loads, the original as "NNN.docx" in
/// original/ and our written package under the same name in ours/; removed at exit.
class WrittenCorpus {
public:
    struct Item {
        const CorpusDocument* source;
        std::string name;
    };

    WrittenCorpus()
        : folder_(std::filesystem::temp_directory_path() / ("velmo-docx-peers-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(folder_ / "original");
        std::filesystem::create_directories(folder_ / "ours");
        for (const CorpusDocument& item : loadedCorpus()) {
            if (!item.document)
                continue;
            char name[16];
            std::snprintf(name, sizeof name, "%03zu.docx", items_.size());
            std::filesystem::copy_file(item.path, folder_ / "original" / name);
            core::writeFileAtomically((folder_ / "ours" / name).string(), testing::saveDocx(*item.document));
            items_.push_back({&item, name});
        }
    }
    ~WrittenCorpus()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<Item>& items() const { return items_; }

private:
    std::filesystem::path folder_;
    std::vector<Item> items_;
};

const WrittenCorpus& writtenCorpus()
{
    static const WrittenCorpus corpus;
    return corpus;
}

TEST(DocxCorpusPeersTest, OurPackagesPassUnzipAndEveryPartIsWellFormed)
{
    const WrittenCorpus& corpus = writtenCorpus();
    if (corpus.items().empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    if (!programInstalled("unzip") || !programInstalled("xmllint"))
        GTEST_SKIP() << "unzip or xmllint is not installed";
    for (const WrittenCorpus::Item& item : corpus.items()) {
        const std::filesystem::path package = corpus.folder() / "ours" / item.name;
        const std::filesystem::path parts = corpus.folder() / "parts";
        std::filesystem::remove_all(parts);
        const std::string test = "unzip -tqq " + shellQuoted(package.string()) + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(test.c_str()), 0) << "unzip -t: " << relativeName(item.source->path);
        const std::string wellFormed = "unzip -qq " + shellQuoted(package.string()) + " -d " + shellQuoted(parts.string()) +
                                       " && find " + shellQuoted(parts.string()) +
                                       " -type f \\( -name '*.xml' -o -name '*.rels' \\) -print0 | xargs -0 xmllint --noout";
        EXPECT_EQ(std::system(wellFormed.c_str()), 0) << "xmllint: " << relativeName(item.source->path);
    }
}

/// Converts every "NNN.docx" of `folder` to "NNN.txt" in `output` with LibreOffice. One office
/// process takes many files; a file it leaves out (the process can stop early) is tried alone.
void convertWithLibreOffice(const std::filesystem::path& folder, const std::filesystem::path& output,
                            const std::vector<WrittenCorpus::Item>& items)
{
    const std::string profile = "-env:UserInstallation=file://" + (output / "profile").string();
    const std::string command = "timeout 600 soffice --headless " + shellQuoted(profile) +
                                " --convert-to 'txt:Text (encoded):UTF8' --outdir " + shellQuoted(output.string());
    constexpr size_t kBatch = 40;
    for (size_t first = 0; first < items.size(); first += kBatch) {
        std::string batch = command;
        for (size_t index = first; index < std::min(first + kBatch, items.size()); ++index)
            batch += " " + shellQuoted((folder / items[index].name).string());
        std::system((batch + " >/dev/null 2>&1").c_str());
    }
    for (const WrittenCorpus::Item& item : items) {
        if (!std::filesystem::exists(output / std::filesystem::path(item.name).replace_extension(".txt")))
            std::system((command + " " + shellQuoted((folder / item.name).string()) + " >/dev/null 2>&1").c_str());
    }
}

/// The non-empty lines of a converted text, without a byte order mark and trailing blanks; empty
/// when the file is missing.
std::vector<std::string> convertedLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    if (!std::filesystem::exists(file))
        return lines;
    const std::vector<uint8_t> bytes = core::readFile(file.string());
    std::string text(bytes.begin(), bytes.end());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TEST(DocxCorpusPeersTest, LibreOfficeReadsTheSameParagraphTextsFromOurPackages)
{
    const WrittenCorpus& corpus = writtenCorpus();
    if (corpus.items().empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    if (!programInstalled("soffice"))
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const std::filesystem::path originalTexts = corpus.folder() / "original-txt";
    const std::filesystem::path ourTexts = corpus.folder() / "ours-txt";
    convertWithLibreOffice(corpus.folder() / "original", originalTexts, corpus.items());
    convertWithLibreOffice(corpus.folder() / "ours", ourTexts, corpus.items());
    size_t compared = 0;
    size_t equal = 0;
    for (const WrittenCorpus::Item& item : corpus.items()) {
        const std::filesystem::path text = std::filesystem::path(item.name).replace_extension(".txt");
        if (!std::filesystem::exists(originalTexts / text))
            continue; // LibreOffice cannot read the original either
        ++compared;
        EXPECT_TRUE(std::filesystem::exists(ourTexts / text)) << "LibreOffice cannot read ours of " << relativeName(item.source->path);
        if (convertedLines(originalTexts / text) == convertedLines(ourTexts / text))
            ++equal;
        else
            std::cout << "  differs: " << relativeName(item.source->path) << "\n";
    }
    ASSERT_GT(compared, 0u);
    const double rate = static_cast<double>(equal) / static_cast<double>(compared);
    std::cout << equal << " of " << compared << " packages read the same in LibreOffice (" << rate * 100 << " %)\n";
    // The rest are packages with tracked changes (LibreOffice also shows deleted and moved-away text,
    // we keep the accepted text) and places where LibreOffice reads the original differently from
    // what it says (line breaks in content controls, trailing blanks in table cells).
    EXPECT_GE(rate, 0.94);
}

} // namespace
} // namespace velmo::formats
