#include "core/editor_exception.h"
#include "list_test_support.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/paragraph_properties.h"
#include "model/property_modifiers.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

/// A document with two lists of its own abstract lists, and helpers to write list paragraphs.
class NumberingEditingTest : public ::testing::Test {
protected:
    NumberingEditingTest() : list_(addMultiLevelList(document_)), otherList_(addMultiLevelList(document_)) {}

    PieceTable& story() { return document_.mainPieceTable(); }
    DocumentHistory& history() { return document_.history(); }
    const Paragraph& paragraph(int32_t index) { return story().paragraph(ParagraphIndex(index)); }
    int32_t listCount(int32_t list) { return document_.numbering().numberingList(list).referringParagraphsCount(); }

    DocumentModel document_;
    int32_t list_;
    int32_t otherList_;
};

TEST_F(NumberingEditingTest, EnterInAListItemMakesAnotherItem)
{
    writeParagraphs(document_, 2); // "p0", "p1"
    story().addNumberingListToParagraph(ParagraphIndex(0), list_, 0);
    story().addNumberingListToParagraph(ParagraphIndex(1), list_, 1);
    const std::string before = dumpDocument(document_);
    story().insertParagraph(at(4)); // "p1" split after "p"
    story().insertParagraph(story().documentEndLogPosition());
    EXPECT_EQ(story().storyText(), u"p0\rp\r1\r\r");
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"1.1.", u"1.2.", u"1.3."}));
    EXPECT_EQ(listCount(list_), 4);
    expectSound(document_);
    const std::string after = dumpDocument(document_);

    history().undo();
    history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
    EXPECT_EQ(listCount(list_), 2);
    history().redo();
    history().redo();
    EXPECT_EQ(dumpDocument(document_), after);
    expectSound(document_);
}

/// Joining two paragraphs by deleting the first one's mark.
TEST_F(NumberingEditingTest, JoiningParagraphsFollowsTheListRules)
{
    struct Membership {
        int32_t list; // 0: list_, 1: otherList_, -1: none
        int32_t level;
    };
    struct Case {
        const char* name;
        const char16_t* firstText;
        Membership first;
        Membership second;
        bool useFirstParagraphStyle;
        Membership expected;
        bool keepsSecondStyle;
    };
    const Case cases[] = {
        {"both in lists: the first keeps its place", u"ab", {0, 0}, {1, 2}, true, {0, 0}, false},
        {"only the second in a list: it leaves it", u"ab", {-1, 0}, {1, 2}, true, {-1, 0}, false},
        {"only the first in a list: it stays", u"ab", {0, 1}, {-1, 0}, true, {0, 1}, false},
        {"option off: the first takes the second's list and level", u"ab", {0, 0}, {1, 2}, false, {1, 2}, false},
        {"option off, the second in no list: the first leaves its list", u"ab", {0, 0}, {-1, 0}, false, {-1, 0}, false},
        {"an empty first item goes and the second stays as it was", u"", {0, 0}, {1, 2}, true, {1, 2}, true},
        {"an empty first item before a plain paragraph goes", u"", {0, 0}, {-1, 0}, true, {-1, 0}, true},
        {"an empty paragraph outside lists keeps its formatting", u"", {-1, 0}, {1, 2}, true, {-1, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentModel document;
        const int32_t lists[] = {addMultiLevelList(document), addMultiLevelList(document)};
        document.editingOptions().mergeUseFirstParagraphStyle = c.useFirstParagraphStyle;
        PieceTable& story = document.mainPieceTable();
        story.insertText(at(0), c.firstText);
        const int32_t firstLength = static_cast<int32_t>(std::u16string_view(c.firstText).size());
        story.insertParagraph(at(firstLength));
        story.insertText(at(firstLength + 1), u"cd");
        story.setParagraphStyleIndex(ParagraphIndex(1), document.styles().headingParagraphStyle(1));
        const Membership memberships[] = {c.first, c.second};
        for (int32_t index = 0; index < 2; ++index) {
            if (memberships[index].list >= 0)
                story.addNumberingListToParagraph(ParagraphIndex(index), lists[memberships[index].list], memberships[index].level);
        }
        const std::string before = dumpDocument(document);

        story.deleteContent(at(firstLength), 1);
        ASSERT_EQ(story.paragraphCount(), 1);
        EXPECT_EQ(story.storyText(), std::u16string(c.firstText) + u"cd\r");
        const Paragraph& joined = story.paragraph(ParagraphIndex(0));
        if (c.expected.list < 0) {
            EXPECT_FALSE(joined.isInList());
        } else {
            EXPECT_EQ(joined.numberingListIndex(), lists[c.expected.list]);
            EXPECT_EQ(joined.listLevelIndex(), c.expected.level);
        }
        EXPECT_EQ(joined.paragraphStyleIndex() != 0, c.keepsSecondStyle);
        expectSound(document);
        const std::string after = dumpDocument(document);
        document.history().undo();
        EXPECT_EQ(dumpDocument(document), before);
        document.history().redo();
        EXPECT_EQ(dumpDocument(document), after);
        expectSound(document);
    }
}

TEST_F(NumberingEditingTest, DeletingAcrossParagraphsJoinsTheFirstWithTheLast)
{
    writeParagraphs(document_, 3); // "p0", "p1", "p2"
    story().addNumberingListToParagraph(ParagraphIndex(0), list_, 0);
    story().addNumberingListToParagraph(ParagraphIndex(1), list_, 1);
    story().addNumberingListToParagraph(ParagraphIndex(2), otherList_, 2);
    document_.editingOptions().mergeUseFirstParagraphStyle = false;
    story().deleteContent(at(1), 6); // from after "p" in p0 to after "p" in p2
    EXPECT_EQ(story().storyText(), u"p2\r");
    EXPECT_EQ(paragraph(0).numberingListIndex(), otherList_) << "the last paragraph's list, not the middle one's";
    EXPECT_EQ(paragraph(0).listLevelIndex(), 2);
    EXPECT_EQ(listCount(list_), 0);
    EXPECT_EQ(listCount(otherList_), 1);
    expectSound(document_);
}

TEST_F(NumberingEditingTest, AListItemDeletedWholeTakesNothingAlong)
{
    writeParagraphs(document_, 3);
    for (int32_t index = 0; index < 3; ++index)
        story().addNumberingListToParagraph(ParagraphIndex(index), list_, index == 1 ? 1 : 0);
    story().deleteContent(paragraph(1).logPosition(), paragraph(1).length()); // "p1" and its mark
    EXPECT_EQ(story().storyText(), u"p0\rp2\r");
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"2."}));
    EXPECT_EQ(listCount(list_), 2);
    expectSound(document_);
}

TEST_F(NumberingEditingTest, WrongListsAndLevelsAreRefused)
{
    writeParagraphs(document_, 1);
    const std::string before = dumpDocument(document_);
    try {
        story().addNumberingListToParagraph(ParagraphIndex(0), 7, 0);
        FAIL() << "a list the document does not have";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "NumberingListIndex refers to a list that does not exist.");
    }
    const NumberingList stranger(0);
    try {
        story().addNumberingListToParagraph(ParagraphIndex(0), stranger, 0);
        FAIL() << "a list that is not the document's";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(),
                     "Cannot use a numbering List. The numbering list must be added to Document.NumberingLists collection");
    }
    EXPECT_THROW(story().addNumberingListToParagraph(ParagraphIndex(0), list_, 9), core::EditorException);
    EXPECT_THROW(story().addNumberingListToParagraph(ParagraphIndex(0), list_, -1), core::EditorException);
    EXPECT_THROW((void)document_.numbering().addNumberingListUsingHistory(std::make_unique<NumberingList>(5)),
                 core::EditorException);
    EXPECT_THROW(document_.styles().paragraphStyles()[0].setListLevelIndex(9), core::EditorException);
    EXPECT_EQ(dumpDocument(document_), before);
}

TEST_F(NumberingEditingTest, AListOfTheParagraphComesBeforeItsStyleAndOneOfTheStyleAfterIt)
{
    writeParagraphs(document_, 2);
    ParagraphStyle& style = document_.styles().paragraphStyles()[document_.styles().headingParagraphStyle(1)];
    ParagraphProperties(style).setLeftIndent(100);
    story().setParagraphStyleIndex(ParagraphIndex(0), document_.styles().headingParagraphStyle(1));
    story().setParagraphStyleIndex(ParagraphIndex(1), document_.styles().headingParagraphStyle(1));
    story().addNumberingListToParagraph(ParagraphIndex(0), list_, 1);
    const ParagraphFormattingInfo& own = story().mergedParagraphFormatting(paragraph(0));
    EXPECT_EQ(own.leftIndent(), 792) << "the level's indent over the style's";
    EXPECT_EQ(own.firstLineIndentType(), ParagraphFirstLineIndent::Hanging);
    EXPECT_EQ(own.firstLineIndent(), 432);

    style.setNumberingListIndex(list_);
    style.setListLevelIndex(1);
    EXPECT_TRUE(paragraph(1).isInList());
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.1.", u"1.2."}));
    const ParagraphFormattingInfo& throughStyle = story().mergedParagraphFormatting(paragraph(1));
    EXPECT_EQ(throughStyle.leftIndent(), 100) << "the style's indent over its level's";
    EXPECT_EQ(throughStyle.firstLineIndent(), 432) << "what the style leaves open comes from the level";

    story().removeNumberingFromParagraph(ParagraphIndex(1));
    EXPECT_FALSE(paragraph(1).isInList()) << "numbering of the style is switched off on the paragraph";
    EXPECT_EQ(paragraph(1).ownNumberingListIndex(), kNumberingListIndexNoNumbering);
    EXPECT_EQ(story().mergedParagraphFormatting(paragraph(1)).firstLineIndentType(), ParagraphFirstLineIndent::None);
    story().removeNumberingFromParagraph(ParagraphIndex(0));
    EXPECT_EQ(paragraph(0).ownNumberingListIndex(), kNumberingListIndexNoNumbering);
    history().undo();
    history().undo();
    history().undo();
    history().undo();
    EXPECT_FALSE(paragraph(1).isInList()) << "the style's list is undone";
    EXPECT_EQ(paragraph(0).numberingListIndex(), list_);
    expectSound(document_);
}

/// A fixed script of list edits: every undo goes back one dump, every redo forward one.
TEST_F(NumberingEditingTest, ScriptedListEditsUndoAndRedoThroughEveryDump)
{
    writeParagraphs(document_, 4);
    std::mt19937 random(3);
    const std::vector<std::function<void()>> script = {
        [&] {
            BatchUpdateScope step(document_);
            for (int32_t index = 0; index < 4; ++index)
                story().addNumberingListToParagraph(ParagraphIndex(index), list_, index % 2);
        },
        [&] { story().insertParagraph(at(4)); },
        [&] { story().addNumberingListToParagraph(ParagraphIndex(2), otherList_, 0); },
        [&] { story().deleteContent(at(1), 5); },
        [&] { story().removeNumberingFromParagraph(ParagraphIndex(0)); },
        [&] { story().insertText(at(0), u"x"); },
        [&] { DefaultNumberingListHelper(random).insertNumberingLists(document_, 720); },
        [&] { story().addNumberingListToParagraph(ParagraphIndex(1), 3, 1); },
        [&] { document_.numbering().changeListLevel(0, 0, [](ListLevel& level) { level.listLevelProperties.start = 4; }); },
        [&] { story().deleteContent(at(0), story().documentEndLogPosition().value()); },
    };
    expectScriptRetracesDumps(document_, script);
}

} // namespace
} // namespace velmo::model
