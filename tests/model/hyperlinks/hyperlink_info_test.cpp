// Hyperlink records: their URL and tool tip, the HYPERLINK field code they give, the records of a
// story's fields with undo and redo, and the normal forms of typed addresses.
#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/document_model_listener.h"
#include "model/hyperlinks/hyperlink_instruction_builder.h"
#include "model/hyperlinks/hyperlink_uri_helper.h"
#include "model/piece_table.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmo::model {
namespace {

HyperlinkInfo link(std::u16string uri, std::u16string anchor, std::u16string target = {}, std::u16string toolTip = {})
{
    HyperlinkInfo info;
    info.navigateUri = std::move(uri);
    info.anchor = std::move(anchor);
    info.target = std::move(target);
    info.toolTip = std::move(toolTip);
    return info;
}

TEST(HyperlinkInfoTest, UrlAndToolTip)
{
    struct Case {
        const char* name;
        HyperlinkInfo info;
        std::u16string url;
        std::u16string toolTip;
    };
    const Case cases[] = {
        {"address", link(u"a.htm", u""), u"a.htm", u"a.htm"},
        {"address and anchor", link(u"a.htm", u"top"), u"a.htm#top", u"a.htm#top"},
        {"anchor only", link(u"", u"Intro"), u"", u"Intro"},
        {"anchor to a hidden bookmark", link(u"", u"_Toc5"), u"", u"Current Document"},
        {"address and hidden anchor", link(u"a.htm", u"_Toc5"), u"a.htm#_Toc5", u"a.htm#_Toc5"},
        {"own tool tip", link(u"a.htm", u"top", u"", u"Read this"), u"a.htm#top", u"Read this"},
        {"hashes trimmed", link(u"#x#", u"#"), u"#x###", u"x"},
        {"nothing", link(u"", u""), u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.info.createUrl(), c.url);
        EXPECT_EQ(c.info.actualToolTip(), c.toolTip);
    }
}

TEST(HyperlinkInstructionBuilderTest, FieldCodes)
{
    struct Case {
        const char* name;
        HyperlinkInfo info;
        std::u16string code;
    };
    const Case cases[] = {
        {"address and anchor", link(u"a.htm", u"top"), uR"(HYPERLINK "a.htm" \l "top")"},
        {"backslashes doubled in the address", link(uR"(C:\docs\a.doc)", u""), uR"(HYPERLINK "C:\\docs\\a.doc")"},
        {"anchor only", link(u"", u"Intro"), uR"(HYPERLINK \l "Intro")"},
        {"switches in order", link(u"x", u"a", u"_blank", u"tip"), uR"(HYPERLINK "x" \l "a" \o "tip" \t "_blank")"},
        {"quotes in the tool tip escaped, backslashes kept", link(u"", u"", u"", uR"(say "hi" \o)"),
         uR"(HYPERLINK \o "say \"hi\" \o")"},
        {"empty", link(u"", u""), u"HYPERLINK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HyperlinkInstructionBuilder(c.info).fieldInstruction(), c.code);
    }
    // The address argument read back from the code gives the address typed.
    EXPECT_EQ(HyperlinkUriHelper::convertFromHyperlinkUri(uR"(C:\\docs\\a.doc)"), uR"(C:\docs\a.doc)");
}

TEST(HyperlinkUriHelperTest, NormalForms)
{
    struct Case {
        const char16_t* typed;
        const char16_t* normal;
    };
    const Case cases[] = {
        {u"site.htm", u"site.htm"},                                   // relative: no URL prefix
        {uR"(ftp:\\host\dir)", u"ftp://host/dir"},
        {u"http:example.com", u"http://example.com"},
        {u"https://example.com:8080/a/b?c=d", u"https://example.com:8080/a/b?c=d"},
        {uR"(http://host\a\\b)", u"http://host/a/b"},
        {u"mailto:someone", u"mailto:someone"},
        {uR"(..\x\.\y.doc)", uR"(..\x\y.doc)"},
        {u"a//b\\\\c", uR"(a\b\c)"},
        {u"C:/docs//a.doc", uR"(C:\docs\a.doc)"},
        {u"c:/", uR"(c:\)"},                                           // a bare drive keeps its backslash
        {uR"(\\server/share\\x)", uR"(\\server\share\x)"},
        {u"file:///C:/docs/a.doc", uR"(C:\docs\a.doc)"},
        {u"file://server/share/a.doc", uR"(\\server\share\a.doc)"},
        {u"file:///C:/d\u00E9j\u00E0/\u00FC.doc", u"C:\\d\u00E9j\u00E0\\\u00FC.doc"},
        {u"news:comp.lang", u"news://comp.lang"},
        {u"gopher://x", u"gopher://x"},                               // no known kind: unchanged
        {u"what?", u"what?"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(core::utf16ToUtf8(c.typed));
        EXPECT_EQ(HyperlinkUriHelper::ensureUriIsValid(c.typed), c.normal);
    }
    // Far longer than any address: left alone rather than matched.
    const std::u16string huge = u"http://host/" + std::u16string(1'000'000, u'a');
    EXPECT_EQ(HyperlinkUriHelper::ensureUriIsValid(huge), huge);
    EXPECT_FALSE(HyperlinkUriHelper::isRelativePath(std::u16string(1'000'000, u'a')));
    EXPECT_TRUE(HyperlinkUriHelper::isRelativePath(u"site.htm"));
    EXPECT_TRUE(HyperlinkUriHelper::isRelativePath(uR"(..\x.doc)"));
    EXPECT_FALSE(HyperlinkUriHelper::isRelativePath(uR"(C:\x.doc)"));
    EXPECT_FALSE(HyperlinkUriHelper::isRelativePath(u"http://x"));
}

TEST(HyperlinkUriHelperTest, RelativePathsAndUrls)
{
    EXPECT_EQ(HyperlinkUriHelper::convertRelativePathToAbsolute(uR"(..\b.doc)", uR"(C:\d\e\f.doc)"), uR"(C:\d\b.doc)");
    EXPECT_EQ(HyperlinkUriHelper::convertRelativePathToAbsolute(uR"(.\x\y.doc)", u"C:/d/f.doc"), uR"(C:\d\x\y.doc)");
    EXPECT_EQ(HyperlinkUriHelper::convertRelativePathToAbsolute(uR"(..\b.doc)", u"  "), uR"(..\b.doc)");
    EXPECT_EQ(HyperlinkUriHelper::convertRelativePathToAbsolute(uR"(b.doc)", uR"(\\server\share\f.doc)"), uR"(\\server\share\b.doc)");
    EXPECT_EQ(HyperlinkUriHelper::convertToUrl(uR"(C:\d\\b.doc)"), u"file:///C:/d/b.doc");
    EXPECT_EQ(HyperlinkUriHelper::convertToUrl(uR"(\\server\share\b.doc)"), u"file://server/share/b.doc");
    EXPECT_EQ(HyperlinkUriHelper::convertToUrl(u"http://x/y"), u"http://x/y");
}

class HyperlinkEvents : public IDocumentModelListener {
public:
    void onHyperlinkInfoInserted(const PieceTable&, int32_t fieldIndex) override { events.push_back("+" + std::to_string(fieldIndex)); }
    void onHyperlinkInfoDeleted(const PieceTable&, int32_t fieldIndex) override { events.push_back("-" + std::to_string(fieldIndex)); }
    std::vector<std::string> events;
};

TEST(HyperlinkInfoCollectionTest, RecordsOfFieldsWithUndoAndRedo)
{
    DocumentModel document;
    HyperlinkEvents events;
    document.addListener(events);
    PieceTable& story = document.mainPieceTable();
    EXPECT_FALSE(story.isHyperlinkField(2));
    EXPECT_EQ(story.hyperlinkInfo(2), HyperlinkInfo{}); // the shared empty record

    const HyperlinkInfo& stored = story.insertHyperlinkInfo(2, link(u"a.htm", u"top"));
    EXPECT_EQ(&stored, story.hyperlinkInfos().find(2));
    story.insertHyperlinkInfo(5, link(u"b.htm", u""));
    story.replaceHyperlinkInfo(2, link(u"c.htm", u""));
    story.removeHyperlinkInfo(5);
    EXPECT_EQ(events.events, (std::vector<std::string>{"+2", "+5", "-5"}));
    EXPECT_TRUE(story.isHyperlinkField(2));
    EXPECT_FALSE(story.isHyperlinkField(5));
    EXPECT_EQ(story.hyperlinkInfo(2).navigateUri, u"c.htm");
    const std::string last = dumpDocument(document);
    EXPECT_NE(last.find("  hyperlink field=2 uri=\"c.htm\"\n"), std::string::npos) << last;

    document.history().undo();
    EXPECT_EQ(story.hyperlinkInfo(5).navigateUri, u"b.htm");
    document.history().undo();
    EXPECT_EQ(story.hyperlinkInfo(2).anchor, u"top");
    document.history().undo();
    document.history().undo();
    EXPECT_EQ(story.hyperlinkInfos().count(), 0);
    EXPECT_EQ(events.events, (std::vector<std::string>{"+2", "+5", "-5", "+5", "-5", "-2"}));
    while (document.history().canRedo())
        document.history().redo();
    EXPECT_EQ(dumpDocument(document), last);
    document.removeListener(events);
}

TEST(HyperlinkInfoCollectionTest, KeysFollowInsertedAndRemovedFields)
{
    HyperlinkInfoCollection infos;
    infos.exchange(1, std::make_unique<HyperlinkInfo>(link(u"one", u"")));
    infos.exchange(4, std::make_unique<HyperlinkInfo>(link(u"four", u"")));
    infos.recalcKeys(2, 1); // a field inserted at index 2
    EXPECT_EQ(infos.find(1)->navigateUri, u"one");
    EXPECT_EQ(infos.find(5)->navigateUri, u"four");
    EXPECT_EQ(infos.find(4), nullptr);
    infos.recalcKeys(3, -1); // the field at index 2 removed
    EXPECT_EQ(infos.find(4)->navigateUri, u"four");
    // A removed field that kept its record would make two records for one field.
    EXPECT_THROW(infos.recalcKeys(2, -3), core::EditorException);
    EXPECT_EQ(infos.find(4)->navigateUri, u"four");
    EXPECT_EQ(infos.count(), 2);
}

} // namespace
} // namespace velmo::model
