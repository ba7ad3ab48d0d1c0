// Hyperlinks and field updates through the DOCX reader and writer: links read as HYPERLINK fields
// that the load's update makes links, which fields that update touches, and the round trip.
#include "core/unicode_text.h"
#include "formats/docx_test_support.h"
#include "formats/zip/zip_stream_reader.h"
#include "model/document_history.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_scanner.h"
#include "model/model_test_support.h"
#include "model/piece_table.h"

#include <gtest/gtest.h>

#include <string>

namespace velmo::formats {
namespace {

using testing::loadDocx;
using testing::makeDocx;
using testing::saveDocx;

model::HyperlinkInfo link(std::u16string uri, std::u16string anchor = {}, std::u16string target = {}, std::u16string toolTip = {})
{
    return model::HyperlinkInfo{std::move(anchor), std::move(uri), std::move(target), std::move(toolTip)};
}

std::vector<uint8_t> packageWithLinks(const std::string& paragraph)
{
    return makeDocx("<w:p>" + paragraph + "</w:p>",
                    {{"word/_rels/document.xml.rels",
                      testing::relationsPart({{"web", "hyperlink", "http://example.com/a?b=1&amp;c=2"}, {"share", "hyperlink", "\\\\server\\docs\\a.doc"}})}});
}

TEST(DocxHyperlinksTest, LinksLoadAsFieldsWithTheirRecords)
{
    struct Case {
        const char* name;
        std::string paragraph;
        model::HyperlinkInfo expected;
        std::u16string shown;
    };
    const Case cases[] = {
        {"an address", R"(<w:hyperlink r:id="web"><w:r><w:t>site</w:t></w:r></w:hyperlink>)", link(u"http://example.com/a?b=1&c=2"), u"site"},
        {"a place with a frame and a tip",
         R"(<w:hyperlink w:anchor="Intro" w:tgtFrame="_blank" w:tooltip="Go there"><w:r><w:t>intro</w:t></w:r></w:hyperlink>)",
         link(u"", u"Intro", u"_blank", u"Go there"), u"intro"},
        {"a network path keeps its backslashes", R"(<w:hyperlink r:id="share"><w:r><w:t>doc</w:t></w:r></w:hyperlink>)",
         link(u"\\\\server\\docs\\a.doc"), u"doc"},
        {"a link without text shows its address", R"(<w:hyperlink w:anchor="End"/>)", link(u"", u"End"), u"End"},
        {"a field written out", R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> HYPERLINK "b.htm" \l "x" </w:instrText></w:r>)"
                                R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>b</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r>)",
         link(u"b.htm", u"x"), u"b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::DocumentModel document;
        loadDocx(document, packageWithLinks(c.paragraph));
        model::PieceTable& story = document.mainPieceTable();
        ASSERT_EQ(story.fields().count(), 1);
        ASSERT_TRUE(story.isHyperlinkField(0));
        EXPECT_EQ(story.hyperlinkInfo(0), c.expected);
        EXPECT_EQ(model::fieldResultText(story, story.fields()[0]), c.shown);
        // The load's update is part of the loaded content.
        EXPECT_FALSE(document.history().canUndo());
        EXPECT_FALSE(document.isModified());
        testing::expectRoundTrip(document);
    }
}

TEST(DocxHyperlinksTest, TheReaderMayLeaveFieldsAsTheyAreAndHyperlinksMayBeOff)
{
    const std::vector<uint8_t> package = packageWithLinks(R"(<w:hyperlink r:id="web"><w:r><w:t>site</w:t></w:r></w:hyperlink>)");
    {
        model::DocumentModel document;
        OpenXmlDocumentImporterOptions options;
        options.updateFields = false;
        OpenXmlImporter(document, options).importContent(package);
        EXPECT_EQ(document.mainPieceTable().fields().count(), 1);
        EXPECT_EQ(document.mainPieceTable().hyperlinkInfos().count(), 0);
    }
    model::DocumentModel document;
    document.capabilities().hyperlinks = model::DocumentCapability::Disabled;
    loadDocx(document, package);
    EXPECT_EQ(testing::mainText(document), u"site\r");
    EXPECT_EQ(document.mainPieceTable().fields().count(), 0);
}

TEST(DocxHyperlinksTest, TheLoadUpdatesOnlyFieldsThatAllowIt)
{
    const auto field = [](const std::string& code, const std::string& result) {
        return R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve">)" + code +
               R"(</w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>)" + result +
               R"(</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r>)";
    };
    const std::string bar = "<w:r><w:t>|</w:t></w:r>";
    const std::vector<uint8_t> package =
        makeDocx("<w:p>" + field("DATE", "old date") + bar + field("TIME", "old time") + bar + field("INCLUDEPICTURE \"missing.png\" \\d", "pic") +
                 bar + field("SYMBOL 65", "?") + bar + field("DOCVARIABLE none", "kept") + bar + field("= 1+1", "2") + "</w:p>");
    const auto shown = [](const model::DocumentModel& document) {
        const model::PieceTable& story = document.mainPieceTable();
        return model::visibleText(story, RunIndex(0), RunIndex(story.runCount() - 2));
    };
    model::DocumentModel byDefault;
    loadDocx(byDefault, package);
    EXPECT_EQ(shown(byDefault), u"old date|old time|pic|A|kept|2");

    model::DocumentModel withDates;
    OpenXmlDocumentImporterOptions options;
    options.fieldUpdateOnLoad.updateDateField = true;
    OpenXmlImporter(withDates, options).importContent(package);
    const std::u16string text = shown(withDates);
    EXPECT_FALSE(text.starts_with(u"old date|")) << core::utf16ToUtf8(text);
    EXPECT_NE(text.find(u"|old time|pic|A|kept|2"), std::u16string::npos) << core::utf16ToUtf8(text);
}

TEST(DocxHyperlinksTest, LinksAreWrittenAsFieldsThatReadBackAsLinks)
{
    model::DocumentModel document;
    model::PieceTable& story = document.mainPieceTable();
    story.insertText(DocumentLogPosition(0), u"see here");
    story.createHyperlink(DocumentLogPosition(4), 4, false, link(u"C:\\docs\\a.doc", u"part", u"_top", u"A tip"));
    const std::vector<uint8_t> package = saveDocx(document);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ZIPStreamReader(package).extract("word/document.xml", bytes));
    const std::string xml(bytes.begin(), bytes.end());
    EXPECT_NE(xml.find(R"(HYPERLINK "C:\\docs\\a.doc" \l "part" \o "A tip" \t "_top")"), std::string::npos) << xml;
    model::DocumentModel copy;
    loadDocx(copy, package);
    EXPECT_EQ(copy.mainPieceTable().hyperlinkInfo(0), link(u"C:\\docs\\a.doc", u"part", u"_top", u"A tip"));
    testing::expectRoundTrip(document);
}

} // namespace
} // namespace velmo::formats
