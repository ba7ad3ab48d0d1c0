// Bookmarks through the DOCX reader and writer: where the marks land, which are kept, how they
// are written, and the round trip.
#include "core/unicode_text.h"
#include "formats/docx/open_xml_bookmark_collector.h"
#include "formats/docx_test_support.h"
#include "formats/zip/zip_stream_reader.h"
#include "model/content_type.h"
#include "model/document_history.h"
#include "model/piece_table.h"
#include "model/section.h"
#include "model/section_headers_footers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmo::formats {
namespace {

using testing::loadDocx;
using testing::makeDocx;
using testing::saveDocx;

/// "name start..end" of each bookmark of the story, in collection order.
std::vector<std::string> describe(const model::PieceTable& story)
{
    std::vector<std::string> result;
    for (const model::Bookmark* bookmark : story.bookmarks(true))
        result.push_back(core::utf16ToUtf8(bookmark->name()) + " " + std::to_string(bookmark->start().value()) + ".." +
                         std::to_string(bookmark->end().value()));
    return result;
}

std::string documentXml(const model::DocumentModel& document)
{
    const std::vector<uint8_t> package = saveDocx(document);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ZIPStreamReader(package).extract("word/document.xml", bytes));
    return std::string(bytes.begin(), bytes.end());
}

TEST(DocxBookmarksTest, MarksLandWhereTheyStand)
{
    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> bookmarks;
    };
    const Case cases[] = {
        {"inside a paragraph",
         R"(<w:p><w:r><w:t>ab</w:t></w:r><w:bookmarkStart w:id="1" w:name="x"/><w:r><w:t>cd</w:t></w:r>)"
         R"(<w:bookmarkEnd w:id="1"/><w:r><w:t>ef</w:t></w:r></w:p>)",
         {"x 2..4"}},
        {"around whole paragraphs, the end after the last one",
         R"(<w:bookmarkStart w:id="0" w:name="all"/><w:p><w:r><w:t>one</w:t></w:r></w:p>)"
         R"(<w:p><w:r><w:t>two</w:t></w:r></w:p><w:bookmarkEnd w:id="0"/>)",
         {"all 0..7"}},
        {"between paragraphs: the start of the next one",
         R"(<w:p><w:r><w:t>one</w:t></w:r></w:p><w:bookmarkStart w:id="0" w:name="second"/>)"
         R"(<w:p><w:r><w:t>two</w:t></w:r><w:bookmarkEnd w:id="0"/></w:p><w:p/>)",
         {"second 4..7"}},
        {"nested and overlapping, ids and names trimmed",
         R"(<w:p><w:bookmarkStart w:id=" 7 " w:name=" outer "/><w:r><w:t>a</w:t></w:r><w:bookmarkStart w:id="8" w:name="inner"/>)"
         R"(<w:r><w:t>b</w:t></w:r><w:bookmarkStart w:id="9" w:name="over"/><w:bookmarkEnd w:id="8"/><w:r><w:t>c</w:t></w:r>)"
         R"(<w:bookmarkEnd w:id="7"/><w:r><w:t>d</w:t></w:r><w:bookmarkEnd w:id="9"/></w:p>)",
         {"outer 0..3", "inner 1..2", "over 2..4"}},
        {"collapsed, end written first",
         R"(<w:p><w:r><w:t>ab</w:t></w:r><w:bookmarkEnd w:id="3"/><w:bookmarkStart w:id="3" w:name="_GoBack"/></w:p>)",
         {"_GoBack 2..2"}},
        {"in a cell, and in a hyperlink's result (after its 16-character field code)",
         R"(<w:tbl><w:tr><w:tc><w:p><w:bookmarkStart w:id="1" w:name="cell"/><w:r><w:t>c</w:t></w:r><w:bookmarkEnd w:id="1"/>)"
         R"(</w:p></w:tc></w:tr></w:tbl><w:p><w:hyperlink w:anchor="x"><w:bookmarkStart w:id="2" w:name="link"/>)"
         R"(<w:r><w:t>go</w:t></w:r><w:bookmarkEnd w:id="2"/></w:hyperlink></w:p>)",
         {"cell 0..1", "link 20..22"}},
        {"without an end, ending before its start, or without an id: dropped",
         R"(<w:p><w:bookmarkStart w:id="1" w:name="open"/><w:bookmarkEnd w:id="2"/><w:r><w:t>ab</w:t></w:r>)"
         R"(<w:bookmarkStart w:id="2" w:name="backwards"/><w:bookmarkStart w:name="noId"/><w:bookmarkEnd/></w:p>)",
         {}},
        {"a second start of one id adds nothing",
         R"(<w:p><w:bookmarkStart w:id="1" w:name="first"/><w:r><w:t>ab</w:t></w:r><w:bookmarkStart w:id="1" w:name="again"/>)"
         R"(<w:bookmarkEnd w:id="1"/></w:p>)",
         {"first 0..2"}},
        {"permissions are read and dropped",
         R"(<w:p><w:permStart w:id="1" w:edGrp="everyone"/><w:r><w:t>ab</w:t></w:r><w:permEnd w:id="1"/></w:p>)", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::DocumentModel document;
        loadDocx(document, makeDocx(c.body));
        EXPECT_EQ(describe(document.mainPieceTable()), c.bookmarks);
        EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
        EXPECT_FALSE(document.history().canUndo());
    }
}

TEST(DocxBookmarksTest, AStoryTakesABoundedNumberOfBookmarks)
{
    // More marks than a story takes, all at one place: the first ones are made, quickly.
    const size_t count = OpenXmlBookmarkCollector::kMaxBookmarks + 20'000;
    std::string body = "<w:p><w:r><w:t>x</w:t></w:r>";
    body.reserve(count * 80);
    for (size_t index = 0; index < count; ++index) {
        const std::string id = std::to_string(index);
        body += R"(<w:bookmarkStart w:id=")" + id + R"(" w:name="b)" + id + R"("/><w:bookmarkEnd w:id=")" + id + R"("/>)";
    }
    body += "</w:p>";
    model::DocumentModel document;
    loadDocx(document, makeDocx(body));
    const model::BookmarkCollection& bookmarks = document.mainPieceTable().bookmarkCollection();
    ASSERT_EQ(static_cast<size_t>(bookmarks.count()), OpenXmlBookmarkCollector::kMaxBookmarks);
    EXPECT_EQ(bookmarks[0].name(), u"b0");
    EXPECT_EQ(bookmarks[bookmarks.count() - 1].name(), u"b99999");
}

TEST(DocxBookmarksTest, HeaderBookmarksBelongToTheHeader)
{
    const std::string header = std::string(R"(<w:hdr )") + testing::kWordNamespaces +
                               R"(><w:p><w:bookmarkStart w:id="0" w:name="inHeader"/><w:r><w:t>Head</w:t></w:r>)"
                               R"(<w:bookmarkEnd w:id="0"/></w:p></w:hdr>)";
    model::DocumentModel document;
    loadDocx(document, makeDocx(R"(<w:p><w:bookmarkStart w:id="0" w:name="inMain"/><w:r><w:t>Body</w:t></w:r><w:bookmarkEnd w:id="0"/></w:p>)"
                                R"(<w:sectPr><w:headerReference w:type="default" r:id="rH"/></w:sectPr>)",
                                {{"word/_rels/document.xml.rels", testing::relationsPart({{"rH", "header", "header1.xml"}})},
                                 {"word/header1.xml", header}}));
    const model::SectionHeaderFooterBase* story =
        document.section(SectionIndex(0)).headerFooter(model::ContentTypeKind::Header, model::HeaderFooterType::Odd);
    ASSERT_NE(story, nullptr);
    EXPECT_EQ(describe(story->pieceTable()), std::vector<std::string>{"inHeader 0..4"});
    EXPECT_EQ(describe(document.mainPieceTable()), std::vector<std::string>{"inMain 0..4"});
}

TEST(DocxBookmarksTest, WrittenAtTheirPlacesCuttingRuns)
{
    model::DocumentModel document;
    model::PieceTable& main = document.mainPieceTable();
    main.insertText(DocumentLogPosition(0), u"Hello world");
    main.insertParagraph(DocumentLogPosition(11));
    main.insertText(DocumentLogPosition(12), u"Next");
    main.createBookmark(DocumentLogPosition(6), 5, u"word");   // part of the run, to the paragraph end
    main.createBookmark(DocumentLogPosition(0), 16, u"all");   // to the story end
    main.createBookmark(DocumentLogPosition(12), 0, u"_here"); // collapsed at a paragraph start
    const std::string xml = documentXml(document);
    EXPECT_NE(xml.find(R"(<w:p><w:bookmarkStart w:id="0" w:name="all"/><w:r><w:t xml:space="preserve">Hello </w:t></w:r>)"
                       R"(<w:bookmarkStart w:id="1" w:name="word"/><w:r><w:t>world</w:t></w:r><w:bookmarkEnd w:id="1"/></w:p>)"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find(R"(<w:p><w:bookmarkStart w:id="2" w:name="_here"/><w:bookmarkEnd w:id="2"/><w:r><w:t>Next</w:t></w:r>)"
                       R"(<w:bookmarkEnd w:id="0"/></w:p>)"),
              std::string::npos)
        << xml;
    testing::expectRoundTrip(document);
}

TEST(DocxBookmarksTest, LongNamesAreCutAndKeptApart)
{
    const std::u16string longName(45, u'a');
    model::DocumentModel document;
    model::PieceTable& main = document.mainPieceTable();
    main.insertText(DocumentLogPosition(0), u"text");
    main.createBookmark(DocumentLogPosition(0), 1, longName);
    main.createBookmark(DocumentLogPosition(1), 1, longName + u"b");
    main.createBookmark(DocumentLogPosition(2), 1, std::u16string(40, u'A')); // exactly 40: as it is
    const std::string xml = documentXml(document);
    const std::string forty(40, 'a');
    EXPECT_NE(xml.find(R"(w:name=")" + forty + R"(")"), std::string::npos) << xml;
    // The second cut would give the first one's name: a number ends it.
    EXPECT_NE(xml.find(R"(w:name=")" + std::string(38, 'a') + R"(_1")"), std::string::npos) << xml;
    EXPECT_NE(xml.find(R"(w:name=")" + std::string(40, 'A') + R"(")"), std::string::npos) << xml;

    OpenXmlDocumentExporterOptions options;
    options.limitBookmarkNameTo40Chars = false;
    const std::vector<uint8_t> package = OpenXmlExporter(document, options).exportContent();
    model::DocumentModel copy;
    loadDocx(copy, package);
    EXPECT_EQ(copy.mainPieceTable().bookmarkCollection()[1].name(), longName + u"b");
}

TEST(DocxBookmarksTest, NestedOverlappingHiddenAndHeaderBookmarksReadBackTheSame)
{
    model::DocumentModel document;
    model::PieceTable& main = document.mainPieceTable();
    main.insertText(DocumentLogPosition(0), u"First paragraph");
    main.insertParagraph(DocumentLogPosition(15));
    main.insertText(DocumentLogPosition(16), u"Second one");
    main.insertTable(DocumentLogPosition(16), 1, 2);
    main.createBookmark(DocumentLogPosition(0), 20, u"outer");
    main.createBookmark(DocumentLogPosition(6), 4, u"inner");
    main.createBookmark(DocumentLogPosition(8), 14, u"overlap");
    main.createBookmark(DocumentLogPosition(6), 4, u"twin"); // the same interval as "inner"
    main.createBookmark(DocumentLogPosition(16), 1, u"_Toc1");
    main.createBookmark(DocumentLogPosition(3), 0, u"");
    main.createBookmark(main.documentEndLogPosition(), 0, u"atEnd");
    model::SectionHeader& header = document.createHeader(SectionIndex(0), model::HeaderFooterType::Odd);
    header.pieceTable().insertText(DocumentLogPosition(0), u"Header text");
    header.pieceTable().createBookmark(DocumentLogPosition(7), 4, u"inHeader");
    testing::expectRoundTrip(document);

    // The header's ids do not repeat the main story's.
    const std::vector<uint8_t> package = saveDocx(document);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ZIPStreamReader(package).extract("word/header1.xml", bytes));
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(R"(<w:bookmarkStart w:id="7" w:name="inHeader"/>)"), std::string::npos);
}

} // namespace
} // namespace velmo::formats
