// HYPERLINK fields: the record an update gives them, the text of an empty link, and when the
// document or the field's code leaves them alone or takes the link away.
#include "model/document_history.h"
#include "model/fields/field_updater.h"
#include "model/section.h"
#include "model/section_headers_footers.h"
#include "field_test_support.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

HyperlinkInfo link(std::u16string uri, std::u16string anchor = {}, std::u16string target = {}, std::u16string toolTip = {})
{
    return HyperlinkInfo{std::move(anchor), std::move(uri), std::move(target), std::move(toolTip)};
}

class HyperlinkFieldTest : public ::testing::Test {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    void updateAll(UpdateFieldOperationType type = UpdateFieldOperationType::Normal) { FieldUpdater(story()).updateFields(type); }
    /// Builds the markup, updates its fields and tells what the story shows.
    std::u16string update(std::u16string_view markup, UpdateFieldOperationType type = UpdateFieldOperationType::Normal)
    {
        appendFieldMarkup(story(), markup);
        updateAll(type);
        return shownText(story());
    }

    DocumentModel document_;
};

TEST_F(HyperlinkFieldTest, TheCodeGivesTheRecordAndAnEmptyResultItsText)
{
    struct Case {
        const char* name;
        std::u16string markup;
        HyperlinkInfo expected;
        std::u16string shown;
    };
    const Case cases[] = {
        {"address", u"{HYPERLINK \"http://a.com/x\"|site}", link(u"http://a.com/x"), u"site"},
        {"doubled backslashes are single in the address", u"{HYPERLINK \"C:\\\\docs\\\\a.doc\"|doc}", link(u"C:\\docs\\a.doc"), u"doc"},
        {"every switch", u"{HYPERLINK \"a.htm\" \\l \"top\" \\o \"a tip\" \\t _blank|x}", link(u"a.htm", u"top", u"_blank", u"a tip"), u"x"},
        {"switches in capitals, flags between", u"{HYPERLINK a.htm \\M \\L top \\N|x}", link(u"a.htm", u"top"), u"x"},
        {"the last of a repeated switch", u"{HYPERLINK a.htm \\l one \\l two|x}", link(u"a.htm", u"two"), u"x"},
        {"type name in lower case", u"{hyperlink \"b.htm\"|x}", link(u"b.htm"), u"x"},
        {"empty result shows the address", u"{HYPERLINK \"a.htm\" \\l top|}", link(u"a.htm", u"top"), u"a.htm"},
        {"empty result of a place shows the bookmark", u"{HYPERLINK \\l Intro|}", link(u"", u"Intro"), u"Intro"},
        {"nothing to show", u"{HYPERLINK|}", link(u""), u""},
        {"the formatting switches change nothing", u"{HYPERLINK a.htm \\* Upper \\* MERGEFORMAT|site}", link(u"a.htm"), u"site"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentModel document;
        PieceTable& story = document.mainPieceTable();
        appendFieldMarkup(story, c.markup);
        FieldUpdater(story).updateFields(UpdateFieldOperationType::Normal);
        EXPECT_EQ(shownText(story), c.shown);
        ASSERT_TRUE(story.isHyperlinkField(0));
        EXPECT_EQ(story.hyperlinkInfo(0), c.expected);
        EXPECT_FALSE(story.fields()[0].isCodeView());
        expectSound(document);
    }
}

TEST_F(HyperlinkFieldTest, EveryUpdateTypeMakesTheLink)
{
    for (const UpdateFieldOperationType type : {UpdateFieldOperationType::Load, UpdateFieldOperationType::Copy,
                                                UpdateFieldOperationType::Normal, UpdateFieldOperationType::PasteFromIE,
                                                UpdateFieldOperationType::CreateModelForExport}) {
        SCOPED_TRACE(static_cast<int>(type));
        DocumentModel document;
        appendFieldMarkup(document.mainPieceTable(), u"{HYPERLINK a.htm|x}");
        FieldUpdater(document.mainPieceTable()).updateFields(type);
        EXPECT_EQ(document.mainPieceTable().hyperlinkInfo(0), link(u"a.htm"));
    }
    // Pasting with updates switched off leaves the field as it came.
    DocumentModel document;
    document.fieldOptions().updateFieldsOnPaste = false;
    appendFieldMarkup(document.mainPieceTable(), u"{HYPERLINK a.htm|}");
    FieldUpdater(document.mainPieceTable()).updateFields(UpdateFieldOperationType::Copy);
    EXPECT_FALSE(document.mainPieceTable().isHyperlinkField(0));
}

TEST_F(HyperlinkFieldTest, ALoadedDocumentHasItsLinksWithNothingToUndo)
{
    for (const bool updateFields : {true, false}) {
        SCOPED_TRACE(updateFields);
        DocumentModel document;
        document.beginSetContent();
        appendFieldMarkup(document.mainPieceTable(), u"{HYPERLINK a.htm|}");
        PieceTable& header = document.createHeader(SectionIndex(0), HeaderFooterType::Odd).pieceTable();
        appendFieldMarkup(header, u"{HYPERLINK \\l top|x}");
        document.endSetContent(DocumentModelChangeType::LoadNewDocument, updateFields);
        EXPECT_EQ(document.mainPieceTable().isHyperlinkField(0), updateFields);
        EXPECT_EQ(header.isHyperlinkField(0), updateFields);
        EXPECT_EQ(shownText(document.mainPieceTable()), updateFields ? u"a.htm" : u"");
        EXPECT_FALSE(document.history().canUndo());
        EXPECT_FALSE(document.isModified());
        expectSound(document);
    }
}

TEST_F(HyperlinkFieldTest, ADocumentWithoutHyperlinksLeavesTheFieldAlone)
{
    document_.capabilities().hyperlinks = DocumentCapability::Disabled;
    EXPECT_EQ(update(u"{HYPERLINK a.htm|}/{HYPERLINK b.htm|old}"), u"/old");
    EXPECT_EQ(story().hyperlinkInfos().count(), 0);
    document_.capabilities().hyperlinks = DocumentCapability::Enabled;
    updateAll();
    EXPECT_EQ(shownText(story()), u"a.htm/old");
    EXPECT_EQ(story().hyperlinkInfos().count(), 2);
}

TEST_F(HyperlinkFieldTest, UpdatesFollowTheCodeAndUndoGivesTheOldRecordBack)
{
    appendFieldMarkup(story(), u"x{HYPERLINK \"a.htm\"|}y{DATE \\@ yyyy|z}");
    const std::vector<std::function<void()>> script = {
        [&] { updateAll(); },
        // The code now names another place: the record follows, the text stays.
        [&] {
            BatchUpdateScope step(document_);
            story().insertText(story().fields()[0].resultStartLogPosition() - 1, u" \\l top");
            updateAll();
        },
        // The code is no link any more: the record goes with the old result.
        [&] {
            BatchUpdateScope step(document_);
            const Field& field = story().fields()[0];
            story().replaceText(field.startLogPosition() + 1, field.resultStartLogPosition() - field.startLogPosition() - 2,
                                u"DOCVARIABLE none");
            updateAll();
        },
    };
    expectScriptRetracesDumps(document_, script);
    EXPECT_FALSE(story().isHyperlinkField(0));
    document_.history().undo();
    EXPECT_EQ(story().hyperlinkInfo(0), link(u"a.htm", u"top"));
    EXPECT_EQ(fieldResultText(story(), story().fields()[0]), u"a.htm");
    document_.history().undo();
    EXPECT_EQ(story().hyperlinkInfo(0), link(u"a.htm"));
}

TEST_F(HyperlinkFieldTest, AnUpdateShowsTheResultOfALinkShownAsCode)
{
    appendFieldMarkup(story(), u"{HYPERLINK a.htm|site}");
    story().toggleFieldCodes(story().fields()[0]);
    updateAll();
    EXPECT_FALSE(story().fields()[0].isCodeView());
    // An unchanged link makes no step of its own beyond the code view.
    const int32_t steps = document_.history().count();
    updateAll();
    EXPECT_EQ(document_.history().count(), steps);
}

} // namespace
} // namespace velmo::model
