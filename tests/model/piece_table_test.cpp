#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model_listener.h"
#include "model/document_model.h"
#include "model/runs.h"
#include "model/property_modifiers.h"
#include "model/section.h"
#include "model_test_support.h"
#include "platform/font_coverage.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

using ::testing::HasSubstr;

DocumentLogPosition at(int32_t value)
{
    return DocumentLogPosition(value);
}

class PieceTableLookupTest : public ::testing::Test {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    DocumentModel document_;
};

TEST_F(PieceTableLookupTest, EmptyDocumentHasOneMarkAtPositionZero)
{
    EXPECT_EQ(story().documentEndLogPosition(), at(0));
    EXPECT_TRUE(story().isEmpty());
    const DocumentModelPosition position = story().findPosition(at(0));
    EXPECT_EQ(position.paragraphIndex, ParagraphIndex(0));
    EXPECT_EQ(position.runIndex, RunIndex(0));
    EXPECT_EQ(story().run(RunIndex(0)).kind(), RunKind::Paragraph);
    EXPECT_EQ(story().storyText(), u"\r");
    expectSound(document_);
}

TEST_F(PieceTableLookupTest, PositionsMapToParagraphsAndRuns)
{
    // "ab" and "cd" are separate runs because they were not typed in one go.
    story().insertText(at(0), u"cd");
    document_.resetMerging();
    story().insertText(at(0), u"ab");
    story().insertParagraph(at(4));
    story().insertText(at(5), u"xy");
    ASSERT_EQ(story().storyText(), u"abcd\rxy\r");
    struct Case {
        const char* name;
        int32_t position;
        int32_t paragraph;
        int32_t run;
        int32_t runStart;
    };
    const Case cases[] = {
        {"first character", 0, 0, 0, 0},
        {"boundary belongs to the right-hand run", 2, 0, 1, 2},
        {"paragraph end maps to its mark", 4, 0, 2, 4},
        {"next position is the next paragraph's first run", 5, 1, 3, 5},
        {"story end is the last mark", 7, 1, 4, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DocumentModelPosition position = story().findPosition(at(c.position));
        EXPECT_EQ(position.paragraphIndex.value(), c.paragraph);
        EXPECT_EQ(position.runIndex.value(), c.run);
        EXPECT_EQ(position.runStartLogPosition.value(), c.runStart);
        EXPECT_EQ(story().runLogPosition(position.runIndex).value(), c.runStart);
    }
    EXPECT_EQ(story().findParagraphIndex(at(8)), ParagraphIndex(1)) << "one past the end maps to the last paragraph";

    const RunInfo range = story().findRunInfo(at(3), 10); // runs past the end: clamped to the last mark
    EXPECT_EQ(range.start.runIndex, RunIndex(1));
    EXPECT_EQ(range.end.logPosition, at(12));
    EXPECT_EQ(range.end.runIndex, RunIndex(4));
    EXPECT_EQ(range.end.paragraphIndex, ParagraphIndex(1));
    EXPECT_EQ(story().calculateRunIndex(story().run(RunIndex(3)), RunIndex(-1)), RunIndex(3));
    EXPECT_EQ(story().plainText(RunIndex(1), RunIndex(3)), u"cd\r\nxy");
    expectSound(document_);
}

TEST_F(PieceTableLookupTest, InvalidPositionsAreRejectedWithTheValueAndName)
{
    story().insertText(at(0), u"abc");
    struct Case {
        const char* name;
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {"negative paragraph lookup", [&] { (void)story().findParagraphIndex(at(-1)); },
         "'-1' is not a valid value for 'logPosition'"},
        {"run lookup past the end", [&] { (void)story().findPosition(at(4)); },
         "'4' is not a valid value for 'logPosition'"},
        {"strict paragraph lookup past the end", [&] { (void)story().findParagraphIndex(at(4), true); },
         "'4' is not a valid value for 'logPosition'"},
        {"insert past the end", [&] { story().insertText(at(5), u"x"); }, "'5' is not a valid value for 'logPosition'"},
        {"delete past the end", [&] { story().deleteContent(at(2), 5); }, "'5' is not a valid value for 'length'"},
        {"join with nothing", [&] { (void)story().run(RunIndex(0)).canJoinWith(nullptr); },
         "'nil' is not a valid value for 'nextRun'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "no error";
        } catch (const core::EditorException& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(story().storyText(), u"abc\r") << "a rejected edit changes nothing";
    expectSound(document_);
}

class TypingMergeTest : public PieceTableLookupTest {};

TEST_F(TypingMergeTest, CharactersTypedInOneGoShareOneRun)
{
    InputPosition position = story().createInputPosition(at(0));
    for (const char16_t* character : {u"a", u"b", u"c"})
        story().insertText(position, character);
    EXPECT_EQ(story().runCount(), 2);
    EXPECT_EQ(story().runText(RunIndex(0)), u"abc");
    EXPECT_EQ(document_.history().count(), 1) << "typing merge makes one undo step";
    document_.history().undo();
    EXPECT_EQ(story().storyText(), u"\r") << "one undo removes all three characters";
    document_.history().redo();
    EXPECT_EQ(story().storyText(), u"abc\r");
}

TEST_F(TypingMergeTest, ChangedFormattingStartsANewRun)
{
    InputPosition position = story().createInputPosition(at(0));
    story().insertText(position, u"a");
    story().insertText(position, u"b");
    position.characterPropertiesIndex = addCharacterProperties(document_, [](auto& p) { p.setFontBold(true); });
    story().insertText(position, u"c");
    ASSERT_EQ(story().runCount(), 3);
    EXPECT_EQ(story().runText(RunIndex(0)), u"ab");
    EXPECT_EQ(story().runText(RunIndex(1)), u"c");
    expectSound(document_);
}

TEST_F(TypingMergeTest, InsertingInsideARunLeavesTheTailWhereItWas)
{
    story().insertText(at(0), u"abcd");
    const int32_t tailStart = story().run(RunIndex(0)).startIndex() + 2;
    document_.resetMerging();
    story().insertText(at(2), u"XY");
    ASSERT_EQ(story().runCount(), 4);
    EXPECT_EQ(story().runText(RunIndex(0)), u"ab");
    EXPECT_EQ(story().runText(RunIndex(1)), u"XY");
    EXPECT_EQ(story().runText(RunIndex(2)), u"cd");
    EXPECT_EQ(story().run(RunIndex(2)).startIndex(), tailStart);
    expectSound(document_);
}

using RunJoinTest = PieceTableLookupTest;

TEST_F(RunJoinTest, RemovingFormattingJoinsRunsContiguousInTheBuffer)
{
    story().insertText(at(0), u"one two three");
    story().applyCharacterFormatting(at(4), 3, fontBoldModifier(true));
    EXPECT_EQ(story().runCount(), 4);
    const auto& empty = document_.cache().characterFormattingCache()[DocumentCache::kEmptyPropertiesIndex];
    story().applyCharacterFormatting(at(4), 3, CharacterFormattingModifier(empty));
    EXPECT_EQ(story().runCount(), 2);
    EXPECT_EQ(story().runText(RunIndex(0)), u"one two three");
    expectSound(document_);
}

TEST_F(RunJoinTest, RunsApartInTheBufferStaySeparate)
{
    story().insertText(at(0), u"cd");
    document_.resetMerging();
    story().insertText(at(0), u"ab"); // appended after "cd" in the buffer
    story().applyCharacterFormatting(at(0), 4, fontBoldModifier(true));
    EXPECT_EQ(story().runCount(), 3);
    EXPECT_EQ(story().runText(RunIndex(0)), u"ab");
    expectSound(document_);
}

class SectionMarkTest : public PieceTableLookupTest {};

TEST_F(SectionMarkTest, SectionBreakTurnsTheMarkIntoASectionMarkAndBack)
{
    story().insertText(at(0), u"abcdef");
    document_.insertSection(at(3));
    EXPECT_EQ(story().storyText(), u"abc\x1D" u"def\r");
    ASSERT_EQ(document_.sectionCount(), 2);
    EXPECT_EQ(document_.section(SectionIndex(0)).lastParagraphIndex(), ParagraphIndex(0));
    EXPECT_EQ(document_.findSectionIndex(at(5)), SectionIndex(1));
    EXPECT_EQ(story().runPlainText(RunIndex(1)), u"\r\n");
    expectSound(document_);

    story().deleteContent(at(3), 1);
    EXPECT_EQ(story().storyText(), u"abcdef\r");
    EXPECT_EQ(document_.sectionCount(), 1);
    expectSound(document_);

    document_.history().undo();
    EXPECT_EQ(story().storyText(), u"abc\x1D" u"def\r");
    EXPECT_EQ(document_.sectionCount(), 2);
    expectSound(document_);
    document_.history().undo();
    EXPECT_EQ(story().storyText(), u"abcdef\r");
    EXPECT_EQ(document_.sectionCount(), 1);
    expectSound(document_);
}

/// Knows Latin only; offers "Symbolic" for everything else.
class LatinOnlyCoverage final : public platform::IFontCoverage {
public:
    bool containsCharacter(std::u16string_view fontName, char32_t character) const override
    {
        return fontName == u"Symbolic" || character < 0x250;
    }
    std::u16string substituteFont(std::u16string_view, char32_t) const override { return u"Symbolic"; }
};

TEST(FontSubstitutionTest, CharactersTheFontLacksGetTheSubstituteFont)
{
    LatinOnlyCoverage coverage;
    DocumentModel document(&coverage);
    PieceTable& story = document.mainPieceTable();
    story.insertText(DocumentLogPosition(0), u"ab\u03B1\u03B2cd");
    ASSERT_EQ(story.runCount(), 4);
    EXPECT_EQ(story.runText(RunIndex(1)), u"\u03B1\u03B2");
    EXPECT_EQ(story.mergedCharacterFormatting(RunIndex(1)).fontName(), u"Symbolic");
    EXPECT_EQ(story.mergedCharacterFormatting(RunIndex(2)).fontName(), u"Calibri");
    expectSound(document);

    document.setUseFontSubstitution(false);
    story.insertText(DocumentLogPosition(0), u"\u03B3");
    EXPECT_EQ(story.mergedCharacterFormatting(RunIndex(0)).fontName(), u"Calibri");
}

} // namespace
} // namespace velmo::model
