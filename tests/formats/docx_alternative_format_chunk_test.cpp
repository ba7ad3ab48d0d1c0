// Alternative-format chunks: parts of a package in another format whose content the reader puts
// where their "altChunk" element stands.
#include "core/unicode_text.h"
#include "formats/document_formats_registry.h"
#include "formats/docx_test_support.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"
#include "model/tables/table.h"

#include <gtest/gtest.h>

namespace velmo::formats {
namespace {

using testing::loadDocx;
using testing::mainText;
using testing::makeDocx;
using testing::relationsPart;

class DocxAlternativeFormatChunkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { DocumentFormatsRegistry::registerBuiltInFormats(); }
};

std::string paragraph(const std::string& text)
{
    return "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

std::string chunk(const std::string& relationId)
{
    return R"(<w:altChunk r:id=")" + relationId + R"("/>)";
}

std::string packageText(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

/// Loads a package whose main part relates `relations` and holds `extra` parts besides.
std::u16string loadChunkedText(const std::string& body, const std::vector<std::array<std::string, 3>>& relations,
                               std::map<std::string, std::string> extra)
{
    extra.emplace("word/_rels/document.xml.rels", relationsPart(relations));
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, std::move(extra)));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    return mainText(document);
}

TEST_F(DocxAlternativeFormatChunkTest, ChunksGoWhereTheyStand)
{
    const std::string inner = packageText(makeDocx(paragraph("inner one") + paragraph("inner two")));
    struct Case {
        const char* name;
        std::string body;
        std::u16string text;
    };
    const Case cases[] = {
        {"text between paragraphs", paragraph("A") + chunk("c1") + paragraph("B"), u"A\rX\rY\rB\r"},
        {"package at the start", chunk("c2") + paragraph("B"), u"inner one\rinner two\rB\r"},
        // The last paragraph of a story stays; the chunk goes before it.
        {"text at the end", paragraph("A") + chunk("c1"), u"A\rX\rY\r\r"},
        {"two in a row, in order", chunk("c1") + chunk("c2"), u"X\rY\rinner one\rinner two\r\r"},
        {"climbing inside the package", paragraph("A") + chunk("up") + paragraph("B"), u"A\rroot text\rB\r"},
        // Nothing outside the package is read, and formats without a reader are left out.
        {"external", paragraph("A") + chunk("ext") + paragraph("B"), u"A\rB\r"},
        {"outside the package", paragraph("A") + chunk("out") + paragraph("B"), u"A\rB\r"},
        {"web archive", paragraph("A") + chunk("mht") + paragraph("B"), u"A\rB\r"},
        {"damaged package", paragraph("A") + chunk("bad") + paragraph("B"), u"A\rB\r"},
        {"unknown relation", paragraph("A") + chunk("none") + paragraph("B"), u"A\rB\r"},
    };
    const std::vector<std::array<std::string, 3>> relations = {
        {"c1", "aFChunk", "chunk.txt"},         {"c2", "aFChunk", "inner.docx"},
        {"up", "aFChunk", "../root.txt"},       {"ext", "aFChunk", "file:///etc/hostname"},
        {"out", "aFChunk", "../../outside.txt"}, {"mht", "aFChunk", "page.mht"},
        {"bad", "aFChunk", "bad.docx"},
    };
    std::map<std::string, std::string> parts = {
        {"word/chunk.txt", "X\r\nY"}, {"word/inner.docx", inner},       {"root.txt", "root text"},
        {"outside.txt", "outside"},   {"word/page.mht", "MIME-Version"}, {"word/bad.docx", "PK not a package"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(loadChunkedText(item.body, relations, parts), item.text);
    }
    // With relations written as external.
    std::string externalRelations = relationsPart(relations);
    externalRelations.replace(externalRelations.find(R"(Target="file:)"), 0, R"(TargetMode="External" )");
    parts["word/_rels/document.xml.rels"] = externalRelations;
    model::DocumentModel document;
    loadDocx(document, makeDocx(paragraph("A") + chunk("ext"), parts));
    EXPECT_EQ(mainText(document), u"A\r");
}

TEST_F(DocxAlternativeFormatChunkTest, ChunkInATableCellStaysInTheCell)
{
    const std::string body = "<w:tbl><w:tr><w:tc>" + paragraph("A") + chunk("c1") + "</w:tc><w:tc>" + chunk("c1") + "</w:tc></w:tr></w:tbl>" +
                             paragraph("after");
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/_rels/document.xml.rels", relationsPart({{"c1", "aFChunk", "chunk.txt"}})},
                                       {"word/chunk.txt", "X\r\nY"}}));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    const model::PieceTable& main = document.mainPieceTable();
    ASSERT_EQ(main.tableCellsManager().tables().size(), 1u);
    const model::Table& table = *main.tableCellsManager().tables().front();
    const model::TableCell& first = table.row(0).cell(0);
    const model::TableCell& second = table.row(0).cell(1);
    EXPECT_EQ(first.startParagraphIndex(), ParagraphIndex(0));
    // "A", the chunk's two paragraphs and the cell's own last paragraph.
    EXPECT_EQ(first.endParagraphIndex(), ParagraphIndex(3));
    EXPECT_EQ(second.endParagraphIndex() - second.startParagraphIndex(), 2);
    EXPECT_EQ(mainText(document), u"A\rX\rY\r\rX\rY\r\rafter\r");
}

TEST_F(DocxAlternativeFormatChunkTest, NestedPackagesKeepTheirListsAndStopAtTheDepthLimit)
{
    // Package k says "Lk" and holds package k + 1 as a chunk.
    const int kLevels = OpenXmlImporter::kMaxChunkNestingLevel + 3;
    std::string package;
    for (int level = kLevels - 1; level >= 0; --level) {
        std::map<std::string, std::string> extra;
        std::string body = paragraph("L" + std::to_string(level));
        if (!package.empty()) {
            extra.emplace("word/inner.docx", package);
            extra.emplace("word/_rels/document.xml.rels", relationsPart({{"c", "aFChunk", "inner.docx"}}));
            body += chunk("c");
        }
        package = packageText(makeDocx(body, extra));
    }
    model::DocumentModel document;
    loadDocx(document, std::vector<uint8_t>(package.begin(), package.end()));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    std::u16string expected;
    for (int level = 0; level <= OpenXmlImporter::kMaxChunkNestingLevel; ++level)
        expected += u"L" + core::utf8ToUtf16(std::to_string(level)) + u"\r";
    EXPECT_EQ(mainText(document), expected + u"\r");

    // A chunk's lists come along as lists of the document.
    const std::string numbering = std::string(R"(<w:numbering )") + testing::kWordNamespaces +
                                  R"x(><w:abstractNum w:abstractNumId="0"><w:lvl w:ilvl="0"><w:start w:val="1"/><w:lvlText w:val="%1)"/></w:lvl>)x"
                                  R"(</w:abstractNum><w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num></w:numbering>)";
    const std::string item = R"(<w:p><w:pPr><w:numPr><w:numId w:val="1"/></w:numPr></w:pPr><w:r><w:t>item</w:t></w:r></w:p>)";
    const std::string inner = packageText(makeDocx(item + item, {{"word/numbering.xml", numbering}}));
    model::DocumentModel listed;
    loadDocx(listed, makeDocx(paragraph("A") + chunk("c"), {{"word/_rels/document.xml.rels", relationsPart({{"c", "aFChunk", "inner.docx"}})},
                                                             {"word/inner.docx", inner}}));
    EXPECT_THAT(model::findIntegrityProblems(listed), ::testing::IsEmpty());
    const model::PieceTable& main = listed.mainPieceTable();
    EXPECT_EQ(main.paragraph(ParagraphIndex(2)).numberingListText(), u"2)");
    EXPECT_EQ(listed.numbering().numberingListCount(), 1);
}

TEST_F(DocxAlternativeFormatChunkTest, ChunksAreCountedAcrossTheWholeLoad)
{
    std::string body;
    for (int32_t index = 0; index < OpenXmlImporter::kMaxChunks + 50; ++index)
        body += chunk("c1");
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/_rels/document.xml.rels", relationsPart({{"c1", "aFChunk", "chunk.txt"}})},
                                       {"word/chunk.txt", "X"}}));
    const std::u16string text = mainText(document);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'X'), OpenXmlImporter::kMaxChunks);
}

} // namespace
} // namespace velmo::formats
