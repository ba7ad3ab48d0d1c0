// Every DOCX package of the shared corpus through the reader and the writer: each loads or fails
// with the reader's own error, what loads (its pictures decoded) reads back the same after
// writing, and its paragraph texts agree with an independent reader (python-docx) where one is
// installed.
#include "core/culture.h"
#include "core/unicode_text.h"
#include "formats/docx_corpus_support.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_updater.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmo::formats {
namespace {

using testing::CorpusDocument;
using testing::loadedCorpus;
using testing::relativeName;

TEST(DocxCorpusTest, EveryPackageLoadsOrFailsWithTheReadersError)
{
    const std::vector<CorpusDocument>& corpus = loadedCorpus();
    if (corpus.empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    size_t loaded = 0;
    for (const CorpusDocument& item : corpus) {
        if (item.document) {
            ++loaded;
            EXPECT_THAT(model::findIntegrityProblems(*item.document), ::testing::IsEmpty()) << relativeName(item.path);
            continue;
        }
        // Apache POI's test data holds deliberately damaged, encrypted and hostile files; the
        // other collections are ordinary documents that must load.
        EXPECT_FALSE(item.error.empty());
        EXPECT_TRUE(relativeName(item.path).starts_with("corpus/apache-poi/")) << relativeName(item.path) << ": " << item.error;
        std::cout << "  " << relativeName(item.path) << " -> " << item.error << "\n";
    }
    std::cout << loaded << " of " << corpus.size() << " packages loaded\n";
}

TEST(DocxCorpusTest, WrittenPackagesReadBackTheSame)
{
    const std::vector<CorpusDocument>& corpus = loadedCorpus();
    if (corpus.empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    size_t same = 0;
    size_t loaded = 0;
    size_t bookmarks = 0;
    for (const CorpusDocument& item : corpus) {
        if (!item.document)
            continue;
        ++loaded;
        bookmarks += item.document->bookmarks(true).size();
        SCOPED_TRACE(relativeName(item.path));
        model::DocumentModel copy(nullptr, &model::testCodec());
        testing::loadDocx(copy, testing::saveDocx(*item.document));
        const bool equal = model::dumpDocument(copy) == model::dumpDocument(*item.document);
        EXPECT_TRUE(equal);
        same += equal ? 1 : 0;
    }
    std::cout << same << " of " << loaded << " loaded packages read back the same\n";
    // Many of the packages carry bookmarks (headings, tables of contents, "_GoBack"): the dumps compared them too.
    std::cout << bookmarks << " bookmarks in them\n";
    EXPECT_GT(bookmarks, 0u);
}

/// The main story's paragraphs as text without field codes; breaks as "\n".
std::vector<std::string> paragraphTexts(const model::DocumentModel& document)
{
    const model::PieceTable& main = document.mainPieceTable();
    std::vector<std::string> texts;
    int32_t codeDepth = 0;
    for (int32_t index = 0; index < main.paragraphCount(); ++index) {
        const model::Paragraph& paragraph = main.paragraph(ParagraphIndex(index));
        std::u16string text;
        for (RunIndex run = paragraph.firstRunIndex(); run <= paragraph.lastRunIndex(); ++run) {
            const model::RunKind kind = main.run(run).kind();
            if (kind == model::RunKind::FieldCodeStart)
                ++codeDepth;
            else if (kind == model::RunKind::FieldCodeEnd)
                codeDepth = std::max(codeDepth - 1, 0);
            else if ((kind == model::RunKind::Text || kind == model::RunKind::FieldSymbol) && codeDepth == 0)
                text += main.runText(run);
        }
        for (char16_t& character : text) {
            if (character == model::kLineBreak || character == u'\f' || character == u'\x0E')
                character = u'\n';
            else if (character == model::kOptionalHyphen)
                character = u'\u00AD';
        }
        texts.push_back(core::utf16ToUtf8(text));
    }
    return texts;
}

std::string escaped(const std::string& text)
{
    std::string result;
    for (const char character : text) {
        if (character == '\\')
            result += "\\\\";
        else if (character == '\t')
            result += "\\t";
        else if (character == '\n')
            result += "\\n";
        else
            result += character;
    }
    return result;
}

std::vector<std::string> withoutEmpty(std::vector<std::string> texts)
{
    std::erase_if(texts, [](const std::string& text) { return text.empty(); });
    return texts;
}

/// The paragraph texts the independent reader prints for each file; files it cannot read are absent.
std::map<std::string, std::vector<std::string>> independentTexts(const std::vector<std::filesystem::path>& files)
{
    std::string command = "/usr/bin/python3 '" VELMO_TESTS_DIR "/formats/docx_paragraph_texts.py'";
    for (const std::filesystem::path& file : files)
        command += " " + testing::shellQuoted(file.string());
    std::map<std::string, std::vector<std::string>> texts;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return texts;
    std::string output;
    char buffer[65536];
    for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, count);
    ::pclose(pipe);
    std::string currentName;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        const std::string line = output.substr(start, end - start);
        start = end + 1;
        if (line.starts_with("=== ")) {
            currentName = line.substr(4);
            texts[currentName];
        } else if (line.starts_with("!!! ")) {
            texts.erase(currentName);
        } else if (texts.contains(currentName)) {
            texts[currentName].push_back(line);
        }
    }
    return texts;
}

TEST(DocxCorpusTest, ParagraphTextsAgreeWithAnIndependentReader)
{
    const std::vector<CorpusDocument>& corpus = loadedCorpus();
    if (corpus.empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    if (std::system("/usr/bin/python3 -c 'import docx' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-docx is not installed";
    std::vector<std::filesystem::path> files;
    for (const CorpusDocument& item : corpus) {
        if (item.document)
            files.push_back(item.path);
    }
    const std::map<std::string, std::vector<std::string>> expected = independentTexts(files);
    size_t compared = 0;
    size_t equal = 0;
    for (const CorpusDocument& item : corpus) {
        const auto found = item.document ? expected.find(item.path.string()) : expected.end();
        if (found == expected.end())
            continue;
        ++compared;
        std::vector<std::string> ours = paragraphTexts(*item.document);
        for (std::string& text : ours)
            text = escaped(text);
        // Both sides may hold empty paragraphs the other lacks (cells and ends the model completes).
        if (withoutEmpty(ours) == withoutEmpty(found->second)) {
            ++equal;
            continue;
        }
        std::cout << "  differs: " << relativeName(item.path) << "\n";
    }
    ASSERT_GT(compared, 0u);
    const double rate = static_cast<double>(equal) / static_cast<double>(compared);
    std::cout << equal << " of " << compared << " packages have the same paragraph texts (" << rate * 100 << " %)\n";
    EXPECT_GE(rate, 0.95);
}

TEST(DocxCorpusTest, FieldsOfEveryDocumentUpdateAndUndoCleanly)
{
    const std::vector<CorpusDocument>& corpus = loadedCorpus();
    if (corpus.empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    const core::Culture culture("en-US");
    const platform::FixedClock clock(core::DateTime{2024, 3, 7, 13, 5, 9});
    size_t fieldCount = 0;
    for (const CorpusDocument& item : corpus) {
        if (!item.document)
            continue;
        SCOPED_TRACE(relativeName(item.path));
        // A load of its own: the shared documents stay as they were read.
        model::DocumentModel document;
        testing::loadDocx(document, core::readFile(item.path.string()));
        document.fieldServices().culture = &culture;
        document.fieldServices().clock = &clock;
        const std::string before = model::dumpDocument(document);
        for (model::PieceTable* story : document.pieceTables(true)) {
            fieldCount += static_cast<size_t>(story->fields().count());
            model::FieldUpdater(*story).updateFields(model::UpdateFieldOperationType::Normal);
        }
        EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
        while (document.history().canUndo())
            document.history().undo();
        EXPECT_EQ(model::dumpDocument(document), before);
    }
    std::cout << "  " << fieldCount << " fields updated\n";
}

} // namespace
} // namespace velmo::formats
