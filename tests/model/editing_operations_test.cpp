#include "core/editor_exception.h"
#include "model/content_type.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/insert_content_command.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/property_modifiers.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/section_headers_footers.h"
#include "model/selection.h"
#include "model/tables/table.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

class EditingOperationsTest : public ::testing::Test {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    DocumentHistory& history() { return document_.history(); }
    /// One paragraph per text, each a step of its own.
    void write(std::initializer_list<std::u16string_view> paragraphs)
    {
        bool first = true;
        for (const std::u16string_view text : paragraphs) {
            if (!first)
                story().insertParagraph(story().documentEndLogPosition());
            story().insertText(story().documentEndLogPosition(), text);
            first = false;
        }
    }

    DocumentModel document_;
};

TEST_F(EditingOperationsTest, CharacterFormattingSplitsAtTheEndsAndJoinsBack)
{
    write({u"one two three"});
    story().applyCharacterFormatting(at(4), 3, fontBoldModifier(true));
    ASSERT_EQ(story().runCount(), 4);
    EXPECT_TRUE(story().mergedCharacterFormatting(RunIndex(1)).fontBold());
    EXPECT_FALSE(story().mergedCharacterFormatting(RunIndex(2)).fontBold());
    // Bolding the rest makes every run equal again: they join into one.
    story().applyCharacterFormatting(at(0), 13, fontBoldModifier(true));
    EXPECT_EQ(story().runCount(), 2);
    history().undo();
    history().undo();
    EXPECT_EQ(story().runCount(), 2);
    EXPECT_FALSE(story().mergedCharacterFormatting(RunIndex(0)).fontBold());
    expectSound(document_);
}

TEST_F(EditingOperationsTest, CharacterStyleAndModifierValues)
{
    write({u"styled"});
    const int32_t hyperlink = document_.styles().characterStyles().styleIndexByName(u"Hyperlink");
    ASSERT_GE(hyperlink, 0);
    story().applyCharacterStyle(at(0), 3, hyperlink);
    const RunCharacterStyleModifier modifier(hyperlink);
    EXPECT_EQ(modifier.runPropertyValue(story(), RunIndex(0)), hyperlink);
    EXPECT_NE(modifier.runPropertyValue(story(), RunIndex(1)), hyperlink);

    // The input position takes a modifier without touching the text.
    InputPosition position = story().createInputPosition(at(6));
    const auto italic = fontItalicModifier(true);
    EXPECT_FALSE(italic.inputPositionPropertyValue(position, story()));
    italic.modifyInputPosition(position, document_);
    EXPECT_TRUE(italic.inputPositionPropertyValue(position, story()));
    story().insertText(position, u"!");
    EXPECT_TRUE(story().mergedCharacterFormatting(RunIndex(story().runCount() - 2)).fontItalic());
}

TEST_F(EditingOperationsTest, ParagraphFormattingTouchesTheParagraphsOfTheRange)
{
    write({u"aa", u"bb", u"cc"});
    const ParagraphFormattingModifier center([](ParagraphProperties& p) { p.setAlignment(ParagraphAlignment::Center); });
    // [1, 3) ends just after paragraph 0's mark: only paragraph 0 is touched.
    story().applyParagraphFormatting(at(1), 2, center);
    auto alignment = [this](int32_t index) {
        return story().mergedParagraphFormatting(story().paragraph(ParagraphIndex(index))).alignment();
    };
    EXPECT_EQ(alignment(0), ParagraphAlignment::Center);
    EXPECT_EQ(alignment(1), ParagraphAlignment::Left);
    story().applyParagraphFormatting(at(4), 4, center); // from inside "bb" into "cc"
    EXPECT_EQ(alignment(1), ParagraphAlignment::Center);
    EXPECT_EQ(alignment(2), ParagraphAlignment::Center);
    EXPECT_EQ(story().runCount(), 6) << "paragraph formatting never splits runs";
    history().undo();
    EXPECT_EQ(alignment(2), ParagraphAlignment::Left);
}

TEST_F(EditingOperationsTest, ArgumentsAreChecked)
{
    write({u"abc"});
    const auto bold = fontBoldModifier(true);
    const ParagraphStyleModifier normal(0);
    const struct {
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {[&] { story().applyCharacterFormatting(at(-1), 1, bold); }, "'-1' is not a valid value for 'logPositionStart'"},
        {[&] { story().applyCharacterFormatting(at(0), 0, bold); }, "'0' is not a valid value for 'length'"},
        {[&] { story().applyCharacterFormatting(at(2), 3, bold); }, "'3' is not a valid value for 'length'"},
        {[&] { story().applyParagraphFormatting(at(-2), 1, normal); }, "'-2' is not a valid value for 'logPositionStart'"},
        {[&] { story().applyParagraphFormatting(at(0), -1, normal); }, "'-1' is not a valid value for 'length'"},
        {[&] { story().replaceText(at(-3), 1, u"x"); }, "position -3"},
        {[&] { story().insertText(at(-1), u"x"); }, "'-1' is not a valid value for 'logPosition'"},
    };
    const std::string before = dumpDocument(document_);
    for (const auto& testCase : cases) {
        try {
            testCase.call();
            ADD_FAILURE() << "no error for " << testCase.message;
        } catch (const core::EditorException& error) {
            EXPECT_STREQ(error.what(), testCase.message);
        }
    }
    EXPECT_EQ(dumpDocument(document_), before);
    // The whole story, last mark included, is a valid formatting range.
    story().applyCharacterFormatting(at(0), 4, bold);
    expectSound(document_);
}

TEST_F(EditingOperationsTest, ReplaceTextIsOneStepAndKeepsTheReplacedFormatting)
{
    write({u"abc def"});
    story().applyCharacterFormatting(at(0), 3, fontBoldModifier(true));
    const std::string before = dumpDocument(document_);
    story().replaceText(at(0), 3, u"xy\r\nz");
    EXPECT_EQ(story().storyText(), u"xy\rz def\r");
    EXPECT_TRUE(story().mergedCharacterFormatting(RunIndex(0)).fontBold());
    history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
}

TEST_F(EditingOperationsTest, SectionFormattingChangesEverySectionOfTheRangeAsOneStep)
{
    write({u"one", u"two", u"three"});
    document_.insertSection(at(4)); // "one\r" | "two\r" ...
    document_.insertSection(at(9));
    ASSERT_EQ(document_.sectionCount(), 3);
    const int32_t steps = history().count();
    std::vector<int32_t> touched;
    document_.applySectionFormatting(at(2), 5, [&](Section& section, SectionIndex index) {
        touched.push_back(index.value());
        section.changeMargins([](MarginsInfo& margins) { margins.left = 720; });
    });
    EXPECT_EQ(touched, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(history().count(), steps + 1);
    EXPECT_EQ(document_.section(SectionIndex(1)).margins().left, 720);
    history().undo();
    EXPECT_NE(document_.section(SectionIndex(1)).margins().left, 720);
}

TEST_F(EditingOperationsTest, UndoBringsBackTheSelectionOnlyWhenTheActionMovesText)
{
    write({u"abc"});
    document_.selection().collapse(at(1));
    {
        BatchUpdateScope action(document_); // a typing command: text plus caret
        story().insertText(at(1), u"X");
        document_.selection().collapse(at(2));
    }
    document_.selection().collapse(at(4));
    history().undo();
    EXPECT_EQ(document_.selection().start(), at(1)) << "undo restores the caret from before the action";
    history().redo();
    EXPECT_EQ(document_.selection().start(), at(2)) << "redo restores the caret from after it";

    // A change of formatting only leaves the selection where the user put it.
    story().applyCharacterFormatting(at(0), 4, fontBoldModifier(true));
    document_.selection().setRange(at(1), at(3));
    history().undo();
    EXPECT_EQ(document_.selection().start(), at(1));
    EXPECT_EQ(document_.selection().end(), at(3));
}

TEST_F(EditingOperationsTest, AFailureInsideACommandLeavesTheModelAsBefore)
{
    write({u"abc", u"def"});
    const std::string before = dumpDocument(document_);
    const int32_t steps = history().count();
    EXPECT_THROW(
        {
            BatchUpdateScope command(document_);
            story().deleteContent(at(1), 4);
            story().applyCharacterFormatting(at(0), 2, fontBoldModifier(true));
            story().insertText(at(-1), u"fails");
        },
        core::EditorException);
    EXPECT_EQ(dumpDocument(document_), before);
    EXPECT_EQ(history().count(), steps);
    expectSound(document_);
}

/// A fragment of two paragraphs "x" (a heading) and "y", as a reader would produce it.
class InsertFragmentTest : public EditingOperationsTest {
protected:
    InsertFragmentTest()
    {
        PieceTable& main = fragment_.mainPieceTable();
        main.insertText(at(0), u"x");
        main.insertParagraph(at(1));
        main.insertText(at(2), u"y");
        main.setParagraphStyleIndex(ParagraphIndex(0), fragment_.styles().headingParagraphStyle(1));
        main.applyCharacterFormatting(at(2), 1, fontItalicModifier(true));
    }

    void insertFragment(PieceTable& target, int32_t position, InsertOptions options = InsertOptions::MatchDestinationFormatting)
    {
        PieceTableInsertContentConvertedToDocumentModelCommand(target, at(position), fragment_, options).execute();
    }

    DocumentModel fragment_;
};

TEST_F(InsertFragmentTest, TheFragmentsLastMarkIsNotCopied)
{
    write({u"abcd"});
    const std::string before = dumpDocument(document_);
    const std::string sourceBefore = dumpDocument(fragment_);
    insertFragment(story(), 2);
    EXPECT_EQ(story().storyText(), u"abx\rycd\r");
    const auto& styles = document_.styles().paragraphStyles();
    EXPECT_EQ(styles[story().paragraph(ParagraphIndex(0)).paragraphStyleIndex()].styleName(), u"Heading 1");
    EXPECT_EQ(story().paragraph(ParagraphIndex(1)).paragraphStyleIndex(), 0) << "the rest keeps its paragraph";
    EXPECT_TRUE(story().mergedCharacterFormatting(story().findPosition(at(4)).runIndex).fontItalic());
    EXPECT_EQ(dumpDocument(fragment_), sourceBefore) << "the source is unchanged";
    expectSound(document_);

    history().undo();
    EXPECT_EQ(dumpDocument(document_), before) << "one undo step";
}

TEST_F(InsertFragmentTest, StylesAreMatchedByTheirExactName)
{
    write({u"ab"});
    const int32_t heading = document_.styles().headingParagraphStyle(1);
    const int32_t styleCount = document_.styles().paragraphStyles().count();
    insertFragment(story(), 1);
    EXPECT_EQ(story().paragraph(ParagraphIndex(0)).paragraphStyleIndex(), heading);
    EXPECT_EQ(document_.styles().paragraphStyles().count(), styleCount) << "no copy of a style the target has";
}

TEST_F(InsertFragmentTest, KeepSourceFormattingKeepsTheLookWhereTheTargetStyleDiffers)
{
    write({u"ab"});
    ParagraphStyle& heading = document_.styles().paragraphStyles()[document_.styles().headingParagraphStyle(1)];
    CharacterProperties(heading).setDoubleFontSize(80); // the target's heading is much larger
    insertFragment(story(), 1, InsertOptions::KeepSourceFormatting);
    const int32_t sourceSize = fragment_.mainPieceTable().mergedCharacterFormatting(RunIndex(0)).doubleFontSize();
    EXPECT_EQ(story().mergedCharacterFormatting(story().findPosition(at(1)).runIndex).doubleFontSize(), sourceSize);
    insertFragment(story(), 0);
    EXPECT_EQ(story().mergedCharacterFormatting(RunIndex(0)).doubleFontSize(), 80);
}

TEST_F(InsertFragmentTest, PageBreaksBecomeLineBreaksOutsideTheMainText)
{
    fragment_.mainPieceTable().insertText(at(1), u"\f");
    SectionHeader& header = document_.createHeader(SectionIndex(0), HeaderFooterType::Odd);
    insertFragment(header.pieceTable(), 0);
    EXPECT_EQ(header.pieceTable().storyText(), u"x\v\ry\r");
    insertFragment(story(), 0);
    EXPECT_EQ(story().storyText(), u"x\f\ry\r");
}

TEST_F(InsertFragmentTest, NotesAreCopiedWithTheirText)
{
    InputPosition position = fragment_.mainPieceTable().createInputPosition(at(1));
    NoteContentTypeBase& note = fragment_.insertNote(position, RunKind::FootNote);
    note.pieceTable().insertText(at(0), u"note text");
    insertFragment(story(), 0);
    ASSERT_EQ(document_.footNoteCount(), 1);
    EXPECT_EQ(document_.footNote(0).pieceTable().storyText(), u"note text\r");
    expectSound(document_);
}

TEST_F(InsertFragmentTest, AFragmentThatFailsPartWayLeavesNothingBehind)
{
    // A reference to a note the fragment does not have: copying fails after "x" and the mark.
    InputPosition position = fragment_.mainPieceTable().createInputPosition(at(3));
    fragment_.mainPieceTable().insertNoteReference(position, RunKind::FootNote, 7);
    write({u"abcd"});
    const std::string before = dumpDocument(document_);
    const int32_t steps = history().count();
    EXPECT_ANY_THROW(insertFragment(story(), 2));
    EXPECT_EQ(dumpDocument(document_), before);
    EXPECT_EQ(history().count(), steps);
}

TEST_F(InsertFragmentTest, TablesCopiedWholeComeAlongAndPartialOnesStayText)
{
    PieceTable& source = fragment_.mainPieceTable();
    Table& table = source.insertTable(at(2), 2, 2); // before "y": four empty cells
    table.cell(0, 1)->changeProperties([](TableCellPropertiesInfo& properties) {
        properties.preferredWidth = {WidthUnitType::ModelUnits, 1440};
        properties.use(TableCellPropertiesOptions::UsePreferredWidth);
    });
    source.insertText(source.paragraph(table.cell(1, 1)->startParagraphIndex()).logPosition(), u"d");
    write({u"ab"});
    const std::string before = dumpDocument(document_);
    insertFragment(story(), 1);
    ASSERT_EQ(story().tableCellsManager().tableCount(), 1);
    const Table& copy = *story().tableCellsManager().tables().front();
    EXPECT_EQ(copy.rowCount(), 2);
    EXPECT_EQ(copy.startParagraphIndex(), ParagraphIndex(1));
    EXPECT_EQ(story().storyText(), u"ax\r\r\r\rd\ryb\r");
    EXPECT_EQ(copy.cell(0, 1)->properties().preferredWidth.value, 1440);
    expectSound(document_);
    history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
}

/// A fixed script of edits: every undo goes back one dump, every redo forward one.
TEST_F(InsertFragmentTest, ScriptedEditsUndoAndRedoThroughEveryDump)
{
    const int32_t heading2 = document_.styles().headingParagraphStyle(2);
    const std::vector<std::function<void()>> script = {
        [&] { write({u"The quick brown fox"}); },
        [&] { story().insertParagraph(at(9)); },
        [&] { story().insertText(at(0), u"Intro: "); },
        [&] { story().applyCharacterFormatting(at(3), 10, fontBoldModifier(true)); },
        [&] { insertFragment(story(), 5); },
        [&] { story().deleteContent(at(4), 9); },
        [&] { story().applyParagraphStyle(at(0), 3, heading2); },
        [&] { story().replaceText(at(1), 2, u"ZZ\rWW"); },
        [&] { document_.insertSection(at(6)); },
        [&] { story().deleteContent(at(0), story().documentEndLogPosition().value()); },
        [&] { insertFragment(story(), 0, InsertOptions::KeepSourceFormatting); },
    };
    expectScriptRetracesDumps(document_, script);
}

} // namespace
} // namespace velmo::model
